#pragma once

#include <cstdint>

#include "platform/status.h"
#include "platform/win32/windows_api.h"

// System calls that the program may use but must not import: newer than Windows XP, or
// exported by ntdll only. Each is looked up once; null where the system lacks it.
namespace scourix::win32 {

using GetFinalPathNameByHandleWFn = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);
using GetSystemWow64DirectoryWFn = UINT(WINAPI*)(LPWSTR, UINT);
using SHGetKnownFolderPathFn = HRESULT(WINAPI*)(const GUID&, DWORD, HANDLE, PWSTR*);

// ntdll's IO_STATUS_BLOCK.
struct IoStatusBlock {
  union {
    LONG status;
    void* pointer;
  };
  ULONG_PTR information;
};
// NtSetInformationFile and NtQueryInformationFile.
using NtFileInformationFn = LONG(NTAPI*)(HANDLE, IoStatusBlock*, void*, ULONG, int);
using RtlNtStatusToDosErrorFn = ULONG(NTAPI*)(LONG);
using NtDeleteKeyFn = LONG(NTAPI*)(HANDLE);
using WineGetVersionFn = const char* (*)();

struct LateCalls {
  GetFinalPathNameByHandleWFn get_final_path_name_by_handle = nullptr;  // Vista
  GetSystemWow64DirectoryWFn get_system_wow64_directory = nullptr;      // XP x64
  SHGetKnownFolderPathFn sh_get_known_folder_path = nullptr;            // Vista
  NtFileInformationFn nt_set_information_file = nullptr;                // every NT
  NtFileInformationFn nt_query_information_file = nullptr;              // every NT
  RtlNtStatusToDosErrorFn rtl_nt_status_to_dos_error = nullptr;         // every NT
  NtDeleteKeyFn nt_delete_key = nullptr;                                // every NT
  WineGetVersionFn wine_get_version = nullptr;                          // Wine only
};

const LateCalls& Late();

// An ntdll call's NTSTATUS as the Win32 status the seam speaks: success for any success code,
// the matching error code otherwise (access denied where that cannot be looked up).
platform::Status StatusOfNt(LONG nt_status);

}  // namespace scourix::win32
