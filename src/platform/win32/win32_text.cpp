#include "platform/win32/win32_text.h"

#include "platform/win32/windows_api.h"

namespace scourix::win32 {
namespace {

constexpr wchar_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The code point of the sequence at text[at], and its length; 0 when it is not a well-formed
// one. A lone surrogate's three bytes are well-formed here (see win32_text.h).
std::size_t DecodeOne(std::string_view text, std::size_t at, char32_t* code_point) {
  auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = lead < 0x80             ? 1
                       : (lead & 0xE0) == 0xC0 ? 2
                       : (lead & 0xF0) == 0xE0 ? 3
                       : (lead & 0xF8) == 0xF0 ? 4
                                               : 0;
  if (length == 0 || at + length > text.size())
    return 0;
  constexpr unsigned char kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  char32_t value = lead & kLeadBits[length];
  for (std::size_t k = 1; k < length; ++k) {
    auto next = static_cast<unsigned char>(text[at + k]);
    if ((next & 0xC0) != 0x80)
      return 0;
    value = (value << 6) | (next & 0x3F);
  }
  constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < kShortest[length] || value > 0x10FFFF)
    return 0;  // an overlong form, or beyond Unicode
  *code_point = value;
  return length;
}

void EncodeOne(char32_t value, std::string* out) {
  if (value < 0x80) {
    *out += static_cast<char>(value);
    return;
  }
  std::size_t length = value < 0x800 ? 2 : value < 0x10000 ? 3 : 4;
  constexpr unsigned char kLeadMark[] = {0, 0, 0xC0, 0xE0, 0xF0};
  char bytes[4];
  for (std::size_t k = length - 1; k > 0; --k) {
    bytes[k] = static_cast<char>(0x80 | (value & 0x3F));
    value >>= 6;
  }
  bytes[0] = static_cast<char>(kLeadMark[length] | value);
  out->append(bytes, length);
}

std::wstring AnsiToWide(std::string_view text) {
  if (text.empty())
    return std::wstring();
  int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

std::string WideToAnsi(std::wstring_view wide) {
  if (wide.empty())
    return std::string();
  // No best-fit mapping: "ł" must not turn into "l", or a narrow path could name another file.
  int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                                 static_cast<int>(wide.size()), nullptr, 0, "?", nullptr);
  std::string text(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                      text.data(), size, "?", nullptr);
  return text;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) {
  std::wstring wide;
  wide.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    char32_t value = 0;
    std::size_t length = DecodeOne(utf8, at, &value);
    if (length == 0) {
      wide += kReplacement;
      ++at;
      continue;
    }
    at += length;
    if (value >= 0x10000) {
      value -= 0x10000;
      wide += static_cast<wchar_t>(0xD800 + (value >> 10));
      wide += static_cast<wchar_t>(0xDC00 + (value & 0x3FF));
    } else {
      wide += static_cast<wchar_t>(value);
    }
  }
  return wide;
}

std::string WideToUtf8(std::wstring_view wide) {
  std::string utf8;
  utf8.reserve(wide.size());
  for (std::size_t at = 0; at < wide.size(); ++at) {
    char32_t value = static_cast<char16_t>(wide[at]);
    if (IsHighSurrogate(value) && at + 1 < wide.size() &&
        IsLowSurrogate(static_cast<char16_t>(wide[at + 1]))) {
      value = 0x10000 + ((value - 0xD800) << 10) + (static_cast<char16_t>(wide[at + 1]) - 0xDC00);
      ++at;
    }
    EncodeOne(value, &utf8);
  }
  return utf8;
}

std::string Utf8ToAnsi(std::string_view utf8) {
  return WideToAnsi(Utf8ToWide(utf8));
}
std::string AnsiToUtf8(std::string_view ansi) {
  return WideToUtf8(AnsiToWide(ansi));
}

}  // namespace scourix::win32
