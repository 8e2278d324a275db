// First: it sets what the Windows headers read and removes the macros that would clash with
// the platform interfaces.
// clang-format off
#include "platform/win32/windows_api.h"
#include <winternl.h>
// clang-format on

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "conformance/machine_envs.h"
#include "platform/win32/for_each_url_cache_entry.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_machine.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_text.h"
#include "tools/wine/registry_link.h"

namespace scourix::conformance {
namespace {

using win32::Utf8ToWide;
using win32::WideToUtf8;

constexpr char kScratchParent[] = "Software\\ScourixTest";

// The real registry with HKEY_CURRENT_USER redirected, in this process only, into a fresh key
// under HKEY_CURRENT_USER\Software\ScourixTest, so that the prefix's own data is never touched.
// The key is removed afterwards, and the parent too once no other run uses it.
class Win32RegistryEnv : public RegistryEnv {
 public:
  Win32RegistryEnv() {
    scratch_ = std::string(kScratchParent) + "\\run-" + std::to_string(GetCurrentProcessId()) +
               "-" + std::to_string(GetTickCount64());
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, scratch_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                    KEY_ALL_ACCESS, nullptr, &key, nullptr);
    scratch_key_.reset(key);
    RegOverridePredefKey(HKEY_CURRENT_USER, scratch_key_.get());
  }
  ~Win32RegistryEnv() override {
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    scratch_key_.reset();
    // RegDeleteTree would follow the links, and cannot name a key holding a NUL; each goes as
    // itself first.
    auto delete_key = reinterpret_cast<LONG(NTAPI*)(HANDLE)>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtDeleteKey")));
    for (const win32::UniqueRegKey& key : null_keys_)
      delete_key(key.get());
    for (const std::string& link : links_) {
      HKEY key = nullptr;
      if (RegOpenKeyExW(HKEY_CURRENT_USER, Utf8ToWide(scratch_ + "\\" + link).c_str(),
                        REG_OPTION_OPEN_LINK, DELETE, &key) == ERROR_SUCCESS) {
        delete_key(key);
        RegCloseKey(key);
      }
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, scratch_.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, kScratchParent);  // refused while other runs hold keys
  }
  platform::Registry& registry() override { return registry_; }
  bool IsWine() const override { return true; }
  void MakeKeyHoldingNull(const std::string& parent, const std::string& name) override {
    using NtCreateKeyFn = LONG(NTAPI*)(HANDLE*, ACCESS_MASK, OBJECT_ATTRIBUTES*, ULONG,
                                       UNICODE_STRING*, ULONG, ULONG*);
    auto create_key = reinterpret_cast<NtCreateKeyFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtCreateKey")));
    HKEY parent_key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, Utf8ToWide(parent).c_str(), 0, KEY_ALL_ACCESS,
                            &parent_key),
              ERROR_SUCCESS);
    win32::UniqueRegKey parent_owner(parent_key);
    std::wstring wide = Utf8ToWide(name);
    const auto bytes = static_cast<USHORT>(wide.size() * sizeof(wchar_t));
    UNICODE_STRING counted{bytes, bytes, wide.data()};
    OBJECT_ATTRIBUTES attributes{};
    attributes.Length = sizeof attributes;
    attributes.RootDirectory = parent_key;
    attributes.ObjectName = &counted;
    HANDLE key = nullptr;
    ASSERT_EQ(create_key(&key, KEY_ALL_ACCESS, &attributes, 0, nullptr, 0, nullptr), 0);
    null_keys_.emplace_back(static_cast<HKEY>(key));
  }
  void MakeLink(const std::string& link, const std::string& target) override {
    HKEY target_key = nullptr;
    ASSERT_EQ(
        RegOpenKeyExW(HKEY_CURRENT_USER, Utf8ToWide(target).c_str(), 0, KEY_READ, &target_key),
        ERROR_SUCCESS);
    win32::UniqueRegKey target_owner(target_key);
    links_.push_back(link);
    ASSERT_EQ(tools::MakeRegistryLink(HKEY_CURRENT_USER, Utf8ToWide(link).c_str(), target_key),
              ERROR_SUCCESS);
  }

 private:
  std::vector<std::string> links_;
  std::vector<win32::UniqueRegKey> null_keys_;
  std::string scratch_;
  win32::UniqueRegKey scratch_key_;
  win32::Win32Registry registry_;
};

// Wine's own export that maps a Windows path to the Unix one; absent on Windows.
std::wstring UnixPath(const std::string& path) {
  using Fn = char*(__cdecl*)(const wchar_t*);
  auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  char* unix_path = fn != nullptr ? fn(Utf8ToWide(path).c_str()) : nullptr;
  if (unix_path == nullptr)
    return std::wstring();
  std::wstring out = Utf8ToWide(unix_path);
  HeapFree(GetProcessHeap(), 0, unix_path);
  return out;
}

