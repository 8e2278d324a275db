#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/status.h"
#include "platform/unique_seam_handle.h"

namespace scourix::platform {

// An open registry key. 0 is "no key". The predefined roots carry the 32-bit values that
// Windows gives them; each back-end maps them to its own handles.
using RegKey = std::uint64_t;

inline constexpr RegKey kNoKey = 0;
inline constexpr RegKey kHkeyClassesRoot = 0x80000000;
inline constexpr RegKey kHkeyCurrentUser = 0x80000001;
inline constexpr RegKey kHkeyLocalMachine = 0x80000002;
inline constexpr RegKey kHkeyUsers = 0x80000003;

inline constexpr bool IsPredefinedKey(RegKey key) {
  return key >= kHkeyClassesRoot && key <= 0x80000006;
}

// Registry value types.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegDwordBigEndian = 5;
inline constexpr std::uint32_t kRegLink = 6;
inline constexpr std::uint32_t kRegMultiSz = 7;
inline constexpr std::uint32_t kRegResourceList = 8;
inline constexpr std::uint32_t kRegFullResourceDescriptor = 9;
inline constexpr std::uint32_t kRegResourceRequirementsList = 10;
inline constexpr std::uint32_t kRegQword = 11;

// Access masks.
inline constexpr std::uint32_t kKeyQueryValue = 0x0001;
inline constexpr std::uint32_t kKeySetValue = 0x0002;
inline constexpr std::uint32_t kKeyCreateSubKey = 0x0004;
inline constexpr std::uint32_t kKeyEnumerateSubKeys = 0x0008;
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kKeyAllAccess = 0xF003F;
inline constexpr std::uint32_t kDeleteAccess = 0x10000;  // DELETE
inline constexpr std::uint32_t kReadControl = 0x20000;
inline constexpr std::uint32_t kWriteDac = 0x40000;
inline constexpr std::uint32_t kWriteOwner = 0x80000;

// Statuses that only the registry gives.
inline constexpr Status kBadPathname = 161;
inline constexpr Status kKeyDeleted = 1018;  // the key behind an open handle was deleted

// One value as a back-end read it: its name, its type and its data, string types as UTF-8
// with their terminating nulls as stored.
struct RegValue {
  std::string name;
  std::uint32_t type = 0;
  std::string data;
};

// The registry functions of advapi32, one method each, with their status codes.
//
// Contract for every method: the result is a Win32 status; out-parameters are not touched
// on failure, except the buffer size EnumKey reports with kMoreData. Values cross whole, so
// callers keep no buffers of their own. "Not found" (kFileNotFound) is a normal result, not
// an error to log. A key or value name holding a NUL, which only the native calls can make,
// is refused (kInvalidName), never cut: cut, it would name another one, or the parent key.
//
// A key that is a symbolic link (made with REG_OPTION_CREATE_LINK) is never followed where it
// is named last: OpenKey, CreateKey and DeleteKey refuse it (kAccessDenied) and leave it and
// the key it leads to as they are, so nothing done through a handle reaches outside the key a
// caller named. Links on the way to a key are followed, as the system's own are.
//
// Text crosses this interface as UTF-8, and every name the registry holds is listed and
// addressed exactly, whatever the ANSI code page. The Win32 back-end converts names, and the
// data of string-typed values (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ), to and from the UTF-16 of
// the wide functions; data sizes are those of the UTF-8 form.
class Registry {
 public:
  virtual ~Registry() = default;

  // RegOpenKeyExW(root, subkey, 0, access, result).
  [[nodiscard]] virtual Status OpenKey(RegKey root,
                                       std::string_view subkey,
                                       std::uint32_t access,
                                       RegKey* result) = 0;
  // RegCreateKeyExW(parent, subkey, 0, "", non-volatile, access, default security, result,
  // disposition). *created may be null.
  [[nodiscard]] virtual Status CreateKey(RegKey parent,
                                         std::string_view subkey,
                                         std::uint32_t access,
                                         RegKey* result,
                                         bool* created) = 0;
  // RegCloseKey. Closing a predefined root is a successful no-op; closing 0 fails.
  virtual Status CloseKey(RegKey key) = 0;
  // RegQueryValueExW: the whole value, however long (the back-end reads again when it grew
  // between its reads). "" names the default value.
  [[nodiscard]] virtual Status QueryValue(RegKey key, std::string_view name, RegValue* value) = 0;
  // RegSetValueExW.
  [[nodiscard]] virtual Status SetValue(RegKey key,
                                        std::string_view name,
                                        std::uint32_t type,
                                        const std::uint8_t* data,
                                        std::uint32_t size) = 0;
  // RegDeleteValueW.
  [[nodiscard]] virtual Status DeleteValue(RegKey key, std::string_view name) = 0;
  // RegDeleteKeyW: refuses (kAccessDenied) a key that has subkeys of its own, and "" (the key
  // itself).
  [[nodiscard]] virtual Status DeleteKey(RegKey key, std::string_view subkey) = 0;
  // RegEnumKeyExW: subkeys in the platform's order (sorted, case-insensitively). name_size counts
  // the buffer in bytes, the terminating null included. Past the end: kNoMoreItems.
  [[nodiscard]] virtual Status EnumKey(RegKey key,
                                       std::uint32_t index,
                                       char* name,
                                       std::uint32_t name_size) = 0;
  // RegEnumValueW: value number index, whole, in the order the values were first set (Wine
  // keeps them sorted by name, and sorts subkeys folding to lower case, so "_" comes before the
  // letters there). Past the end: kNoMoreItems.
  [[nodiscard]] virtual Status EnumValue(RegKey key, std::uint32_t index, RegValue* value) = 0;
};

// Owns one open key; closes it on destruction. Closing a predefined root is a no-op.
using UniqueRegKey = UniqueSeamHandle<Registry, RegKey, &Registry::CloseKey, kNoKey>;

// OpenKey and CreateKey into an owner: on failure *key is left as it was.
[[nodiscard]] inline Status OpenKey(Registry& registry,
                                    RegKey root,
                                    std::string_view subkey,
                                    std::uint32_t access,
                                    UniqueRegKey* key) {
  return OpenInto(registry, key,
                  [&](RegKey* opened) { return registry.OpenKey(root, subkey, access, opened); });
}
[[nodiscard]] inline Status CreateKey(Registry& registry,
                                      RegKey parent,
                                      std::string_view subkey,
                                      std::uint32_t access,
                                      UniqueRegKey* key,
                                      bool* created = nullptr) {
  return OpenInto(registry, key, [&](RegKey* opened) {
    return registry.CreateKey(parent, subkey, access, opened, created);
  });
}

// How a back-end hands a subkey's name to the caller's buffer, as RegEnumKey does. Shared by
// the back-ends so that both follow one contract.
// EnumKey: the name and its null, kMoreData when they do not fit, or kInvalidName for a name
// holding a NUL.
[[nodiscard]] Status DeliverKeyName(std::string_view key_name, char* name, std::uint32_t name_size);
// A name or path the functions refuse: one holding a NUL.
[[nodiscard]] bool HoldsNull(std::string_view name);

}  // namespace scourix::platform
