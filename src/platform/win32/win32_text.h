#pragma once

#include <string>
#include <string_view>

namespace scourix::win32 {

// The core speaks UTF-8; the wide APIs take UTF-16 and the narrow ones the ANSI code page.
// A Windows name may hold a UTF-16 unit that pairs with none; it crosses as the three bytes
// its code point would take, both ways, so that every name listed names itself again. Other
// bytes that are not UTF-8 become U+FFFD.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);
// Characters the ANSI code page cannot hold become "?".
std::string Utf8ToAnsi(std::string_view utf8);
std::string AnsiToUtf8(std::string_view ansi);

}  // namespace scourix::win32
