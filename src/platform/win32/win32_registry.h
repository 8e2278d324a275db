#pragma once

#include "platform/registry.h"

namespace scourix::win32 {

// The real registry (narrow Reg*A functions). Placeholder until the registry back-end lands.
class Win32Registry : public platform::Registry {
 public:
  platform::Status OpenKey(platform::RegKey,
                           std::string_view,
                           std::uint32_t,
                           platform::RegKey*) override {
    return platform::kFileNotFound;
  }
  platform::Status CreateKey(platform::RegKey,
                             std::string_view,
                             std::uint32_t,
                             platform::RegKey*,
                             bool*) override {
    return platform::kAccessDenied;
  }
  platform::Status CloseKey(platform::RegKey) override { return platform::kInvalidHandle; }
  platform::Status QueryValue(platform::RegKey,
                              std::string_view,
                              std::uint32_t*,
                              std::uint8_t*,
                              std::uint32_t*) override {
    return platform::kInvalidHandle;
  }
  platform::Status SetValue(platform::RegKey,
                            std::string_view,
                            std::uint32_t,
                            const std::uint8_t*,
                            std::uint32_t) override {
    return platform::kInvalidHandle;
  }
  platform::Status DeleteValue(platform::RegKey, std::string_view) override {
    return platform::kInvalidHandle;
  }
  platform::Status DeleteKey(platform::RegKey, std::string_view) override {
    return platform::kInvalidHandle;
  }
  platform::Status EnumKey(platform::RegKey, std::uint32_t, char*, std::uint32_t) override {
    return platform::kInvalidHandle;
  }
  platform::Status EnumValue(platform::RegKey,
                             std::uint32_t,
                             char*,
                             std::uint32_t*,
                             std::uint32_t*,
                             std::uint8_t*,
                             std::uint32_t*) override {
    return platform::kInvalidHandle;
  }
  platform::Status QueryInfoKey(platform::RegKey,
                                std::uint32_t*,
                                std::uint32_t*,
                                std::uint32_t*,
                                std::uint32_t*) override {
    return platform::kInvalidHandle;
  }
};

}  // namespace scourix::win32
