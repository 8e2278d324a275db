#include <string>
#include <vector>

#include "conformance/file_system_env.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_machine.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/windows_api.h"

namespace scourix::conformance {
namespace {

using win32::Utf8ToWide;
using win32::WideToUtf8;

// Wine's own export that maps a Windows path to the Unix one; absent on Windows.
std::string UnixPath(const std::string& path) {
  using Fn = char*(__cdecl*)(const wchar_t*);
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  auto fn = reinterpret_cast<Fn>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_unix_file_name")));
  if (fn == nullptr)
    return std::string();
  char* unix_path = fn(Utf8ToWide(path).c_str());
  if (unix_path == nullptr)
    return std::string();
  std::string out(unix_path);
  HeapFree(GetProcessHeap(), 0, unix_path);
  return out;
}

class Win32Env : public FileSystemEnv {
 public:
  Win32Env() {
    static int serial = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    root_ = WideToUtf8(temp) + "scourix-fs-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++serial);
    CreateDirectoryW(Utf8ToWide(root_).c_str(), nullptr);
  }
  ~Win32Env() override {
    held_.clear();
    // Removed from the Unix side, which does not follow links; Wine's removal of a directory
    // link would go through it.
    std::wstring unix_root = Utf8ToWide(UnixPath(root_));
    if (!unix_root.empty())
      RunUnix(L"/bin/rm", L"rm -rf \"" + unix_root + L"\"", root_, false);
  }

  platform::Platform& platform() override { return machine_.platform; }
  const std::string& root() const override { return root_; }

  // Wine has no way to make a link that it then reports as one, except a Unix symbolic link
  // made beside it: it shows a directory symlink as folder plus reparse point.
  bool MakeFolderLink(const std::string& link, const std::string& target) override {
    std::string unix_link = UnixPath(link);
    std::string unix_target = UnixPath(target);
    if (unix_link.empty() || unix_target.empty())
      return false;
    if (!RunUnix(L"/bin/ln",
                 L"ln -s \"" + Utf8ToWide(unix_target) + L"\" \"" + Utf8ToWide(unix_link) + L"\"",
                 link, true)) {
      return false;
    }
    DWORD attributes = GetFileAttributesW(Utf8ToWide(link).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
  }

  void HoldOpen(const std::string& path) override {
    held_.emplace_back(
        CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  }

  std::string Read(const std::string& path) override {
    win32::UniqueFileHandle file(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ,
                                             FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file.valid())
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
    std::wstring application = std::wstring(L"Z:") + program;
    for (wchar_t& c : application) {
      if (c == L'/')
        c = L'\\';
    }
    if (!CreateProcessW(application.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
      return false;
    }
    if (process.hProcess != nullptr)
      CloseHandle(process.hProcess);
    if (process.hThread != nullptr)
      CloseHandle(process.hThread);
    std::wstring wide = Utf8ToWide(watched);
    for (int i = 0; i < 100; ++i) {
      bool exists = GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
      if (exists == appears)
        return true;
      Sleep(50);
    }
    return false;
  }

  win32::Win32Machine machine_;
  std::string root_;
  std::vector<win32::UniqueFileHandle> held_;
};

}  // namespace

std::unique_ptr<FileSystemEnv> MakeFileSystemEnv() {
  return std::make_unique<Win32Env>();
}

}  // namespace scourix::conformance
