#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

#include "platform/file_system.h"
#include "recording/journal.h"

namespace scourix::recording {

// The file system as a run sees it. Reads and opens go to the machine; in a preview, deletions,
// writes and attribute changes are recorded and remembered instead of made, so that a later
// step neither lists nor opens what the run would have deleted, and a folder is deleted only
// when nothing in it stays.
class RecordingFileSystem : public platform::FileSystem {
 public:
  RecordingFileSystem(platform::FileSystem& real, Journal& journal)
      : real_(real), journal_(journal) {}

  platform::Status GetAttributes(std::string_view path, std::uint32_t* attributes) override;
  platform::Status SetAttributes(std::string_view path, std::uint32_t attributes) override;
  platform::Status ListFolder(std::string_view folder,
                              std::unique_ptr<platform::DirectoryListing>* listing) override;
  platform::Status DeleteFileWide(std::string_view path, bool force) override;
  platform::Status MakeFolder(std::string_view path) override;
  platform::Status OpenItem(std::string_view path,
                            const platform::ItemOpen& how,
                            std::unique_ptr<platform::Item>* item) override;
  bool FileLinksAreMarked() override { return real_.FileLinksAreMarked(); }
  platform::Status FullPath(std::string_view path, std::string* full) override;
  platform::Status LongPath(std::string_view path, std::string* long_path) override;
  platform::Status OpenFile(std::string_view path,
                            platform::OpenMode mode,
                            std::unique_ptr<platform::File>* file) override;
  std::uint32_t GetProfileString(std::string_view section,
                                 std::string_view key,
                                 std::string_view default_value,
                                 char* buffer,
                                 std::uint32_t size,
                                 std::string_view file) override;

  // For the items this hands out.
  [[nodiscard]] Journal& journal() { return journal_; }
  [[nodiscard]] bool Gone(std::string_view path) const;
  void MarkGone(std::string_view path) { deleted_.insert(Key(path)); }
  // The attributes the preview gave the entry, over what the machine says.
  [[nodiscard]] std::uint32_t Attributes(std::string_view path, std::uint32_t on_machine) const;
  void SetOverlayAttributes(std::string_view path, std::uint32_t attributes) {
    attributes_[Key(path)] = attributes;
  }
  // Whether a folder still holds an entry that the run would leave.
  [[nodiscard]] bool HoldsAnything(std::string_view folder);
  // The path as the journal names it: without a "\\?\" prefix.
  static std::string Shown(std::string_view path);

 private:
  static std::string Key(std::string_view path) { return Folded(Shown(path)); }

  platform::FileSystem& real_;
  Journal& journal_;
  std::set<std::string> deleted_;
  std::map<std::string, std::uint32_t> attributes_;
};

}  // namespace scourix::recording
