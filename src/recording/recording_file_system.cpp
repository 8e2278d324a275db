#include "recording/recording_file_system.h"

#include <algorithm>

#include "recording/recording_item.h"

namespace scourix::recording {
namespace {

using platform::Status;

constexpr std::string_view kLiteral = "\\\\?\\";

// Passes the machine's entries on, leaving out those the preview deleted.
class OverlaidListing : public platform::DirectoryListing {
 public:
  OverlaidListing(std::unique_ptr<platform::DirectoryListing> real,
                  const RecordingFileSystem& files,
                  std::string folder)
      : real_(std::move(real)), files_(files), folder_(std::move(folder)) {}

  bool Next(platform::DirEntry* entry) override {
    while (real_->Next(entry)) {
      const std::string path = folder_ + "\\" + entry->name;
      if (files_.Gone(path))
        continue;
      entry->attributes = files_.Attributes(path, entry->attributes);
      return true;
    }
    return false;
  }

 private:
  std::unique_ptr<platform::DirectoryListing> real_;
  const RecordingFileSystem& files_;
  std::string folder_;
};

// A file the preview opens for writing: nothing reaches the disk, the bytes are counted.
class CountingFile : public platform::File {
 public:
  CountingFile(Journal& journal, std::string path) : journal_(journal), path_(std::move(path)) {}
  ~CountingFile() override { (void)Close(); }
  CountingFile(const CountingFile&) = delete;
  CountingFile& operator=(const CountingFile&) = delete;
  CountingFile(CountingFile&&) = delete;
  CountingFile& operator=(CountingFile&&) = delete;

  Status Write(std::string_view bytes) override {
    written_ += bytes.size();
    return platform::kSuccess;
  }
  Status Close() override {
    if (!closed_)
      journal_.Record(ChangeKind::kFileWritten, path_, written_);
    closed_ = true;
    return platform::kSuccess;
  }

 private:
  Journal& journal_;
  std::string path_;
  std::uint64_t written_ = 0;
  bool closed_ = false;
};

// A file the run writes: the bytes written are recorded when it closes.
class RecordedFile : public platform::File {
 public:
  RecordedFile(Journal& journal, std::string path, std::unique_ptr<platform::File> real)
      : journal_(journal), path_(std::move(path)), real_(std::move(real)) {}
  ~RecordedFile() override { (void)Close(); }
  RecordedFile(const RecordedFile&) = delete;
  RecordedFile& operator=(const RecordedFile&) = delete;
  RecordedFile(RecordedFile&&) = delete;
  RecordedFile& operator=(RecordedFile&&) = delete;

  Status Write(std::string_view bytes) override {
    Status status = real_->Write(bytes);
    if (status == platform::kSuccess)
      written_ += bytes.size();
    return status;
  }
  Status Close() override {
    if (closed_)
      return platform::kSuccess;
    closed_ = true;
    Status status = real_->Close();
    journal_.Record(ChangeKind::kFileWritten, path_, written_);
    return status;
  }

