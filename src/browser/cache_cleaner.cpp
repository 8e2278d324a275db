#include "browser/browser_cleaners.h"
#include "browser/mdl_cache.h"
#include "platform/url_cache.h"

namespace scourix {
namespace {

void DeleteCurrentEntry(Context& ctx) {
  std::string url = GetCacheSourceUrl(ctx);
  // A refused deletion (an entry in use) is still shown; the walk goes on.
  (void)DeleteCacheEntry(ctx, url);
  ctx.window.SetStatus("Deleting - " + url);
}

}  // namespace

void CleanIECache(Context& ctx) {
  if (!FindFirstCacheEntry(ctx))
    return;
  // Only normal entries go, the first one included: whatever else comes first is another
  // kind of entry, which this box does not name.
  if ((GetCacheEntryType(ctx) & platform::kNormalCacheEntry) != 0)
    DeleteCurrentEntry(ctx);
  while (FindNextCacheEntry(ctx)) {
    if ((GetCacheEntryType(ctx) & platform::kNormalCacheEntry) == 0)
      continue;
    DeleteCurrentEntry(ctx);
    ctx.window.DoEvents();
    if (ctx.window.ended())
      return;
  }
  // The enumeration stays open; the next walk closes it.
}

}  // namespace scourix
