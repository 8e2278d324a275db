#include "platform/file_system.h"

#include <string>

namespace scourix::platform {

std::string_view DeviceIn(std::string_view name) {
  // The system reads the name up to its first dot or colon, without the spaces before it.
  std::string_view part = name.substr(0, name.find_first_of(".:"));
  part = part.substr(0, part.find_last_not_of(' ') + 1);
  std::string base(part);
  for (char& c : base)
    c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  // The console's own two names are devices too since Windows 8, and under Wine.
  if (base == "con" || base == "prn" || base == "aux" || base == "nul" || base == "conin$" ||
      base == "conout$") {
    return part;
  }
  if (base.size() < 4 || (base.compare(0, 3, "com") != 0 && base.compare(0, 3, "lpt") != 0))
    return {};
  // COM1 to COM9, and the superscript digits one to three in UTF-8.
  const std::string_view number = std::string_view(base).substr(3);
  const bool port = (number.size() == 1 && number[0] >= '1' && number[0] <= '9') ||
                    number == "\xc2\xb9" || number == "\xc2\xb2" || number == "\xc2\xb3";
  return port ? part : std::string_view();
}

bool IsDeviceName(std::string_view name) {
  return !DeviceIn(name).empty();
}

}  // namespace scourix::platform
