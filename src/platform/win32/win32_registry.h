#pragma once

#include "platform/registry.h"

namespace scourix::win32 {

// The real registry through the wide Reg*W functions of advapi32. Names and the data of
// string-typed values are converted between UTF-8 and UTF-16 here, so sizes are those of the
// UTF-8 form, as the interface promises. The narrow functions would turn what the ANSI code
// page cannot hold into "?", and a listed name would then name another value, or none.
class Win32Registry : public platform::Registry {
 public:
  platform::Status OpenKey(platform::RegKey root,
                           std::string_view subkey,
                           std::uint32_t access,
                           platform::RegKey* result) override;
  platform::Status CreateKey(platform::RegKey parent,
                             std::string_view subkey,
                             std::uint32_t access,
                             platform::RegKey* result,
                             bool* created) override;
  platform::Status CloseKey(platform::RegKey key) override;
  platform::Status QueryValue(platform::RegKey key,
                              std::string_view name,
                              platform::RegValue* value) override;
  platform::Status SetValue(platform::RegKey key,
                            std::string_view name,
                            std::uint32_t type,
                            const std::uint8_t* data,
                            std::uint32_t size) override;
  platform::Status DeleteValue(platform::RegKey key, std::string_view name) override;
  platform::Status DeleteKey(platform::RegKey key, std::string_view subkey) override;
  platform::Status EnumKey(platform::RegKey key,
                           std::uint32_t index,
                           char* name,
                           std::uint32_t name_size) override;
  platform::Status EnumValue(platform::RegKey key,
                             std::uint32_t index,
                             platform::RegValue* value) override;
};

}  // namespace scourix::win32
