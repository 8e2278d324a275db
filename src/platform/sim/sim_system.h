#pragma once

#include <string>
#include <vector>

#include "platform/system.h"

namespace scourix::sim {

// The process and its operating system, as tests set them. The ANSI code page is modelled
// as Latin-1: code points above U+00FF have no single byte.
class SimSystem : public platform::System {
 public:
  platform::Status GetVersion(platform::OsVersion* version) override;
  std::string ProgramPath() override { return program_path; }
  platform::ModuleHandle LoadDll(std::string_view name) override;
  void FreeDll(platform::ModuleHandle module) override;
  std::string ToAnsi(std::string_view utf8) override;
  void InitCommonControls() override { ++common_controls_initialised; }
  // One wait before the work, where a user could act, then the work itself.
  void RunAside(const std::function<void()>& work,
                const std::function<void()>& meanwhile) override {
    meanwhile();
    work();
  }

  platform::OsVersion version{6, 1, 7601, 2, ""};  // Windows 7
  platform::Status version_status = platform::kSuccess;
  std::string program_path = "C:\\Program Files\\Scourix\\scourix.exe";
  std::vector<std::string> loaded;  // names of the libraries loaded and not freed
  std::vector<std::string> load_log;
  int common_controls_initialised = 0;
};

// UTF-8 to Latin-1 bytes, "?" for what Latin-1 cannot hold.
std::string Utf8ToLatin1(std::string_view utf8);

}  // namespace scourix::sim
