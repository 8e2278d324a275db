#include "platform/win32/win32_late_calls.h"

namespace scourix::win32 {
namespace {

template <typename Fn>
Fn Lookup(HMODULE module, const char* name) {
  if (module == nullptr)
    return nullptr;
  // GetProcAddress answers a generic FARPROC; the caller names the real signature.
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

LateCalls LookUpAll() {
  HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  HMODULE shell32 = GetModuleHandleW(L"shell32.dll");
  LateCalls calls;
  calls.get_final_path_name_by_handle =
      Lookup<GetFinalPathNameByHandleWFn>(kernel32, "GetFinalPathNameByHandleW");
  calls.get_system_wow64_directory =
      Lookup<GetSystemWow64DirectoryWFn>(kernel32, "GetSystemWow64DirectoryW");
  calls.sh_get_known_folder_path = Lookup<SHGetKnownFolderPathFn>(shell32, "SHGetKnownFolderPath");
  calls.nt_set_information_file = Lookup<NtFileInformationFn>(ntdll, "NtSetInformationFile");
  calls.nt_query_information_file = Lookup<NtFileInformationFn>(ntdll, "NtQueryInformationFile");
  calls.rtl_nt_status_to_dos_error =
      Lookup<RtlNtStatusToDosErrorFn>(ntdll, "RtlNtStatusToDosError");
  calls.nt_delete_key = Lookup<NtDeleteKeyFn>(ntdll, "NtDeleteKey");
  calls.wine_get_version = Lookup<WineGetVersionFn>(ntdll, "wine_get_version");
  return calls;
}

}  // namespace

const LateCalls& Late() {
  static const LateCalls calls = LookUpAll();
  return calls;
}

platform::Status StatusOfNt(LONG nt_status) {
  if (nt_status >= 0)
    return platform::kSuccess;
  RtlNtStatusToDosErrorFn to_dos = Late().rtl_nt_status_to_dos_error;
  return to_dos != nullptr ? static_cast<platform::Status>(to_dos(nt_status))
                           : platform::kAccessDenied;
}

}  // namespace scourix::win32
