#include "browser/browser_cleaners.h"
#include "browser/mdl_cache.h"
#include "platform/url_cache.h"

namespace scourix {

void CleanIECache(Context& ctx) {
  if (!FindFirstCacheEntry(ctx))
    return;
  FolderHold hold;
  // Only normal entries go, the first one included: whatever else comes first is another
  // kind of entry, which this box does not name.
  if ((GetCacheEntryType(ctx) & platform::kNormalCacheEntry) != 0)
    DeleteCurrentCacheEntry(ctx, hold);
  while (FindNextCacheEntry(ctx)) {
    if ((GetCacheEntryType(ctx) & platform::kNormalCacheEntry) == 0)
      continue;
    DeleteCurrentCacheEntry(ctx, hold);
    ctx.window.DoEvents();
    if (ctx.window.ended())
      return;
  }
  // The enumeration stays open; the next walk closes it.
}

}  // namespace scourix
