// Seeds and lists the prefix's URL cache for the end-to-end tests and the demo:
//   cache_tool seed URL TYPE [URL TYPE...]   (TYPE in hexadecimal)
//   cache_tool list [PATTERN]                one "type url" line per entry, type in hexadecimal;
//                                            "Cookie:" lists the cookie container
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/win32/for_each_url_cache_entry.h"
#include "platform/win32/unique_handle.h"

static int Seed(int argc, char** argv) {
  for (int i = 2; i + 1 < argc; i += 2) {
    char file[MAX_PATH] = {};
    if (!CreateUrlCacheEntryA(argv[i], 0, "htm", file, 0))
      return 1;
    scourix::win32::UniqueFileHandle handle(
        CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    WriteFile(handle.get(), "<html></html>", 13, &written, nullptr);
    FILETIME none{};
    DWORD type = std::strtoul(argv[i + 1], nullptr, 16);
    if (!CommitUrlCacheEntryA(argv[i], file, none, none, type, nullptr, 0, "htm", nullptr)) {
      return 1;
    }
  }
  return 0;
}

static int List(const char* pattern) {
  scourix::win32::ForEachUrlCacheEntry(
      [](const INTERNET_CACHE_ENTRY_INFOA& info) {
        std::printf("%lx %s\n", info.CacheEntryType, info.lpszSourceUrlName);
      },
      pattern);
  return 0;
}

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "list") == 0)
    return List(argc >= 3 ? argv[2] : nullptr);
  if (argc >= 4 && std::strcmp(argv[1], "seed") == 0)
    return Seed(argc, argv);
  std::fprintf(stderr, "usage: cache_tool seed URL TYPE... | list [PATTERN]\n");
  return 2;
}
