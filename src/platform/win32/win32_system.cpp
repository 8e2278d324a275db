#include "platform/win32/win32_system.h"

#include <algorithm>
#include <iterator>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/windows_api.h"

namespace scourix::win32 {
namespace {

// The longest the waiting thread goes without calling meanwhile: a slice of the window's.
constexpr DWORD kMostWaitMs = 50;

DWORD WINAPI RunWork(void* work) {
  (*static_cast<const std::function<void()>*>(work))();
  return 0;
}

}  // namespace

platform::Status Win32System::GetVersion(platform::OsVersion* version) {
  OSVERSIONINFOA info{};
  static_assert(sizeof(info) == 148);
  info.dwOSVersionInfoSize = sizeof(info);
  std::fill(std::begin(info.szCSDVersion), std::end(info.szCSDVersion), ' ');
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExA(&info))
    return GetLastError();
#pragma GCC diagnostic pop
  version->major = info.dwMajorVersion;
  version->minor = info.dwMinorVersion;
  version->build = info.dwBuildNumber;
  version->platform_id = info.dwPlatformId;
  std::string_view csd(info.szCSDVersion, sizeof(info.szCSDVersion));
  version->service_pack = AnsiToUtf8(csd.substr(0, csd.find('\0')));
  return platform::kSuccess;
}

std::string Win32System::ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0)
      return std::string();
    if (length < path.size()) {
      path.resize(length);
      return WideToUtf8(path);
    }
    path.resize(path.size() * 2);
  }
}

platform::ModuleHandle Win32System::LoadDll(std::string_view name) {
  std::string ansi = Utf8ToAnsi(name);
  return reinterpret_cast<platform::ModuleHandle>(LoadLibraryA(ansi.c_str()));
}

void Win32System::FreeDll(platform::ModuleHandle module) {
  if (module != 0)
    FreeLibrary(reinterpret_cast<HMODULE>(module));
}

std::string Win32System::ToAnsi(std::string_view utf8) {
  return Utf8ToAnsi(utf8);
}

void Win32System::InitCommonControls() {
  ::InitCommonControls();
}

void Win32System::RunAside(const std::function<void()>& work,
                           const std::function<void()>& meanwhile) {
  // work outlives the thread: this call returns only once the thread has ended.
  UniqueKernelHandle thread(
      CreateThread(nullptr, 0, &RunWork, const_cast<std::function<void()>*>(&work), 0, nullptr));
  if (!thread) {
    work();
    return;
  }
  HANDLE handle = thread.get();
  for (;;) {
    DWORD woke = MsgWaitForMultipleObjects(1, &handle, FALSE, kMostWaitMs, QS_ALLINPUT);
    if (woke == WAIT_OBJECT_0)
      return;
    if (woke == WAIT_FAILED) {
      WaitForSingleObject(handle, INFINITE);
      return;
    }
    meanwhile();
  }
}

}  // namespace scourix::win32
