#pragma once

#include <cstdint>
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

// The narrow registry functions of advapi32, one method each, with their status codes.
//
// Contract for every method: the result is a Win32 status; out-parameters are not touched
// on failure, except the sizes that a function reports with kMoreData, as Windows does.
// "Not found" (kFileNotFound) is a normal result, not an error to log.
//
// Text crosses this interface as UTF-8. The Win32 back-end converts names, and the data of
// string-typed values (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ), to and from the ANSI code page
// of the narrow functions; data sizes are those of the UTF-8 form.
class Registry {
 public:
  virtual ~Registry() = default;

  // RegOpenKeyExA(root, subkey, 0, access, result).
  [[nodiscard]] virtual Status OpenKey(RegKey root,
                                       std::string_view subkey,
                                       std::uint32_t access,
                                       RegKey* result) = 0;
  // RegCreateKeyExA(parent, subkey, 0, "", non-volatile, access, default security, result,
  // disposition). *created may be null.
  [[nodiscard]] virtual Status CreateKey(RegKey parent,
                                         std::string_view subkey,
                                         std::uint32_t access,
                                         RegKey* result,
                                         bool* created) = 0;
  // RegCloseKey. Closing a predefined root is a successful no-op; closing 0 fails.
  virtual Status CloseKey(RegKey key) = 0;
  // RegQueryValueExA. With data null only the type and size are reported. With a buffer too
  // small, kMoreData and the needed size. "" names the default value.
  [[nodiscard]] virtual Status QueryValue(RegKey key,
                                          std::string_view name,
                                          std::uint32_t* type,
                                          std::uint8_t* data,
                                          std::uint32_t* size) = 0;
  // RegSetValueExA.
  [[nodiscard]] virtual Status SetValue(RegKey key,
                                        std::string_view name,
                                        std::uint32_t type,
                                        const std::uint8_t* data,
                                        std::uint32_t size) = 0;
  // RegDeleteValueA.
  [[nodiscard]] virtual Status DeleteValue(RegKey key, std::string_view name) = 0;
  // RegDeleteKeyA: refuses (kAccessDenied) a key that has subkeys of its own.
  [[nodiscard]] virtual Status DeleteKey(RegKey key, std::string_view subkey) = 0;
  // RegEnumKeyA: subkeys in the platform's order (sorted, case-insensitively). name_size counts
  // the buffer in bytes, the terminating null included. Past the end: kNoMoreItems.
  [[nodiscard]] virtual Status EnumKey(RegKey key,
                                       std::uint32_t index,
                                       char* name,
                                       std::uint32_t name_size) = 0;
  // RegEnumValueA: values in the order they were first set (Wine keeps them sorted by name, and
  // sorts subkeys folding to lower case, so "_" comes before the letters there). *name_size is in
  // characters (without the null on return), *data_size in bytes. When either buffer is too small:
  // kMoreData, the needed data size reported, the name buffer left unwritten.
  // type, data and data_size may be null.
  [[nodiscard]] virtual Status EnumValue(RegKey key,
                                         std::uint32_t index,
                                         char* name,
                                         std::uint32_t* name_size,
                                         std::uint32_t* type,
                                         std::uint8_t* data,
                                         std::uint32_t* data_size) = 0;
  // RegQueryInfoKeyA, the counts and maxima only (any pointer may be null). Lengths are in
  // characters without the null; the data maximum in bytes.
  [[nodiscard]] virtual Status QueryInfoKey(RegKey key,
                                            std::uint32_t* subkeys,
                                            std::uint32_t* values,
                                            std::uint32_t* max_value_name_len,
                                            std::uint32_t* max_value_len) = 0;
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

// How a back-end hands what it read to the caller's buffers, as the Reg*A functions do. Shared
// by the back-ends so that both follow one contract.
// QueryValue: with data null only the type and size; a buffer too small gets kMoreData and
// the needed size. The caller has already refused data without size.
[[nodiscard]] Status DeliverValue(std::uint32_t value_type,
                                  std::string_view bytes,
                                  std::uint32_t* type,
                                  std::uint8_t* data,
                                  std::uint32_t* size);
// EnumValue: refuses a missing name buffer or data without data_size; when either buffer is
// too small, kMoreData with the type and the needed data size, the name buffer unwritten.
[[nodiscard]] Status DeliverEnumValue(std::string_view value_name,
                                      std::uint32_t value_type,
                                      std::string_view bytes,
                                      char* name,
                                      std::uint32_t* name_size,
                                      std::uint32_t* type,
                                      std::uint8_t* data,
                                      std::uint32_t* data_size);
// EnumKey: the name and its null, or kMoreData when they do not fit.
[[nodiscard]] Status DeliverKeyName(std::string_view key_name, char* name, std::uint32_t name_size);

}  // namespace scourix::platform
