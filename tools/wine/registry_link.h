// Makes registry links for the tests: the end-to-end tool and the back-end tests plant them
// the same way.
#pragma once

#include <windows.h>

#include <cstring>
#include <vector>

namespace scourix::tools {

// The key's full native name (\REGISTRY\USER\...), which a link holds as its target; empty
// when it cannot be read.
inline std::vector<BYTE> NativeKeyName(HKEY key) {
  using NtQueryKeyFn = LONG(NTAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  constexpr int kKeyNameInformation = 3;
  auto query_key = reinterpret_cast<NtQueryKeyFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryKey")));
  std::vector<BYTE> info(4096);
  ULONG size = 0;
  if (query_key == nullptr ||
      query_key(key, kKeyNameInformation, info.data(), static_cast<ULONG>(info.size()), &size) != 0)
    return {};
  ULONG bytes = 0;
  std::memcpy(&bytes, info.data(), sizeof bytes);  // then the name, not null-terminated
  return std::vector<BYTE>(info.begin() + sizeof bytes, info.begin() + sizeof bytes + bytes);
}

// Makes root\link a symbolic link to the open key target.
inline LONG MakeRegistryLink(HKEY root, const wchar_t* link, HKEY target) {
  const std::vector<BYTE> name = NativeKeyName(target);
  if (name.empty())
    return ERROR_INVALID_DATA;
  HKEY link_key = nullptr;
  LONG status = RegCreateKeyExW(root, link, 0, nullptr, REG_OPTION_CREATE_LINK,
                                KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr, &link_key, nullptr);
  if (status != ERROR_SUCCESS)
    return status;
  status = RegSetValueExW(link_key, L"SymbolicLinkValue", 0, REG_LINK, name.data(),
                          static_cast<DWORD>(name.size()));
  RegCloseKey(link_key);
  return status;
}

}  // namespace scourix::tools
