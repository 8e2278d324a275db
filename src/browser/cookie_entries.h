#pragma once

#include "primitives/context.h"

namespace scourix {

// Deletes every entry of the URL cache's cookie container, where Windows 8.1 and later keep
// the browser's cookies, showing each URL on the label.
void DeleteCookieEntries(Context& ctx);

}  // namespace scourix
