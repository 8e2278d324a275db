#include <string>
#include <string_view>

#include "bench/bench_case.h"
#include "bench/bench_support.h"
#include "browser/browser_cleaners.h"
#include "platform/win32/for_each_url_cache_entry.h"
#include "platform/win32/unique_handle.h"

namespace scourix::bench {
namespace {

constexpr char kUrlPrefix[] = "http://bench.scourix.invalid/page";
constexpr long kWarmUpEntries = 200;

void SeedEntries(long entries) {
  for (long i = 0; i < entries; ++i) {
    const std::string url = kUrlPrefix + std::to_string(i) + ".htm";
    char file[MAX_PATH] = {};
    if (!CreateUrlCacheEntryA(url.c_str(), 0, "htm", file, 0))
      continue;
    win32::UniqueFileHandle handle(
        CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (handle) {
      DWORD written = 0;
      WriteFile(handle.get(), "<html></html>", 13, &written, nullptr);
    }
    FILETIME none{};
    CommitUrlCacheEntryA(url.c_str(), file, none, none, NORMAL_CACHE_ENTRY, nullptr, 0, "htm",
                         nullptr);
  }
}

// The walk's deletions without the label, the yield and the checks: every normal entry.
void BareWalk() {
  win32::ForEachUrlCacheEntry([&](const INTERNET_CACHE_ENTRY_INFOA& info) {
    if ((info.CacheEntryType & NORMAL_CACHE_ENTRY) != 0)
      DeleteUrlCacheEntryA(info.lpszSourceUrlName);
  });
}

long CountSeeded() {
  long count = 0;
  win32::ForEachUrlCacheEntry([&](const INTERNET_CACHE_ENTRY_INFOA& info) {
    if (std::string_view(info.lpszSourceUrlName).starts_with(kUrlPrefix))
      ++count;
  });
  return count;
}

}  // namespace

int RunCacheCase(BenchWindow& window, long entries, int rounds) {
  Context& ctx = window.context();
  // Wine builds its cache containers on first use; a small batch seeded and walked first keeps
  // that cost out of whichever side would otherwise run first.
  SeedEntries(kWarmUpEntries);
  BareWalk();
  SeedEntries(kWarmUpEntries);
  CleanIECache(ctx);

  BenchCase bench{
      .seed = [&] { SeedEntries(entries); },
      .scourix = [&] { CleanIECache(ctx); },
      .bare = [&] { BareWalk(); },
      .left = [&] { return CountSeeded(); },
  };
  SideTimes times;
  if (!RunAlternating(bench, rounds, times))
    return 1;
  PrintResult("cache", entries, times);
  return 0;
}

}  // namespace scourix::bench
