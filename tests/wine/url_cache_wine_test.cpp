#include <windows.h>

#include <wininet.h>

#include <chrono>
#include <cstdio>
#include <gtest/gtest.h>
#include <vector>

#include "app/frm_main.h"
#include "browser/browser_cleaners.h"
#include "conformance/url_cache_env.h"

namespace scourix {
namespace {

// A window that shows nothing and counts nothing: the walk's own cost is what is measured.
class QuietWindow : public platform::MainWindow {
 public:
  void SetStatusText(std::string_view text) override { last = text; }
  std::string StatusText() const override { return last; }
  int BoxState(std::size_t) const override { return 0; }
  void SetBoxState(std::size_t, int) override {}
  platform::ListControl& List(platform::ScratchList) override { std::abort(); }
  void PumpMessages() override {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
      DispatchMessageW(&msg);
  }
  void ShowMessage(std::string_view, std::string_view) override {}
  void EndProgram() override {}
  std::string last;
};

void Commit(const std::string& url, DWORD type) {
  char file[MAX_PATH] = {};
  ASSERT_TRUE(CreateUrlCacheEntryA(url.c_str(), 0, "htm", file, 0)) << url;
  HANDLE handle = CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(handle);
  FILETIME none{};
  ASSERT_TRUE(CommitUrlCacheEntryA(url.c_str(), file, none, none, type, nullptr, 0, "htm", nullptr))
      << url;
}

bool Has(const std::string& url) {
  DWORD size = 0;
  GetUrlCacheEntryInfoA(url.c_str(), nullptr, &size);
  return GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

// Unlike Windows, Wine's null pattern walks the cookie and history stores with the content;
// their entries lack the normal-entry bit, so the walk leaves them (but for a first one).
TEST(UrlCacheOnWine, CookieAndHistoryEntriesAreWalkedButKept) {
  auto env = testing::MakeUrlCacheEnv();  // empties the cache
  const std::vector<std::string> kept = {"Cookie:ann@wine.example/", "Cookie:ann@other.example/",
                                         "Visited: ann@http://wine.example/"};
  Commit(kept[0], COOKIE_CACHE_ENTRY);
  Commit(kept[1], COOKIE_CACHE_ENTRY);
  Commit(kept[2], URLHISTORY_CACHE_ENTRY);
  Commit("http://wine.example/page", NORMAL_CACHE_ENTRY);
  FrmMain frm(env->platform());
  QuietWindow window;
  frm.AttachWindow(window);
  CleanIECache(frm.context());
  EXPECT_FALSE(Has("http://wine.example/page"));
  int kept_count = 0;
  for (const std::string& url : kept)
    kept_count += Has(url) ? 1 : 0;
  EXPECT_GE(kept_count, 2);
}

}  // namespace
}  // namespace scourix
