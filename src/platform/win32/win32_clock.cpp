#include "platform/win32/win32_clock.h"

#include "platform/win32/win32_text.h"
#include "platform/win32/windows_api.h"

namespace scourix::win32 {

platform::LocalTime Win32Clock::Now() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

std::string Win32Clock::ShortDate(const platform::LocalTime& time) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(time.year);
  st.wMonth = static_cast<WORD>(time.month);
  st.wDay = static_cast<WORD>(time.day);
  wchar_t buffer[128];
  int written = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buffer, 128);
  if (written <= 1)
    return std::string();
  return WideToUtf8(std::wstring_view(buffer, static_cast<std::size_t>(written - 1)));
}

std::uint32_t Win32Clock::TickCount() {
  return GetTickCount();
}

}  // namespace scourix::win32
