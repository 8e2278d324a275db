#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace scourix::platform {

// What GetVersionExA fills in OSVERSIONINFOA.
struct OsVersion {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::uint32_t platform_id = 0;  // 1 = Windows 95 family, 2 = NT family
  std::string service_pack;       // szCSDVersion
};

using ModuleHandle = std::uint64_t;  // 0 = none

// The process and the operating system it runs on.
class System {
 public:
  virtual ~System() = default;
  // GetVersionExA with dwOSVersionInfoSize 148.
  [[nodiscard]] virtual Status GetVersion(OsVersion* version) = 0;
  // The program file's full path (GetModuleFileNameW), UTF-8.
  virtual std::string ProgramPath() = 0;
  // LoadLibraryA / FreeLibrary.
  virtual ModuleHandle LoadDll(std::string_view name) = 0;
  virtual void FreeDll(ModuleHandle module) = 0;
  // The bytes that the ANSI code page gives for a UTF-8 text; characters it cannot hold
  // become "?".
  virtual std::string ToAnsi(std::string_view utf8) = 0;
  // InitCommonControls.
  virtual void InitCommonControls() = 0;
  // Runs work on a thread of its own and, until it has ended, meanwhile on this thread each
  // time a message arrives for it, or a while has passed without one: for one call that holds
  // its caller for long (a database's commit) while the window goes on answering. Where no
  // thread can be started, runs work here.
  virtual void RunAside(const std::function<void()>& work,
                        const std::function<void()>& meanwhile) = 0;
};

}  // namespace scourix::platform
