#pragma once

#include <string_view>

namespace scourix::platform {

// Whether text is well-formed UTF-8: no stray or overlong bytes, nothing past U+10FFFF and no
// half of a surrogate pair (which a name Windows gives may hold, carried as its three bytes).
[[nodiscard]] bool IsWellFormedUtf8(std::string_view text);

}  // namespace scourix::platform
