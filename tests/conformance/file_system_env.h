#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace scourix::conformance {

// A machine on which the shared file-system cases run: sim on the host, the real file system
// under Wine. Each env owns a fresh, empty scratch folder and cleans it up.
class FileSystemEnv {
 public:
  virtual ~FileSystemEnv() = default;
  virtual platform::Platform& platform() = 0;
  // The scratch folder: a full path without a trailing backslash.
  virtual const std::string& root() const = 0;
  // Plants a link at link to the folder target; false when this back-end cannot make one.
  virtual bool MakeFolderLink(const std::string& link, const std::string& target) = 0;
  // Keeps the file open without sharing (as another program would) while the env lives.
  virtual void HoldOpen(const std::string& path) = 0;
  // The file's bytes; "<missing>" when it cannot be read.
  virtual std::string Read(const std::string& path) = 0;
};

std::unique_ptr<FileSystemEnv> MakeFileSystemEnv();

}  // namespace scourix::conformance
