#include <atomic>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

#include "app/windows_history_step.h"
#include "browser/browser_cleaners.h"
#include "browser/cache_state.h"
#include "browser/url_history.h"
#include "conformance/machine_envs.h"
#include "conformance/status_window.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/unique_url_cache_find.h"
#include "platform/win32/win32_machine.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_text.h"

namespace scourix::win32 {
namespace {

// Work aside runs on a thread of its own while this one answers its messages, and the call
// returns only once the work is done.
TEST(Win32System, WorkAsideLeavesThisThreadToItsMessages) {
  Win32System system;
  const DWORD caller = GetCurrentThreadId();
  DWORD worker = caller;
  std::atomic<bool> done = false;
  int answered = 0;
  system.RunAside(
      [&] {
        worker = GetCurrentThreadId();
        PostThreadMessageW(caller, WM_USER, 0, 0);
        Sleep(300);
        done = true;
      },
      [&] {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
          answered += message.message == WM_USER && !done ? 1 : 0;
      });
  EXPECT_TRUE(done);
  EXPECT_NE(worker, caller);
  EXPECT_EQ(answered, 1);
}

// Lone surrogates and pairs cross in the names of the shared registry case.
TEST(Win32Text, NonAsciiCrossesWideButNotTheAnsiCodePageAndOverlongFormsNotAtAll) {
  std::string text = "Caf\xC3\xA9 \xE2\x82\xAC \xC5\x82";  // "Café € ł"
  EXPECT_EQ(WideToUtf8(Utf8ToWide(text)), text);
  std::string ansi = Utf8ToAnsi(text);
  EXPECT_EQ(ansi.substr(0, 4), "Caf\xE9");
  EXPECT_EQ(ansi.back(), '?');  // no "ł" in the Western code page
  // Overlong forms are not characters: "/" and "\\" hidden in them must not come out.
  EXPECT_EQ(Utf8ToWide("\xC0\xAF\xC1\x9Cz").find_first_of(L"/\\"), std::wstring::npos);
}

// The user's folders that the folder steps keep clear of, the one without a CSIDL included.
TEST(Win32ShellOnWine, TheUsersMediaAndDownloadFoldersAreNamedInTheProfile) {
  Win32Shell shell;
  std::string profile;
  ASSERT_EQ(shell.GetKnownFolder(platform::KnownFolder::kProfile, &profile), platform::kSuccess);
  for (auto folder : {platform::KnownFolder::kPictures, platform::KnownFolder::kMusic,
                      platform::KnownFolder::kVideos, platform::KnownFolder::kDownloads}) {
    std::string path;
    EXPECT_EQ(shell.GetKnownFolder(folder, &path), platform::kSuccess);
    EXPECT_EQ(path.rfind(profile + "\\", 0), 0u) << path;
  }
}

// Unlike Windows, Wine's null pattern walks the cookie and history stores with the content.
// The walk leaves every one of their entries, the enumeration's first (here one of them)
// included, and those that any program may commit with the normal-entry bit too.
TEST(UrlCacheOnWine, CookieAndHistoryEntriesAreWalkedButKept) {
  auto env = conformance::MakeUrlCacheEnv();  // empties the cache
  constexpr std::uint32_t kNormal = platform::kNormalCacheEntry;
  const std::vector<std::pair<std::string, std::uint32_t>> kept = {
      {"Cookie:ann@wine.example/", platform::kCookieCacheEntry},
      {"Cookie:ann@other.example/", platform::kCookieCacheEntry | kNormal},
      {"Visited: ann@http://wine.example/", platform::kUrlHistoryCacheEntry},
      {"Visited: ann@http://other.example/", platform::kUrlHistoryCacheEntry | kNormal}};
  for (const auto& [url, type] : kept)
    env->Seed(url, type);
  env->Seed("http://wine.example/page", platform::kNormalCacheEntry);
  conformance::StepContext program(env->platform());
  CleanIECache(program.ctx());
  EXPECT_FALSE(env->Has("http://wine.example/page"));
  int kept_count = 0;
  for (const auto& entry : kept)
    kept_count += env->Has(entry.first) ? 1 : 0;
  EXPECT_EQ(kept_count, 4);
}

// Any program of the user may commit an entry whose local file climbs out of the cache with
// "..": wininet would delete that file wherever it is, so the walk leaves such an entry.
TEST(UrlCacheOnWine, AnEntryWhoseFileClimbsOutOfTheCacheStaysWithThatFile) {
  auto env = conformance::MakeUrlCacheEnv();  // empties the cache
  const char* page = "http://wine.example/page";
  char page_file[MAX_PATH] = {};
  ASSERT_TRUE(CreateUrlCacheEntryA(page, 0, "htm", page_file, 0)) << GetLastError();
  ASSERT_TRUE(UniqueFileHandle(
      CreateFileA(page_file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)));
  FILETIME none{};
  ASSERT_TRUE(CommitUrlCacheEntryA(page, page_file, none, none, platform::kNormalCacheEntry,
                                   nullptr, 0, "htm", nullptr));
  const char* url = "http://wine.example/climb";
  char cache_file[MAX_PATH] = {};
  ASSERT_TRUE(CreateUrlCacheEntryA(url, 0, "htm", cache_file, 0)) << GetLastError();
  char temp[MAX_PATH] = {};
  ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
  const std::string canary = std::string(temp) + "scourix-canary.txt";
  ASSERT_TRUE(UniqueFileHandle(
      CreateFileA(canary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)));
  // "<cache>\<subfolder>\..\..\...\<the canary without its drive>"
  const std::string dir(cache_file, std::string(cache_file).rfind('\\'));
  std::string climb = dir;
  for (std::size_t i = 3; i < dir.size(); ++i)
    climb += dir[i] == '\\' ? "\\.." : "";
  climb += "\\..\\" + canary.substr(3);
  ASSERT_TRUE(CommitUrlCacheEntryA(url, climb.c_str(), none, none, platform::kNormalCacheEntry,
                                   nullptr, 0, "htm", nullptr))
      << GetLastError();
  conformance::StepContext program(env->platform());
  CleanIECache(program.ctx());
  const bool kept = GetFileAttributesA(canary.c_str()) != INVALID_FILE_ATTRIBUTES;
  DeleteFileA(canary.c_str());
  EXPECT_TRUE(kept);
  EXPECT_TRUE(env->Has(url));
  EXPECT_FALSE(env->Has(page));
  EXPECT_EQ(GetFileAttributesA(page_file), INVALID_FILE_ATTRIBUTES);  // gone with its entry
  EXPECT_EQ(program.window.lines, std::vector<std::string>{"Deleting - http://wine.example/page"});
}

// Wine's CUrlHistory answers "not implemented" where Windows has a store; either way the step
// goes through, and a wrapper exists exactly when the store could be read.
TEST(UrlHistoryOnWine, TheStepSurvivesTheStoreWhateverItAnswers) {
  Win32Machine machine;
  bool readable = true;
  try {
    CURLHistory probe(machine.url_history);
    probe.Clear();
  } catch (const UrlHistoryError& e) {
    readable = false;
    std::printf("history store: 0x%08lx\n", static_cast<unsigned long>(e.code()));
  }
  conformance::StepContext program(machine.platform);
  WindowsHistoryStep(program.ctx());
  EXPECT_EQ(program.ctx().cache.UrlHistory != nullptr, readable);
  program.ctx().cache.UrlHistory.reset();  // released before COM goes with the machine
}

}  // namespace
}  // namespace scourix::win32
