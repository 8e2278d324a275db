#include <windows.h>

#include <wininet.h>

#include <gtest/gtest.h>
#include <vector>

#include "app/frm_main.h"
#include "browser/browser_cleaners.h"
#include "conformance/machine_envs.h"
#include "conformance/status_window.h"

namespace scourix {
namespace {

// Unlike Windows, Wine's null pattern walks the cookie and history stores with the content;
// their entries lack the normal-entry bit, so the walk leaves them (but for a first one).
TEST(UrlCacheOnWine, CookieAndHistoryEntriesAreWalkedButKept) {
  auto env = conformance::MakeUrlCacheEnv();  // empties the cache
  const std::vector<std::string> kept = {"Cookie:ann@wine.example/", "Cookie:ann@other.example/",
                                         "Visited: ann@http://wine.example/"};
  env->Seed(kept[0], COOKIE_CACHE_ENTRY);
  env->Seed(kept[1], COOKIE_CACHE_ENTRY);
  env->Seed(kept[2], URLHISTORY_CACHE_ENTRY);
  env->Seed("http://wine.example/page", NORMAL_CACHE_ENTRY);
  FrmMain frm(env->platform());
  conformance::StatusWindow window;
  frm.AttachWindow(window);
  CleanIECache(frm.context());
  EXPECT_FALSE(env->Has("http://wine.example/page"));
  int kept_count = 0;
  for (const std::string& url : kept)
    kept_count += env->Has(url) ? 1 : 0;
  EXPECT_GE(kept_count, 2);
}

}  // namespace
}  // namespace scourix
