#pragma once

#include "platform/shell.h"

namespace scourix::win32 {

class Win32Shell : public platform::Shell {
 public:
  void AddToRecentDocsNull(std::uint32_t flags) override;
  platform::Status GetKnownFolder(platform::KnownFolder folder, std::string* path) override;
};

}  // namespace scourix::win32
