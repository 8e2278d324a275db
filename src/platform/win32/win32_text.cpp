#include "platform/win32/win32_text.h"

#include "platform/win32/windows_api.h"

namespace scourix::win32 {
namespace {

std::wstring ToWide(UINT code_page, std::string_view text) {
  if (text.empty())
    return std::wstring();
  int size =
      MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

std::string FromWide(UINT code_page, std::wstring_view wide) {
  if (wide.empty())
    return std::string();
  // No best-fit mapping: "ł" must not turn into "l", or a narrow path could name another file.
  const char* default_char = code_page == CP_UTF8 ? nullptr : "?";
  DWORD flags = code_page == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  int size = WideCharToMultiByte(code_page, flags, wide.data(), static_cast<int>(wide.size()),
                                 nullptr, 0, default_char, nullptr);
  std::string text(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(code_page, flags, wide.data(), static_cast<int>(wide.size()), text.data(),
                      size, default_char, nullptr);
  return text;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) {
  return ToWide(CP_UTF8, utf8);
}
std::string WideToUtf8(std::wstring_view wide) {
  return FromWide(CP_UTF8, wide);
}
std::string Utf8ToAnsi(std::string_view utf8) {
  return FromWide(CP_ACP, Utf8ToWide(utf8));
}
std::string AnsiToUtf8(std::string_view ansi) {
  return WideToUtf8(ToWide(CP_ACP, ansi));
}

}  // namespace scourix::win32