 private:
  Journal& journal_;
  std::string path_;
  std::unique_ptr<platform::File> real_;
  std::uint64_t written_ = 0;
  bool closed_ = false;
};

}  // namespace

std::string RecordingFileSystem::Shown(std::string_view path) {
  if (path.starts_with(kLiteral))
    path.remove_prefix(kLiteral.size());
  return std::string(path);
}

bool RecordingFileSystem::Gone(std::string_view path) const {
  const std::string key = Key(path);
  for (std::size_t slash = key.find('\\'); slash != std::string::npos;
       slash = key.find('\\', slash + 1)) {
    if (deleted_.contains(key.substr(0, slash)))
      return true;
  }
  return deleted_.contains(key);
}

std::uint32_t RecordingFileSystem::Attributes(std::string_view path,
                                              std::uint32_t on_machine) const {
  auto it = attributes_.find(Key(path));
  return it == attributes_.end() ? on_machine : it->second;
}

bool RecordingFileSystem::HoldsAnything(std::string_view folder) {
  std::unique_ptr<platform::DirectoryListing> listing;
  if (ListFolder(folder, &listing) != platform::kSuccess)
    return false;
  platform::DirEntry entry;
  return listing->Next(&entry);
}

Status RecordingFileSystem::GetAttributes(std::string_view path, std::uint32_t* attributes) {
  if (journal_.preview() && Gone(path))
    return platform::kFileNotFound;
  std::uint32_t found = 0;
  Status status = real_.GetAttributes(path, &found);
  if (status == platform::kSuccess)
    *attributes = journal_.preview() ? Attributes(path, found) : found;
  return status;
}

Status RecordingFileSystem::SetAttributes(std::string_view path, std::uint32_t attributes) {
  if (journal_.preview()) {
    std::uint32_t found = 0;
    Status status = GetAttributes(path, &found);
    if (status != platform::kSuccess)
      return status;
    SetOverlayAttributes(path, attributes);
  } else {
    Status status = real_.SetAttributes(path, attributes);
    if (status != platform::kSuccess)
      return status;
  }
  journal_.Record(ChangeKind::kAttributesSet, Shown(path), attributes);
  return platform::kSuccess;
}

Status RecordingFileSystem::ListFolder(std::string_view folder,
                                       std::unique_ptr<platform::DirectoryListing>* listing) {
  if (!journal_.preview())
    return real_.ListFolder(folder, listing);
  if (Gone(folder))
    return platform::kPathNotFound;
  std::unique_ptr<platform::DirectoryListing> real;
  Status status = real_.ListFolder(folder, &real);
  if (status == platform::kSuccess)
    *listing = std::make_unique<OverlaidListing>(std::move(real), *this, std::string(folder));
  return status;
}

Status RecordingFileSystem::DeleteFileWide(std::string_view path, bool force) {
  // The size, read before the file goes.
  std::uint64_t size = 0;
  std::unique_ptr<platform::Item> item;
  if (OpenItem(path, platform::ItemOpen{}, &item) == platform::kSuccess) {
    platform::ItemInfo info;
    if (item->Query(&info) == platform::kSuccess)
      size = info.size;
  }
  item.reset();
  if (journal_.preview()) {
    std::uint32_t attributes = 0;
    Status status = GetAttributes(path, &attributes);
    if (status != platform::kSuccess)
      return status;
    if ((attributes & platform::kAttrDirectory) != 0 ||
        (!force && (attributes & platform::kAttrReadOnly) != 0)) {
      return platform::kAccessDenied;
    }
    MarkGone(path);
  } else {
    Status status = real_.DeleteFileWide(path, force);
    if (status != platform::kSuccess)
      return status;
  }
  journal_.Record(ChangeKind::kFileDeleted, Shown(path), size);
  return platform::kSuccess;
}

Status RecordingFileSystem::MakeFolder(std::string_view path) {
  if (journal_.preview()) {
    std::uint32_t attributes = 0;
    if (GetAttributes(path, &attributes) == platform::kSuccess)
      return platform::kAlreadyExists;
  } else {
    Status status = real_.MakeFolder(path);
    if (status != platform::kSuccess)
      return status;
  }
  journal_.Record(ChangeKind::kFolderCreated, Shown(path));
  return platform::kSuccess;
}

Status RecordingFileSystem::OpenItem(std::string_view path,
                                     const platform::ItemOpen& how,
                                     std::unique_ptr<platform::Item>* item) {
  if (journal_.preview() && Gone(path))
    return platform::kFileNotFound;
  std::unique_ptr<platform::Item> real;
  Status status = real_.OpenItem(path, how, &real);
  if (status == platform::kSuccess)
    *item = std::make_unique<RecordingItem>(*this, std::move(real), std::string(path), how.access);
  return status;
}

Status RecordingFileSystem::FullPath(std::string_view path, std::string* full) {
  return real_.FullPath(path, full);
}

Status RecordingFileSystem::LongPath(std::string_view path, std::string* long_path) {
  return real_.LongPath(path, long_path);
}

Status RecordingFileSystem::OpenFile(std::string_view path,
                                     platform::OpenMode mode,
                                     std::unique_ptr<platform::File>* file) {
  if (journal_.preview()) {
    *file = std::make_unique<CountingFile>(journal_, Shown(path));
    return platform::kSuccess;
  }
  std::unique_ptr<platform::File> real;
  Status status = real_.OpenFile(path, mode, &real);
  if (status == platform::kSuccess)
    *file = std::make_unique<RecordedFile>(journal_, Shown(path), std::move(real));
  return status;
}

std::uint32_t RecordingFileSystem::GetProfileString(std::string_view section,
                                                    std::string_view key,
                                                    std::string_view default_value,
                                                    char* buffer,
                                                    std::uint32_t size,
                                                    std::string_view file) {
  if (journal_.preview() && Gone(file) && size > 0) {
    // As for a missing file: the default, cut to the buffer.
    const std::size_t copied = std::min<std::size_t>(default_value.size(), size - 1);
    default_value.copy(buffer, copied);
    buffer[copied] = '\0';
    return static_cast<std::uint32_t>(copied);
  }
  return real_.GetProfileString(section, key, default_value, buffer, size, file);
}

}  // namespace scourix::recording
