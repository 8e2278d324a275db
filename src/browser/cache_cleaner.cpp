#include "browser/browser_cleaners.h"
#include "browser/mdl_cache.h"
#include "platform/url_cache.h"

namespace scourix {
namespace {

// A normal entry of the content store. Wine lists the cookie and history stores with it, and
// their entries carry the normal bit where whoever wrote them set it: those belong to the
// cookie and history boxes.
bool IsContentEntry(Context& ctx) {
  if ((GetCacheEntryType(ctx) & platform::kNormalCacheEntry) == 0)
    return false;
  return !platform::InCookieOrHistoryContainer(GetCacheSourceUrl(ctx));
}

}  // namespace

void CleanIECache(Context& ctx) {
  if (!FindFirstCacheEntry(ctx))
    return;
  FolderHold hold;
  // Only normal entries go, the first one included: whatever else comes first is another
  // kind of entry, which this box does not name.
  if (IsContentEntry(ctx))
    DeleteCurrentCacheEntry(ctx, hold);
  while (FindNextCacheEntry(ctx)) {
    if (!IsContentEntry(ctx))
      continue;
    DeleteCurrentCacheEntry(ctx, hold);
    ctx.window.DoEvents();
    if (ctx.window.ended())
      return;
  }
  // The enumeration stays open; the next walk closes it.
}

}  // namespace scourix
