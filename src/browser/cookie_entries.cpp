#include "browser/cookie_entries.h"

#include <string>

#include "browser/mdl_cache.h"

namespace scourix {
namespace {

// The container's prefix as Windows spells it in every entry's URL. Wine compares the pattern
// case-sensitively, so the documentation's "cookie:" would find nothing there.
constexpr std::string_view kCookieContainer = "Cookie:";

}  // namespace

void DeleteCookieEntries(Context& ctx) {
  if (!FindFirstCacheEntry(ctx, kCookieContainer))
    return;
  FolderHold hold;
  do {
    std::string url = GetCacheSourceUrl(ctx);
    // Whatever the pattern let through that is not a cookie entry stays.
    if (!url.starts_with(kCookieContainer))
      continue;
    DeleteCurrentCacheEntry(ctx, hold);
    ctx.window.DoEvents();
    if (ctx.window.ended())
      return;
  } while (FindNextCacheEntry(ctx));
}

}  // namespace scourix
