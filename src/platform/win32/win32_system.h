#pragma once

#include "platform/system.h"

namespace scourix::win32 {

class Win32System : public platform::System {
 public:
  platform::Status GetVersion(platform::OsVersion* version) override;
  std::string ProgramPath() override;
  platform::ModuleHandle LoadDll(std::string_view name) override;
  void FreeDll(platform::ModuleHandle module) override;
  std::string ToAnsi(std::string_view utf8) override;
  void InitCommonControls() override;
  void RunAside(const std::function<void()>& work, const std::function<void()>& meanwhile) override;
};

}  // namespace scourix::win32
