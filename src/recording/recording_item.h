#pragma once

#include <memory>
#include <string>

#include "platform/file_system.h"
#include "recording/recording_file_system.h"

namespace scourix::recording {

// One opened file or folder. In a preview its deletion, its overwrite and the clearing of its
// read-only attribute are recorded and kept in the file system's overlay, refused where the
// machine would refuse them: an item opened only to read, a read-only file, a folder that
// still holds something.
class RecordingItem : public platform::Item {
 public:
  RecordingItem(RecordingFileSystem& files,
                std::unique_ptr<platform::Item> real,
                std::string path,
                platform::ItemAccess access)
      : files_(files), real_(std::move(real)), path_(std::move(path)), access_(access) {}

  platform::Status Query(platform::ItemInfo* info) override;
  platform::Status FinalPath(std::string* path) override { return real_->FinalPath(path); }
  platform::Status WriteAtStart(std::string_view bytes) override;
  platform::Status SetReadOnly(bool read_only) override;
  platform::Status Delete() override;
  platform::Status FileIndex(std::uint64_t* index) override { return real_->FileIndex(index); }
  platform::Status VolumeSerial(std::uint32_t* serial) override {
    return real_->VolumeSerial(serial);
  }

 private:
  [[nodiscard]] bool preview() const { return files_.journal().preview(); }

  RecordingFileSystem& files_;
  std::unique_ptr<platform::Item> real_;
  std::string path_;  // as opened
  platform::ItemAccess access_;
};

}  // namespace scourix::recording
