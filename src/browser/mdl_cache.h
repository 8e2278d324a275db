#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "primitives/context.h"
#include "primitives/purge.h"

// One walk of the URL cache, entry by entry, with the current entry kept in ctx.cache.
namespace scourix {

// Starts a new walk (closing the previous one) and fetches its first entry. An empty pattern
// walks the content entries; "Cookie:" walks the cookie container.
bool FindFirstCacheEntry(Context& ctx, std::string_view pattern = {});
// Fetches the next entry of the open walk. False at the end, or when no walk is open.
bool FindNextCacheEntry(Context& ctx);
std::uint32_t GetCacheEntryType(Context& ctx);
// The current entry's strings; "" when it has none.
std::string GetCacheSourceUrl(Context& ctx);
std::string GetCacheLocalFile(Context& ctx);
// Removes the current entry with its local file, and shows "Deleting - <url>" whether or not
// the cache lets it go (an entry in use stays). The cache deletes the file by its text,
// wherever that leads: an entry whose file is not where its text says is left, unshown.
// hold keeps the folder of the last entry's file open for the next entry's.
void DeleteCurrentCacheEntry(Context& ctx, FolderHold& hold);

}  // namespace scourix
