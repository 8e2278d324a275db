#pragma once

#include <string>

#include "platform/file_system.h"

namespace scourix {

// Reads single values from INI-format files. Holds nothing between calls.
class INI {
 public:
  explicit INI(platform::FileSystem& files) : files_(files) {}

  // The value of Key in [Section] of the file, at most 254 characters; "" when the file,
  // section or key is missing or the value is empty.
  std::string GetFromINI(const std::string& File_Path,
                         const std::string& Section,
                         const std::string& Key);
  // True when the value has as many characters as GetFromINI can return, or more: what it
  // returned may have been cut.
  bool FillsRead(const std::string& File_Path, const std::string& Section, const std::string& Key);

 private:
  platform::FileSystem& files_;
};

}  // namespace scourix
