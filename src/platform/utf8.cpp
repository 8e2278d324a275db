#include "platform/utf8.h"

#include <cstddef>

namespace scourix::platform {

bool IsWellFormedUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0x80                    ? 1
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                               : (lead & 0xF0) == 0xE0        ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || at + length > text.size())
      return false;
    // The second byte's range rules out the overlong forms, the surrogates and beyond U+10FFFF.
    const auto second = static_cast<unsigned char>(length > 1 ? text[at + 1] : 0x80);
    const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (second < low || second > high)
      return false;
    for (std::size_t k = 2; k < length; ++k) {
      if ((static_cast<unsigned char>(text[at + k]) & 0xC0) != 0x80)
        return false;
    }
    at += length;
  }
  return true;
}

}  // namespace scourix::platform
