// Plants and checks registry links for the end-to-end tests: a key under HKEY_CURRENT_USER made
// as a symbolic link to another key there, which holds values that no step may touch.
//
//   reg_link plant LINK TARGET   makes TARGET with values "a" and "b", and LINK leading to it
//   reg_link check LINK TARGET   exit 0 when LINK is still a link and TARGET still holds both
//
// Both are subkeys of HKEY_CURRENT_USER, such as Software\Canary.
#include <windows.h>

#include <cstdio>
#include <string>

#include "registry_link.h"

namespace {

// Whether the key at path is a link, seen as itself.
bool IsLink(const wchar_t* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path, REG_OPTION_OPEN_LINK, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  DWORD type = REG_NONE;
  bool link = RegQueryValueExW(key, L"SymbolicLinkValue", nullptr, &type, nullptr, nullptr) ==
                  ERROR_SUCCESS &&
              type == REG_LINK;
  RegCloseKey(key);
  return link;
}

// Planted again before every run: the canary's values are set afresh, the link made once.
int Plant(const wchar_t* link, const wchar_t* target) {
  HKEY target_key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, target, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &target_key, nullptr) != ERROR_SUCCESS)
    return 1;
  for (const wchar_t* name : {L"a", L"b"})
    RegSetValueExW(target_key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(L"keep"), 10);
  LONG status = IsLink(link)
                    ? ERROR_SUCCESS
                    : scourix::tools::MakeRegistryLink(HKEY_CURRENT_USER, link, target_key);
  RegCloseKey(target_key);
  return status == ERROR_SUCCESS ? 0 : 1;
}

int Check(const wchar_t* link, const wchar_t* target) {
  bool is_link = IsLink(link);
  int values = 0;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, target, 0, KEY_READ, &key) == ERROR_SUCCESS) {
    for (const wchar_t* name : {L"a", L"b"}) {
      if (RegQueryValueExW(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
        ++values;
    }
    RegCloseKey(key);
  }
  std::printf("link %s, target values %d of 2\n", is_link ? "kept" : "gone", values);
  return is_link && values == 2 ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4)
    return 2;
  std::wstring mode = argv[1];
  if (mode == L"plant")
    return Plant(argv[2], argv[3]);
  if (mode == L"check")
    return Check(argv[2], argv[3]);
  return 2;
}
