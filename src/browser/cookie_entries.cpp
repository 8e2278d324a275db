#include "browser/cookie_entries.h"

#include <string>

#include "browser/mdl_cache.h"
#include "platform/url_cache.h"

namespace scourix {

void DeleteCookieEntries(Context& ctx) {
  if (!FindFirstCacheEntry(ctx, platform::kCookieContainer))
    return;
  FolderHold hold;
  do {
    std::string url = GetCacheSourceUrl(ctx);
    // Whatever the pattern let through that is not a cookie entry stays.
    if (!url.starts_with(platform::kCookieContainer))
      continue;
    DeleteCurrentCacheEntry(ctx, hold);
    ctx.window.DoEvents();
    if (ctx.window.ended())
      return;
  } while (FindNextCacheEntry(ctx));
}

}  // namespace scourix
