#include <windows.h>

#include <wininet.h>

#include <gtest/gtest.h>
#include <vector>

#include "conformance/url_cache_env.h"
#include "platform/win32/win32_machine.h"

namespace scourix::testing {
namespace {

// Deletes every entry that a null pattern enumerates (on Wine: the content, cookie and history
// stores), with bare wininet calls.
void EmptyUrlCache() {
  std::vector<std::string> urls;
  DWORD size = 0;
  std::vector<std::uint64_t> block;
  HANDLE find = nullptr;
  for (;;) {
    auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(block.data());
    BOOL ok = find == nullptr ? (find = FindFirstUrlCacheEntryA(nullptr, info, &size)) != nullptr
                              : FindNextUrlCacheEntryA(find, info, &size);
    if (ok) {
      urls.emplace_back(info->lpszSourceUrlName);
    } else if (GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
      block.assign(size / 8 + 1, 0);
    } else {
      break;
    }
  }
  if (find != nullptr)
    FindCloseUrlCache(find);
  for (const std::string& url : urls)
    DeleteUrlCacheEntryA(url.c_str());
}

class Win32UrlCacheEnv : public UrlCacheEnv {
 public:
  Win32UrlCacheEnv() { EmptyUrlCache(); }
  ~Win32UrlCacheEnv() override { EmptyUrlCache(); }

  platform::Platform& platform() override { return machine_.platform; }

  void Seed(const std::string& url, std::uint32_t type) override {
    char file[MAX_PATH] = {};
    ASSERT_TRUE(CreateUrlCacheEntryA(url.c_str(), 0, "htm", file, 0)) << GetLastError();
    HANDLE handle = CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(handle, "<html></html>", 13, &written, nullptr);
    CloseHandle(handle);
    FILETIME none{};
    ASSERT_TRUE(
        CommitUrlCacheEntryA(url.c_str(), file, none, none, type, nullptr, 0, "htm", nullptr))
        << GetLastError();
  }

  std::uint32_t StoredType(std::uint32_t type) override { return type | NORMAL_CACHE_ENTRY; }

  bool Has(const std::string& url) override {
    DWORD size = 0;
    GetUrlCacheEntryInfoA(url.c_str(), nullptr, &size);
    return GetLastError() == ERROR_INSUFFICIENT_BUFFER;
  }

 private:
  win32::Win32Machine machine_;
};

}  // namespace

std::unique_ptr<UrlCacheEnv> MakeUrlCacheEnv() {
  return std::make_unique<Win32UrlCacheEnv>();
}

}  // namespace scourix::testing
