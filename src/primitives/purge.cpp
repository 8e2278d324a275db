#include "primitives/purge.h"

#include <memory>
#include <string>

#include "app/frm_main.h"
#include "platform/file_system.h"

namespace scourix {
namespace {

using platform::DirectoryListing;
using platform::DirEntry;
using platform::FileSystem;
using platform::Status;

constexpr std::string_view kDeleting = "Deleting - ";
// The stored form of a Null variant: type tag 1, little-endian, no data.
constexpr char kWipeBytes[] = {'\x01', '\x00'};

bool IsLink(std::uint32_t attributes) {
  return (attributes & platform::kAttrReparsePoint) != 0;
}
bool IsFolder(std::uint32_t attributes) {
  return (attributes & platform::kAttrDirectory) != 0;
}
bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Length of the root: "C:\" or "\\server\share"; 0 when the path has neither.
std::size_t RootLength(std::string_view path) {
  if (path.size() >= 3 && IsLetter(path[0]) && path[1] == ':' && path[2] == '\\')
    return 3;
  if (path.size() < 5 || path[0] != '\\' || path[1] != '\\')
    return 0;
  std::size_t server_end = path.find('\\', 2);
  if (server_end == std::string_view::npos || server_end == 2)
    return 0;
  std::size_t share_end = path.find('\\', server_end + 1);
  if (share_end == std::string_view::npos)
    share_end = path.size();
  if (share_end == server_end + 1)
    return 0;
  return share_end;
}

// A component that Windows would fold into its parent or treat as a pattern.
bool IsUnsafeComponent(std::string_view part) {
  if (part.find_first_of("*?") != std::string_view::npos)
    return true;
  return part.find_first_not_of(". ") == std::string_view::npos;
}

// Doubled backslashes collapsed and the trailing one dropped, as the folder's own path.
std::string NormalizeFolder(std::string_view path) {
  std::size_t root = RootLength(path);
  std::string out(path.substr(0, root));
  for (std::size_t i = root; i < path.size(); ++i) {
    if (path[i] == '\\' && (out.empty() || out.back() == '\\'))
      continue;
    out += path[i];
  }
  while (out.size() > root && out.back() == '\\')
    out.pop_back();
  return out;
}

std::string Join(std::string_view folder, std::string_view name) {
  std::string path(folder);
  path += '\\';
  path += name;
  return path;
}

void ShowDeleting(Context& ctx, std::string_view path) {
  std::string line(kDeleting);
  line += path;
  ctx.frmMain.SetStatus(line);
  ctx.frmMain.DoEvents();
}

// Every file of the tree, depth first: each folder's files, then its subfolders. One
// listing is open per level, so memory follows the depth, not the number of files.
void PurgeFilesOf(Context& ctx, const std::string& folder) {
  FileSystem& files = ctx.platform.files;
  std::unique_ptr<DirectoryListing> listing;
  if (files.ListFolder(folder, &listing) != platform::kSuccess)
    return;
  DirEntry entry;
  while (listing->Next(&entry)) {
    if (IsFolder(entry.attributes) || IsLink(entry.attributes))
      continue;
    std::string path = Join(folder, entry.name);
    // The narrow deletion comes first; the wide one catches a name the ANSI code page
    // cannot hold. Neither forces: a read-only file stays.
    (void)files.DeleteFileNarrow(path);
    (void)files.DeleteFileWide(path, false);
    ShowDeleting(ctx, path);
  }
  listing.reset();
  if (files.ListFolder(folder, &listing) != platform::kSuccess)
    return;
  while (listing->Next(&entry)) {
    if (IsFolder(entry.attributes) && !IsLink(entry.attributes)) {
      PurgeFilesOf(ctx, Join(folder, entry.name));
    }
  }
}

// A forced folder removal: read-only files and folders go too, but a link inside is left in
// place (and so is the folder holding it), and nothing behind it is touched.
void RemoveTreeForced(FileSystem& files, const std::string& folder) {
  std::uint32_t attributes = 0;
  if (files.GetAttributes(folder, &attributes) == platform::kSuccess &&
      (attributes & platform::kAttrReadOnly) != 0) {
    (void)files.SetAttributes(folder, attributes & ~platform::kAttrReadOnly);
  }
  std::unique_ptr<DirectoryListing> listing;
  if (files.ListFolder(folder, &listing) == platform::kSuccess) {
    DirEntry entry;
    while (listing->Next(&entry)) {
      if (IsLink(entry.attributes))
        continue;
      std::string path = Join(folder, entry.name);
      if (IsFolder(entry.attributes)) {
        RemoveTreeForced(files, path);
      } else {
        (void)files.DeleteFileWide(path, true);
      }
    }
  }
  listing.reset();
  (void)files.RemoveFolder(folder);
}

}  // namespace

bool IsAbsolutePath(std::string_view path) {
  return RootLength(path) != 0;
}

bool IsPurgeableFolder(std::string_view path) {
  std::size_t root = RootLength(path);
  if (root == 0)
    return false;
  bool below_root = false;
  std::size_t start = root;
  while (start < path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string_view::npos)
      end = path.size();
    if (end > start) {
      if (IsUnsafeComponent(path.substr(start, end - start)))
        return false;
      below_root = true;
    }
    start = end + 1;
  }
  return below_root;
}

Status WipeAndDeleteFile(Context& ctx, std::string_view path) {
  FileSystem& files = ctx.platform.files;
  // Writing through a link would wipe whatever it points to.
  std::uint32_t attributes = 0;
  if (files.GetAttributes(path, &attributes) == platform::kSuccess &&
      (IsLink(attributes) || IsFolder(attributes))) {
    return platform::kAccessDenied;
  }
  std::unique_ptr<platform::File> file;
  Status status = files.OpenFile(path, platform::OpenMode::kReadWriteOpenAlways, &file);
  if (status != platform::kSuccess)
    return status;
  status = file->Write(std::string_view(kWipeBytes, sizeof kWipeBytes));
  Status closed = file->Close();
  if (status != platform::kSuccess)
    return status;
  if (closed != platform::kSuccess)
    return closed;
  (void)DeleteOneFile(ctx, path);
  return platform::kSuccess;
}

Status DeleteOneFile(Context& ctx, std::string_view path) {
  FileSystem& files = ctx.platform.files;
  std::uint32_t attributes = 0;
  if (files.GetAttributes(path, &attributes) == platform::kSuccess && IsLink(attributes)) {
    return platform::kAccessDenied;
  }
  Status status = files.DeleteFileNarrow(path);
  if (status == platform::kSuccess)
    return status;
  return files.DeleteFileWide(path, false);
}

void PurgeFolderFiles(Context& ctx, std::string_view path) {
  if (!IsPurgeableFolder(path))
    return;
  PurgeFilesOf(ctx, NormalizeFolder(path));
}

void PurgeFolder(Context& ctx, std::string_view path) {
  // A root or a relative path ("\Temp" of an unread folder value) names more than a folder.
  if (!IsPurgeableFolder(path))
    return;
  std::string folder = NormalizeFolder(path);
  PurgeFilesOf(ctx, folder);
  FileSystem& files = ctx.platform.files;
  std::unique_ptr<DirectoryListing> listing;
  if (files.ListFolder(folder, &listing) != platform::kSuccess)
    return;
  DirEntry entry;
  while (listing->Next(&entry)) {
    if (!IsFolder(entry.attributes) || IsLink(entry.attributes))
      continue;
    std::string sub = Join(folder, entry.name);
    RemoveTreeForced(files, sub);
    ShowDeleting(ctx, sub);
  }
}

}  // namespace scourix
