#pragma once

#include <string_view>

#include "app/context.h"

namespace scourix {

// What a cleaner that works outside the registry removes, and where, in one line of Markdown
// for the README's table; "" for a registry cleaner (their step tables speak for them) or an
// unknown one. "Shell Folders" stands for the current user's shell-folder key.
std::string_view FileCleanerDescription(Cleaner cleaner);

}  // namespace scourix
