#pragma once

#include <string_view>

#include "primitives/context.h"

namespace scourix {

// What a cleaner written in code removes, and where, in one line of Markdown for the README's
// table (step tables speak for themselves); "" for an unknown one. "Shell Folders" stands for
// the current user's shell-folder key.
std::string_view FileCleanerDescription(Cleaner cleaner);

}  // namespace scourix
