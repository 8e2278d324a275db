#include <gtest/gtest.h>
#include <string>
#include <utility>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_text.h"

namespace scourix::win32 {
namespace {

TEST(Win32Text, NonAsciiSurvivesTheWideRoundTripButNotTheAnsiCodePage) {
  std::string text = "Caf\xC3\xA9 \xE2\x82\xAC \xC5\x82";  // "Café € ł"
  EXPECT_EQ(WideToUtf8(Utf8ToWide(text)), text);
  std::string ansi = Utf8ToAnsi(text);
  EXPECT_EQ(ansi.substr(0, 4), "Caf\xE9");
  EXPECT_EQ(ansi.back(), '?');  // no "ł" in the Western code page
}

// A Windows name may hold a surrogate without its pair; it must name itself after the trip.
TEST(Win32Text, ALoneSurrogateSurvivesTheRoundTripAndOverlongFormsDoNot) {
  std::wstring lone =
      L"a\xD800"
      L"b\xDC00";
  std::string utf8 =
      "a\xED\xA0\x80"
      "b\xED\xB0\x80";
  EXPECT_EQ(WideToUtf8(lone), utf8);
  EXPECT_EQ(Utf8ToWide(utf8), lone);
  EXPECT_EQ(WideToUtf8(L"\xD83D\xDE00"), "\xF0\x9F\x98\x80");  // a pair is one character
  // Overlong forms are not characters: "/" and "\\" hidden in them must not come out.
  EXPECT_EQ(Utf8ToWide("\xC0\xAF\xC1\x9Cz").find_first_of(L"/\\"), std::wstring::npos);
}

TEST(Win32OwnerTest, AMoveHandsTheHandleOverAndOnlyItsLastOwnerClosesIt) {
  UniqueKernelHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  ASSERT_TRUE(event);
  HANDLE raw = event.get();
  UniqueKernelHandle moved(std::move(event));
  EXPECT_FALSE(event);
  event.reset();  // owns nothing, closes nothing
  DWORD flags = 0;
  EXPECT_TRUE(GetHandleInformation(raw, &flags));
  moved = UniqueKernelHandle();
  EXPECT_FALSE(GetHandleInformation(raw, &flags));
  // Files answer INVALID_HANDLE_VALUE for "none", which owns nothing either.
  UniqueFileHandle missing(CreateFileW(L"C:\\scourix-missing\\file", GENERIC_READ, 0, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
  EXPECT_FALSE(missing);
}

TEST(Win32ClockTest, ShortDateIsTheUsersFormatWithoutTheTerminator) {
  Win32Clock clock;
  std::string date = clock.ShortDate({2026, 12, 4, 9, 5, 0});
  ASSERT_FALSE(date.empty());
  EXPECT_NE(date.find("2026"), std::string::npos);
  EXPECT_EQ(date.find('\0'), std::string::npos);
}

TEST(Win32SystemTest, ProgramPathIsThisProgramsFullPath) {
  Win32System system;
  std::string path = system.ProgramPath();
  ASSERT_GT(path.size(), 3u);
  EXPECT_EQ(path.substr(1, 2), ":\\");
  EXPECT_EQ(path.substr(path.size() - 4), ".exe");
  platform::OsVersion version;
  EXPECT_EQ(system.GetVersion(&version), platform::kSuccess);
  EXPECT_EQ(version.platform_id, 2u);
}

}  // namespace
}  // namespace scourix::win32
