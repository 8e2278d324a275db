#include "platform/file_system.h"

#include <string>

namespace scourix::platform {

bool IsDeviceName(std::string_view name) {
  std::string base(name.substr(0, name.find('.')));
  base.erase(base.find_last_not_of(' ') + 1);
  for (char& c : base)
    c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  if (base == "con" || base == "prn" || base == "aux" || base == "nul")
    return true;
  if (base.size() < 4 || (base.compare(0, 3, "com") != 0 && base.compare(0, 3, "lpt") != 0))
    return false;
  // COM1 to COM9, and the superscript digits one to three in UTF-8.
  const std::string_view number = std::string_view(base).substr(3);
  return (number.size() == 1 && number[0] >= '1' && number[0] <= '9') || number == "\xc2\xb9" ||
         number == "\xc2\xb2" || number == "\xc2\xb3";
}

}  // namespace scourix::platform
