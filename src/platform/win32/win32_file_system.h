#pragma once

#include "platform/file_system.h"

namespace scourix::win32 {

// The real file system: wide-character calls, but the narrow ones where they are asked for.
class Win32FileSystem : public platform::FileSystem {
 public:
  platform::Status GetAttributes(std::string_view path, std::uint32_t* attributes) override;
  platform::Status SetAttributes(std::string_view path, std::uint32_t attributes) override;
  platform::Status ListFolder(std::string_view folder,
                              std::unique_ptr<platform::DirectoryListing>* listing) override;
  platform::Status DeleteFileWide(std::string_view path, bool force) override;
  platform::Status OpenItem(std::string_view path,
                            const platform::ItemOpen& how,
                            std::unique_ptr<platform::Item>* item) override;
  bool FileLinksAreMarked() override;
  platform::Status FullPath(std::string_view path, std::string* full) override;
  platform::Status LongPath(std::string_view path, std::string* long_path) override;
  platform::Status MakeFolder(std::string_view path) override;
  platform::Status OpenFile(std::string_view path,
                            platform::OpenMode mode,
                            std::unique_ptr<platform::File>* file) override;
  std::uint32_t GetProfileString(std::string_view section,
                                 std::string_view key,
                                 std::string_view default_value,
                                 char* buffer,
                                 std::uint32_t size,
                                 std::string_view file) override;
};

}  // namespace scourix::win32
