#include "platform/sim/sim_system.h"

#include <algorithm>

namespace scourix::sim {

platform::Status SimSystem::GetVersion(platform::OsVersion* version_out) {
  if (version_status != platform::kSuccess)
    return version_status;
  *version_out = version;
  return platform::kSuccess;
}

platform::ModuleHandle SimSystem::LoadDll(std::string_view name) {
  loaded.emplace_back(name);
  load_log.push_back("load " + std::string(name));
  return loaded.size();
}

void SimSystem::FreeDll(platform::ModuleHandle module) {
  if (module == 0 || module > loaded.size())
    return;
  load_log.push_back("free " + loaded[module - 1]);
}

std::string Utf8ToLatin1(std::string_view utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    auto c = static_cast<unsigned char>(utf8[i]);
    std::uint32_t cp = 0;
    std::size_t len = 1;
    if (c < 0x80) {
      cp = c;
    } else if ((c & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
      cp = ((c & 0x1F) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F);
      len = 2;
    } else if ((c & 0xF0) == 0xE0) {
      cp = 0x10000;  // outside Latin-1 whatever it is
      len = 3;
    } else if ((c & 0xF8) == 0xF0) {
      cp = 0x10000;
      len = 4;
    } else {
      cp = 0x10000;
    }
    out += cp <= 0xFF ? static_cast<char>(cp) : '?';
    i += std::min(len, utf8.size() - i);
  }
  return out;
}

std::string SimSystem::ToAnsi(std::string_view utf8) {
  return Utf8ToLatin1(utf8);
}

}  // namespace scourix::sim
