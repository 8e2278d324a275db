#include "browser/ini.h"

#include <algorithm>

namespace scourix {
namespace {

// The platform cuts a value to the 255-character buffer with its NUL.
constexpr std::size_t kMostCharacters = 254;
// Room for any value a profile list holds, so that the cut is made here, by characters.
constexpr std::uint32_t kWide = 4096;

bool StartsCharacter(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}

std::string ReadWhole(platform::FileSystem& files,
                      const std::string& File_Path,
                      const std::string& Section,
                      const std::string& Key) {
  std::string buffer(kWide, '\0');
  std::uint32_t copied = files.GetProfileString(Section, Key, "", buffer.data(), kWide, File_Path);
  buffer.resize(std::min<std::uint32_t>(copied, kWide - 1));
  return buffer;
}

std::size_t Characters(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), StartsCharacter));
}

}  // namespace

std::string INI::GetFromINI(const std::string& File_Path,
                            const std::string& Section,
                            const std::string& Key) {
  std::string value = ReadWhole(files_, File_Path, Section, Key);
  std::size_t characters = 0;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (StartsCharacter(value[i]) && ++characters > kMostCharacters) {
      value.resize(i);
      break;
    }
  }
  return value;
}

bool INI::FillsRead(const std::string& File_Path,
                    const std::string& Section,
                    const std::string& Key) {
  return Characters(ReadWhole(files_, File_Path, Section, Key)) >= kMostCharacters;
}

}  // namespace scourix
