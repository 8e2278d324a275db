#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "registry/rendered_value.h"

namespace scourix {

// Renders a value's data, as read, for display: strings without their final character,
// REG_BINARY and REG_DWORD as hexadecimal byte pairs (or the raw bytes), REG_MULTI_SZ as its
// strings, the other types as fixed texts. Malformed data gives the text "".
RenderedValue RenderValueData(std::uint32_t type, std::string_view data, bool raw_binary);

// Each byte as two upper-case hexadecimal digits followed by a space.
std::string HexPairs(std::string_view bytes);

// A REG_MULTI_SZ rendering as one line of text: the strings joined by a space, leaving out the
// empty string that the closing null gives.
std::string JoinMultiString(const RenderedValue& strings);

}  // namespace scourix