class Win32FileSystemEnv : public FileSystemEnv {
 public:
  Win32FileSystemEnv() {
    static int serial = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    root_ = WideToUtf8(temp) + "scourix-fs-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++serial);
    CreateDirectoryW(Utf8ToWide(root_).c_str(), nullptr);
  }
  ~Win32FileSystemEnv() override {
    held_.clear();
    // Removed from the Unix side, which does not follow links; Wine's removal of a directory
    // link would go through it.
    std::wstring unix_root = UnixPath(root_);
    if (!unix_root.empty())
      RunUnix(L"Z:\\bin\\rm", L"rm -rf \"" + unix_root + L"\"", root_, false);
  }

  platform::Platform& platform() override { return machine_.platform; }
  const std::string& root() const override { return root_; }

  // Wine has no way to make a link that it then reports as one, except a Unix symbolic link
  // made beside it: it shows a directory symlink as folder plus reparse point.
  bool MakeFolderLink(const std::string& link, const std::string& target) override {
    std::wstring unix_link = UnixPath(link);
    std::wstring unix_target = UnixPath(target);
    if (unix_link.empty() || unix_target.empty() ||
        !RunUnix(L"Z:\\bin\\ln", L"ln -s \"" + unix_target + L"\" \"" + unix_link + L"\"", link,
                 true)) {
      return false;
    }
    DWORD attributes = GetFileAttributesW(Utf8ToWide(link).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
  }

  bool MakeFileLink(const std::string& link, const std::string& target) override {
    std::wstring unix_link = UnixPath(link);
    std::wstring unix_target = UnixPath(target);
    // A link to nothing is invisible from Windows, so a file made after it tells it is there.
    return !unix_link.empty() && !unix_target.empty() &&
           RunUnix(L"Z:\\bin\\sh",
                   L"sh -c \"ln -s \\\"" + unix_target + L"\\\" \\\"" + unix_link +
                       L"\\\" && : >\\\"" + unix_link + L".made\\\"\"",
                   link + ".made", true);
  }

  bool MakeHardLink(const std::string& link, const std::string& existing) override {
    return CreateHardLinkW(Utf8ToWide(link).c_str(), Utf8ToWide(existing).c_str(), nullptr) !=
           FALSE;
  }

  void HoldOpen(const std::string& path) override {
    held_.emplace_back(
        CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  }

  std::string Read(const std::string& path) override {
    win32::UniqueFileHandle file(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ,
                                             FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
      return "<missing>";
    std::string data(4096, '\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), data.data(), static_cast<DWORD>(data.size()), &read, nullptr))
      return "<missing>";
    data.resize(read);
    return data;
  }

 private:
  // Wine starts a Unix program without a handle to wait on, so the effect is polled for:
  // the path appearing (or, for removals, disappearing).
  static bool RunUnix(const wchar_t* program,
                      std::wstring command,
                      const std::string& watched,
                      bool appears) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
      return false;
    }
    win32::UniqueKernelHandle started(process.hProcess);
    win32::UniqueKernelHandle started_thread(process.hThread);
    std::wstring wide = Utf8ToWide(watched);
    for (int i = 0; i < 100; ++i, Sleep(50)) {
      if ((GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES) == appears)
        return true;
    }
    return false;
  }

  win32::Win32Machine machine_;
  std::string root_;
  std::vector<win32::UniqueFileHandle> held_;
};

// Deletes every entry that a null pattern enumerates (on Wine: the content, cookie and history
// stores), with bare wininet calls.
void EmptyUrlCache() {
  std::vector<std::string> urls;
  win32::ForEachUrlCacheEntry([&urls](const INTERNET_CACHE_ENTRY_INFOA& info) {
    urls.emplace_back(info.lpszSourceUrlName);
  });
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
    {
      win32::UniqueFileHandle handle(
          CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
      ASSERT_TRUE(handle);
      DWORD written = 0;
      WriteFile(handle.get(), "<html></html>", 13, &written, nullptr);
    }
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

std::unique_ptr<RegistryEnv> MakeRegistryEnv() {
  return std::make_unique<Win32RegistryEnv>();
}
std::unique_ptr<FileSystemEnv> MakeFileSystemEnv() {
  return std::make_unique<Win32FileSystemEnv>();
}
std::unique_ptr<UrlCacheEnv> MakeUrlCacheEnv() {
  return std::make_unique<Win32UrlCacheEnv>();
}

}  // namespace scourix::conformance
