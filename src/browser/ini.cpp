#include "browser/ini.h"

#include <algorithm>

namespace scourix {
namespace {

constexpr std::uint32_t kBufferSize = 255;

}  // namespace

std::string INI::GetFromINI(const std::string& File_Path,
                            const std::string& Section,
                            const std::string& Key) {
  std::string buffer(kBufferSize, '\0');
  std::uint32_t copied =
      files_.GetProfileString(Section, Key, "", buffer.data(), kBufferSize, File_Path);
  if (copied == 0)
    return std::string();
  buffer.resize(std::min<std::uint32_t>(copied, kBufferSize - 1));
  return buffer;
}

bool INI::FillsRead(const std::string& File_Path,
                    const std::string& Section,
                    const std::string& Key) {
  constexpr std::uint32_t kWide = 4096;
  std::string buffer(kWide, '\0');
  std::uint32_t copied = files_.GetProfileString(Section, Key, "", buffer.data(), kWide, File_Path);
  std::size_t characters = 0;
  for (std::uint32_t i = 0; i < copied && i < kWide; ++i) {
    if ((static_cast<unsigned char>(buffer[i]) & 0xC0) != 0x80)
      ++characters;
  }
  return characters >= kBufferSize - 1;
}

}  // namespace scourix
