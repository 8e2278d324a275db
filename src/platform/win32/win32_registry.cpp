#include "platform/win32/win32_registry.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_late_calls.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/windows_api.h"

namespace scourix::win32 {
namespace {

using platform::RegKey;
using platform::Status;

// Predefined roots are sign-extended 32-bit values as HKEYs; other handles pass as they are.
HKEY ToHkey(RegKey key) {
  if (platform::IsPredefinedKey(key)) {
    return reinterpret_cast<HKEY>(
        static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(key))));
  }
  return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(key));
}

RegKey FromHkey(HKEY key) {
  return static_cast<RegKey>(reinterpret_cast<ULONG_PTR>(key));
}

bool IsStringType(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// Data as the interface carries it: string types as UTF-8, every other type as stored. An odd
// last byte of a string is dropped, as the narrow functions drop it.
std::string DataToUtf8(DWORD type, const std::string& stored) {
  if (!IsStringType(type))
    return stored;
  std::wstring wide(stored.size() / sizeof(wchar_t), L'\0');
  std::copy_n(stored.data(), wide.size() * sizeof(wchar_t), reinterpret_cast<char*>(wide.data()));
  return WideToUtf8(wide);
}

std::string DataFromUtf8(DWORD type, std::string bytes) {
  if (!IsStringType(type))
    return bytes;
  std::wstring wide = Utf8ToWide(bytes);
  return std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
}

Status ReadValue(HKEY key, const std::wstring& name, platform::RegValue* out) {
  DWORD size = 0;
  DWORD type = 0;
  LONG status = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
  for (int attempt = 0; status == ERROR_SUCCESS || status == ERROR_MORE_DATA; ++attempt) {
    std::string data(size, '\0');
    DWORD got = size;
    status = RegQueryValueExW(key, name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(data.data()), &got);
    if (status == ERROR_SUCCESS) {
      data.resize(got);
      out->name = WideToUtf8(name);
      out->type = type;
      out->data = DataToUtf8(type, data);
      return platform::kSuccess;
    }
    if (status != ERROR_MORE_DATA || attempt > 4)
      break;
    size = got;  // the value grew between the two reads
  }
  return status;
}

// Room for most values at the first read; a value whose data does not fit is read again at
// the size the first read reported, so a key of short values and one huge one costs one
// large read.
constexpr DWORD kFirstNameChars = 256;
constexpr DWORD kFirstDataBytes = 1024;

Status ReadEnumValue(HKEY key, DWORD index, platform::RegValue* out) {
  DWORD name_capacity = kFirstNameChars;
  DWORD data_capacity = kFirstDataBytes;
  LONG status = ERROR_MORE_DATA;
  for (int attempt = 0; attempt < 5 && status == ERROR_MORE_DATA; ++attempt) {
    std::wstring name(name_capacity, L'\0');
    std::string data(data_capacity, '\0');
    DWORD name_size = name_capacity;
    DWORD data_size = data_capacity;
    DWORD type = 0;
    status = RegEnumValueW(key, index, name.data(), &name_size, nullptr, &type,
                           reinterpret_cast<BYTE*>(data.data()), &data_size);
    if (status == ERROR_SUCCESS) {
      name.resize(name_size);
      data.resize(data_size);
      out->name = WideToUtf8(name);
      out->type = type;
      out->data = DataToUtf8(type, data);
      return platform::kSuccess;
    }
    if (status != ERROR_MORE_DATA)
      break;
    // The data did not fit: the call said how much there is. Only a name that did not fit
    // makes the key tell its longest name, which costs a pass over all its values.
    if (data_size > data_capacity) {
      data_capacity = data_size;
      continue;
    }
    DWORD longest_name = 0;
    DWORD longest_data = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         &longest_name, &longest_data, nullptr, nullptr) != ERROR_SUCCESS) {
      break;
    }
    name_capacity = std::max({name_capacity * 2, longest_name + 2});
    data_capacity = std::max({data_capacity * 2, longest_data + 2});
  }
  return status;
}

// A key made with REG_OPTION_CREATE_LINK keeps where it leads in this value; opened with
// REG_OPTION_OPEN_LINK, the handle is the link itself and shows it.
bool IsLink(HKEY key) {
  DWORD type = REG_NONE;
  return RegQueryValueExW(key, L"SymbolicLinkValue", nullptr, &type, nullptr, nullptr) ==
             ERROR_SUCCESS &&
         type == REG_LINK;
}

// Opens root\subkey without following a link named last (links on the way are followed, as
// the system's own are: HKCU\Software\Classes), and refuses such a link, so nothing done
// through the handle reaches outside the key named. Read access is added to tell a link; a key
// that denies it is opened as itself all the same, so even a link is only acted on as itself.
LONG OpenNoLink(HKEY root, const std::wstring& subkey, REGSAM access, HKEY* result) {
  HKEY opened = nullptr;
  LONG status =
      RegOpenKeyExW(root, subkey.c_str(), REG_OPTION_OPEN_LINK, access | KEY_QUERY_VALUE, &opened);
  if (status == ERROR_ACCESS_DENIED && (access & KEY_QUERY_VALUE) == 0)
    return RegOpenKeyExW(root, subkey.c_str(), REG_OPTION_OPEN_LINK, access, result);
  if (status != ERROR_SUCCESS)
    return status;
  UniqueRegKey key(opened);
  if (IsLink(key.get()))
    return ERROR_ACCESS_DENIED;
  *result = key.release();
  return ERROR_SUCCESS;
}

}  // namespace

