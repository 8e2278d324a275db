#include "platform/win32/win32_system.h"

#include <algorithm>
#include <iterator>

#include "platform/win32/win32_text.h"
#include "platform/win32/windows_api.h"

namespace scourix::win32 {

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

}  // namespace scourix::win32
