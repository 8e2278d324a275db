#include "browser/ini.h"

namespace scourix {

std::string INI::GetFromINI(const std::string& File_Path,
                            const std::string& Section,
                            const std::string& Key) {
  constexpr std::uint32_t kBufferSize = 255;
  std::string buffer(kBufferSize, '\0');
  std::uint32_t copied =
      files_.GetProfileString(Section, Key, "", buffer.data(), kBufferSize, File_Path);
  if (copied == 0)
    return std::string();
  buffer.resize(std::min<std::uint32_t>(copied, kBufferSize - 1));
  return buffer;
}

}  // namespace scourix