Status Win32Registry::OpenKey(RegKey root,
                              std::string_view subkey,
                              std::uint32_t access,
                              RegKey* result) {
  if (platform::HoldsNull(subkey))
    return platform::kInvalidName;
  if (result == nullptr)
    return platform::kInvalidParameter;
  HKEY opened = nullptr;
  LONG status = OpenNoLink(ToHkey(root), Utf8ToWide(subkey), access, &opened);
  if (status != ERROR_SUCCESS)
    return status;
  *result = FromHkey(opened);
  return platform::kSuccess;
}

Status Win32Registry::CreateKey(RegKey parent,
                                std::string_view subkey,
                                std::uint32_t access,
                                RegKey* result,
                                bool* created) {
  if (platform::HoldsNull(subkey))
    return platform::kInvalidName;
  if (result == nullptr)
    return platform::kInvalidParameter;
  const std::wstring wide = Utf8ToWide(subkey);
  HKEY opened = nullptr;
  // An existing key is opened as OpenKey opens it, so a link there is refused, not followed.
  LONG status = OpenNoLink(ToHkey(parent), wide, access, &opened);
  DWORD disposition = REG_OPENED_EXISTING_KEY;
  if (status == ERROR_FILE_NOT_FOUND) {
    wchar_t no_class[] = L"";
    status = RegCreateKeyExW(ToHkey(parent), wide.c_str(), 0, no_class, REG_OPTION_NON_VOLATILE,
                             access, nullptr, &opened, &disposition);
  }
  if (status != ERROR_SUCCESS)
    return status;
  *result = FromHkey(opened);
  if (created != nullptr)
    *created = disposition == REG_CREATED_NEW_KEY;
  return platform::kSuccess;
}

Status Win32Registry::CloseKey(RegKey key) {
  if (platform::IsPredefinedKey(key))
    return platform::kSuccess;
  if (key == platform::kNoKey)
    return platform::kInvalidHandle;
  return RegCloseKey(ToHkey(key));
}

Status Win32Registry::QueryValue(RegKey key, std::string_view name, platform::RegValue* value) {
  if (platform::HoldsNull(name))
    return platform::kInvalidName;
  platform::RegValue read;
  if (Status status = ReadValue(ToHkey(key), Utf8ToWide(name), &read); status != platform::kSuccess)
    return status;
  *value = std::move(read);
  return platform::kSuccess;
}

Status Win32Registry::SetValue(RegKey key,
                               std::string_view name,
                               std::uint32_t type,
                               const std::uint8_t* data,
                               std::uint32_t size) {
  if (platform::HoldsNull(name))
    return platform::kInvalidName;
  if (data == nullptr && size != 0)
    return platform::kInvalidParameter;
  std::string bytes = DataFromUtf8(type, std::string(reinterpret_cast<const char*>(data), size));
  return RegSetValueExW(ToHkey(key), Utf8ToWide(name).c_str(), 0, type,
                        reinterpret_cast<const BYTE*>(bytes.data()),
                        static_cast<DWORD>(bytes.size()));
}

Status Win32Registry::DeleteValue(RegKey key, std::string_view name) {
  if (platform::HoldsNull(name))
    return platform::kInvalidName;
  return RegDeleteValueW(ToHkey(key), Utf8ToWide(name).c_str());
}

Status Win32Registry::DeleteKey(RegKey key, std::string_view subkey) {
  if (platform::HoldsNull(subkey))
    return platform::kInvalidName;
  // Opening "" would give the key itself, which this function never deletes.
  if (subkey.empty())
    return platform::kAccessDenied;
  NtDeleteKeyFn delete_key = Late().nt_delete_key;
  if (delete_key == nullptr)
    return platform::kNotSupported;
  // RegDeleteKeyW follows a link named last and deletes the key it leads to. The key is opened
  // as itself, checked, and deleted through that handle.
  HKEY opened = nullptr;
  if (LONG status = OpenNoLink(ToHkey(key), Utf8ToWide(subkey), DELETE, &opened);
      status != ERROR_SUCCESS) {
    return status;
  }
  UniqueRegKey target(opened);
  return StatusOfNt(delete_key(target.get()));
}

Status Win32Registry::EnumKey(RegKey key,
                              std::uint32_t index,
                              char* name,
                              std::uint32_t name_size) {
  wchar_t wide[MAX_PATH + 1];
  DWORD length = MAX_PATH + 1;
  // With its length: a name holding a NUL is handed on whole, and refused there.
  LONG status =
      RegEnumKeyExW(ToHkey(key), index, wide, &length, nullptr, nullptr, nullptr, nullptr);
  if (status != ERROR_SUCCESS)
    return status;
  return platform::DeliverKeyName(WideToUtf8(std::wstring_view(wide, length)), name, name_size);
}

Status Win32Registry::EnumValue(RegKey key, std::uint32_t index, platform::RegValue* value) {
  platform::RegValue read;
  if (Status status = ReadEnumValue(ToHkey(key), index, &read); status != platform::kSuccess)
    return status;
  *value = std::move(read);
  return platform::kSuccess;
}

}  // namespace scourix::win32
