#include "primitives/purge.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/system.h"
#include "primitives/named_folder.h"
#include "primitives/system_areas.h"

namespace scourix {
namespace {

using platform::DirectoryListing;
using platform::DirEntry;
using platform::Item;
using platform::ItemAccess;
using platform::ItemInfo;
using platform::ItemOpen;
using platform::Status;

constexpr std::string_view kDeleting = "Deleting - ";
// The stored form of a Null variant: type tag 1, little-endian, no data.
constexpr char kWipeBytes[] = {'\x01', '\x00'};
// Narrow paths stop at MAX_PATH.
constexpr std::size_t kMaxNarrowPath = 259;

bool IsLink(std::uint32_t attributes) {
  return (attributes & platform::kAttrReparsePoint) != 0;
}
bool IsFolder(std::uint32_t attributes) {
  return (attributes & platform::kAttrDirectory) != 0;
}

std::string Join(std::string_view folder, std::string_view name) {
  std::string path(folder);
  path += '\\';
  path += name;
  return path;
}

FolderPlace ChildOf(const FolderPlace& parent, std::string_view name) {
  return FolderPlace{Join(parent.shown, name), Join(parent.real, name)};
}

void ShowDeleting(Context& ctx, std::string_view path) {
  std::string line(kDeleting);
  line += path;
  ctx.window.SetStatus(line);
  ctx.window.DoEvents();
}

// An entry opened at the moment it is acted on, with what its handle says: read for a folder,
// and for a file opened for anything but deletion alone.
struct Held {
  std::unique_ptr<Item> item;
  ItemInfo info;
  // The final path was read, and named the entry: no link lies on the way to it either.
  bool final_path_known = false;
  explicit operator bool() const { return item != nullptr; }
};

// The narrow functions name an entry exactly only when the ANSI code page holds every
// character, no component ends in a dot or a space, the name is no device's (which would open
// the port or console instead) and the path fits MAX_PATH.
bool NarrowNamesExactly(Context& ctx, std::string_view path) {
  return path.size() <= kMaxNarrowPath && HasNoTrimmedComponent(path) &&
         !platform::IsDeviceName(path.substr(path.find_last_of('\\') + 1)) &&
         ctx.platform.system.ToAnsi(path).find('?') == std::string::npos;
}

// Opens the entry at real without following it and keeps it only if it is still what the
// listing said: not a link, a folder or a file as expected, and (where the system can say)
// the very entry named, not one that a link without the link attribute leads to.
Held OpenAsListed(Context& ctx,
                  std::string_view real,
                  ItemAccess access,
                  bool folder,
                  bool narrow) {
  Held held;
  std::string path = narrow ? std::string(real) : LiteralPath(real);
  ItemOpen how{access, narrow, false};
  how.refuse_folder = !folder;
  std::unique_ptr<Item> item;
  if (ctx.platform.files.OpenItem(path, how, &item) != platform::kSuccess)
    return held;
  // A file to be deleted is asked for its attributes only where they can show a link: the
  // open has refused a folder, and the final path below shows any other link.
  if (folder || access != ItemAccess::kDelete || ctx.platform.files.FileLinksAreMarked()) {
    if (item->Query(&held.info) != platform::kSuccess || IsLink(held.info.attributes) ||
        IsFolder(held.info.attributes) != folder) {
      return held;
    }
  }
  std::string final_path;
  Status status = item->FinalPath(&final_path);
  if (status == platform::kSuccess ? !IsSameEntry(final_path, real)
                                   : status != platform::kNotSupported) {
    return held;
  }
  held.item = std::move(item);
  held.final_path_known = status == platform::kSuccess;
  return held;
}

// Nothing is at the plain path: neither an entry nor a link in its place.
bool IsMissing(Context& ctx, std::string_view plain) {
  std::unique_ptr<Item> item;
  Status status = ctx.platform.files.OpenItem(LiteralPath(plain), ItemOpen{}, &item);
  return status == platform::kFileNotFound || status == platform::kPathNotFound;
}

// Deletes a listed file through its own handle: narrow name first where it names the file
// exactly, then the literal wide name. Neither forces: a read-only file stays.
Status DeleteListedFile(Context& ctx, std::string_view real) {
  if (NarrowNamesExactly(ctx, real)) {
    Held held = OpenAsListed(ctx, real, ItemAccess::kDelete, false, true);
    if (held && held.item->Delete() == platform::kSuccess)
      return platform::kSuccess;
  }
  Held held = OpenAsListed(ctx, real, ItemAccess::kDelete, false, false);
  return held ? held.item->Delete() : platform::kAccessDenied;
}

Status WipeListedFile(Context& ctx, std::string_view real) {
  Held held = OpenAsListed(ctx, real, ItemAccess::kWipe, false, false);
  if (!held)
    return platform::kAccessDenied;
  // Another name of the same file lies elsewhere: overwriting would reach it there.
  if (held.info.links <= 1) {
    Status status = held.item->WriteAtStart(std::string_view(kWipeBytes, sizeof kWipeBytes));
    if (status != platform::kSuccess)
      return status;
  }
  // As with the narrow deletion it stands for, the outcome is not looked at.
  (void)held.item->Delete();
  return platform::kSuccess;
}

// One purge: what every level of the walk needs.
struct Walk {
  Context& ctx;
  const ProgramFolder& program;
};

// Each level of the walk takes its own stack. No program makes a tree this deep; one made on
// purpose (through \\?\ names) is left below it rather than end the program.
constexpr int kMaxDepth = 256;

// Every file of the tree, depth first: each folder's files, then its subfolders. One listing
// and one held folder per level, so memory follows the depth, not the number of files.
void PurgeFilesOf(Walk& walk, const FolderPlace& folder, int depth = 0) {
  std::unique_ptr<DirectoryListing> listing;
  if (walk.ctx.platform.files.ListFolder(LiteralPath(folder.real), &listing) !=
      platform::kSuccess) {
    return;
  }
  std::vector<std::string> subfolders;
  DirEntry entry;
  while (listing->Next(&entry)) {
    if (IsLink(entry.attributes))
      continue;
    if (IsFolder(entry.attributes)) {
      subfolders.push_back(entry.name);
      continue;
    }
    FolderPlace file = ChildOf(folder, entry.name);
    (void)DeleteListedFile(walk.ctx, file.real);
    ShowDeleting(walk.ctx, file.shown);
  }
  listing.reset();
  if (depth == kMaxDepth)
    return;
  for (const std::string& name : subfolders) {
    FolderPlace sub = ChildOf(folder, name);
    if (walk.program.Is(sub))
      continue;
    Held held = OpenAsListed(walk.ctx, sub.real, ItemAccess::kRead, true, false);
    if (held && !walk.program.IsItem(walk.ctx.platform.files, *held.item))
      PurgeFilesOf(walk, sub, depth + 1);
  }
}

// A forced removal: read-only files and folders go too, but a link inside is left in place
// (and so is the folder holding it), and nothing behind it is touched. The folder is held for
// reading while it is emptied (a listing cannot open a folder held for deletion), then opened
// again, and checked again, for its own removal.
void RemoveTreeForced(Walk& walk, const FolderPlace& folder, int depth = 0) {
  if (depth == kMaxDepth)
    return;
  {
    Held reading = OpenAsListed(walk.ctx, folder.real, ItemAccess::kRead, true, false);
    if (!reading || walk.program.IsItem(walk.ctx.platform.files, *reading.item))
      return;
    std::unique_ptr<DirectoryListing> listing;
    if (walk.ctx.platform.files.ListFolder(LiteralPath(folder.real), &listing) ==
        platform::kSuccess) {
      DirEntry entry;
      while (listing->Next(&entry)) {
        if (IsLink(entry.attributes))
          continue;
        FolderPlace child = ChildOf(folder, entry.name);
        if (IsFolder(entry.attributes)) {
          if (!walk.program.Is(child))
            RemoveTreeForced(walk, child, depth + 1);
          continue;
        }
        Held file = OpenAsListed(walk.ctx, child.real, ItemAccess::kDelete, false, false);
        if (!file || file.item->Delete() == platform::kSuccess)
          continue;
        // Refused: a read-only file loses the attribute and goes. The attribute belongs to the
        // file, not the name: one with another name elsewhere keeps it there, so it stays. One
        // still refused (a program's loaded image) stays as it was.
        ItemInfo info;
        if (file.item->Query(&info) == platform::kSuccess &&
            (info.attributes & platform::kAttrReadOnly) != 0 && info.links <= 1 &&
            file.item->SetReadOnly(false) == platform::kSuccess &&
            file.item->Delete() != platform::kSuccess) {
          (void)file.item->SetReadOnly(true);
        }
      }
    }
  }
  Held removing = OpenAsListed(walk.ctx, folder.real, ItemAccess::kDelete, true, false);
  if (!removing)
    return;
  const bool read_only = (removing.info.attributes & platform::kAttrReadOnly) != 0;
  if (read_only)
    (void)removing.item->SetReadOnly(false);
  // A folder that keeps something (a link, a file in use) stays as it was.
  if (removing.item->Delete() != platform::kSuccess && read_only)
    (void)removing.item->SetReadOnly(true);
}

// The folder holding a file path, checked as any named folder; the file's name alone.
bool SplitChecked(Context& ctx,
                  std::string_view path,
                  std::unique_ptr<NamedFolder>* folder,
                  std::string* name) {
  std::size_t slash = path.find_last_of('\\');
  if (slash == std::string_view::npos || slash + 1 == path.size())
    return false;
  *name = std::string(path.substr(slash + 1));
  if (PlainFolderText(Join("C:\\x", *name)).empty())
    return false;  // "..", a trailing dot, a wildcard: not one entry's name
  *folder = std::make_unique<NamedFolder>(ctx, path.substr(0, slash));
  return static_cast<bool>(**folder);
}

}  // namespace

Status WipeAndDeleteFile(Context& ctx, std::string_view path) {
  std::unique_ptr<NamedFolder> folder;
  std::string name;
  if (!SplitChecked(ctx, path, &folder, &name))
    return platform::kAccessDenied;
  return WipeListedFile(ctx, ChildOf(folder->place(), name).real);
}

Status DeleteOneFile(Context& ctx, std::string_view path) {
  std::unique_ptr<NamedFolder> folder;
  std::string name;
  if (!SplitChecked(ctx, path, &folder, &name))
    return platform::kAccessDenied;
  const std::string real = ChildOf(folder->place(), name).real;
  Status status = DeleteListedFile(ctx, real);
  // Nothing there is not a refusal: a caller may go on with what lay beside it.
  return status == platform::kAccessDenied && IsMissing(ctx, real) ? platform::kFileNotFound
                                                                   : status;
}

namespace {

// The file at path is missing, or is the very file its text names: no link at its end or on
// the way to it. Opened as for its deletion, so that a file in use that forbids it stays with
// its entry, and let go at once: a library could not delete it by its name while it is open.
bool MissingOrInPlace(Context& ctx, std::string_view path, std::string_view folder) {
  Held file = OpenAsListed(ctx, path, ItemAccess::kDelete, false, false);
  if (!file)
    return IsMissing(ctx, path);
  // Where the system gives no final path, the file's own attributes were read; the folders
  // above it are read here.
  return file.final_path_known || NoLinkOnTheWay(ctx.platform.files, folder);
}

// A file a library opens by its name beside the one it was given: missing, or a file as
// listed with no other name.
bool MissingOrPlain(Context& ctx, std::string_view real) {
  Held held = OpenAsListed(ctx, real, ItemAccess::kRead, false, false);
  if (held)
    return held.info.links <= 1;
  return IsMissing(ctx, real);
}

}  // namespace

Status WithFileInPlace(Context& ctx,
                       FolderHold& hold,
                       std::string_view path,
                       const std::function<Status()>& act) {
  // ".", "..", a stream, a trailing dot or a device: the text names another file than it says.
  auto plain = [&ctx](std::string_view text) {
    std::size_t slash = text.find_last_of('\\');
    return slash != std::string_view::npos && PlainAsRead(ctx.platform.files, text) == text &&
           PlainFolderText(text.substr(0, slash)) == text.substr(0, slash);
  };
  if (!plain(path))
    return platform::kAccessDenied;
  // A library may name the file through its folders' short names (the URL cache does, below a
  // folder the ANSI code page cannot hold), while its final path gives the long ones. The file is
  // checked by its long name, which leads through the same entries; only a generated short name
  // has a "~".
  std::string long_form;
  if (path.find('~') != std::string_view::npos &&
      ctx.platform.files.LongPath(path, &long_form) == platform::kSuccess) {
    if (!plain(long_form))
      return platform::kAccessDenied;
    path = long_form;
  }
  std::string_view folder = path.substr(0, path.find_last_of('\\'));
  // The folder is held, so that it cannot be swapped for a link until act is done.
  auto& held = hold.folders;
  if (std::none_of(held.begin(), held.end(),
                   [&](const FolderHold::Folder& f) { return f.path == folder; })) {
    std::unique_ptr<Item> item;
    if (ctx.platform.files.OpenItem(LiteralPath(folder), ItemOpen{ItemAccess::kRead, false, false},
                                    &item) != platform::kSuccess) {
      return IsMissing(ctx, folder) ? act() : platform::kAccessDenied;
    }
    if (held.size() == FolderHold::kMostFolders)
      held.erase(held.begin());
    held.push_back({std::string(folder), std::move(item)});
  }
  return MissingOrInPlace(ctx, path, folder) ? act() : platform::kAccessDenied;
}

Status WithPlainFile(Context& ctx,
                     std::string_view path,
                     std::span<const std::string_view> beside,
                     const std::function<Status(const std::string&)>& act) {
  std::unique_ptr<NamedFolder> folder;
  std::string name;
  if (!SplitChecked(ctx, path, &folder, &name))
    return platform::kAccessDenied;
  const std::string real = ChildOf(folder->place(), name).real;
  // The library reads the name as Windows does: a folder really named "prof." (reached by its
  // short name, or by a junction) would be read as "prof", whose files were never checked.
  if (PlainAsRead(ctx.platform.files, real) != real)
    return platform::kAccessDenied;
  Held held = OpenAsListed(ctx, real, ItemAccess::kRead, false, false);
  if (!held || held.info.links > 1)
    return platform::kAccessDenied;
  for (std::string_view ending : beside) {
    if (!MissingOrPlain(ctx, real + std::string(ending)))
      return platform::kAccessDenied;
  }
  return act(real);
}

namespace {

// A folder step works only in a checked folder that neither is nor holds one of the user's own
// folders, and lies in no folder of the system's or of other users.
bool MayEmpty(Context& ctx, const NamedFolder& folder, const OwnFolder& own) {
  return folder && !HoldsUserFolder(ctx, folder, own) && !LiesInSystemArea(ctx, folder);
}

// Hands `act` the real path of each normal file directly in a checked folder whose name
// `wanted` takes, and shows the bare name of each one it removed.
template <typename Wanted, typename Act>
void ForEachNormalFile(Context& ctx,
                       std::string_view folder_text,
                       const OwnFolder& own,
                       Wanted wanted,
                       Act act) {
  NamedFolder folder(ctx, folder_text);
  if (!MayEmpty(ctx, folder, own))
    return;
  std::unique_ptr<DirectoryListing> listing;
  if (ctx.platform.files.ListFolder(LiteralPath(folder.place().real), &listing) !=
      platform::kSuccess) {
    return;
  }
  // What a listing with attribute mask 0 leaves out, and links: wiping one would overwrite
  // whatever it points to.
  constexpr std::uint32_t kNotNormal = platform::kAttrHidden | platform::kAttrSystem |
                                       platform::kAttrVolumeLabel | platform::kAttrDirectory |
                                       platform::kAttrReparsePoint;
  DirEntry entry;
  while (listing->Next(&entry)) {
    if ((entry.attributes & kNotNormal) != 0 || !wanted(entry.name))
      continue;
    if (act(ChildOf(folder.place(), entry.name).real) == platform::kSuccess)
      ctx.window.SetStatus(std::string(kDeleting) + entry.name);
    ctx.window.DoEvents();
  }
}

// ASCII case folded, as Windows compares an extension.
bool EndsWithFolded(std::string_view name, std::string_view ending) {
  return name.size() >= ending.size() &&
         IsSamePath(name.substr(name.size() - ending.size()), ending);
}

}  // namespace

void SweepFolderFiles(Context& ctx, std::string_view folder_text, const OwnFolder& own) {
  ForEachNormalFile(
      ctx, folder_text, own, [](std::string_view) { return true; },
      [&ctx](std::string_view real) { return WipeListedFile(ctx, real); });
}

void DeleteFolderFilesEndingIn(Context& ctx,
                               std::string_view folder_text,
                               std::string_view ending,
                               const OwnFolder& own) {
  ForEachNormalFile(
      ctx, folder_text, own,
      [ending](std::string_view name) { return EndsWithFolded(name, ending); },
      [&ctx](std::string_view real) { return DeleteListedFile(ctx, real); });
}

bool MayLeaveFolderTo(Context& ctx, std::string_view path, const OwnFolder& own) {
  if (path.empty() || PlainFolderText(path) != path)
    return false;
  NamedFolder folder(ctx, path);
  return MayEmpty(ctx, folder, own) || (!folder && IsMissing(ctx, path));
}

void PurgeFolderFiles(Context& ctx, std::string_view path, const OwnFolder& own) {
  NamedFolder folder(ctx, path);
  if (!MayEmpty(ctx, folder, own))
    return;
  Walk walk{ctx, folder.program()};
  PurgeFilesOf(walk, folder.place());
}

void PurgeFolder(Context& ctx, std::string_view path, const OwnFolder& own) {
  // A root, a relative path ("\Temp" of an unread folder value), a path Windows would read
  // otherwise, or a folder holding the system's or the user's own: more than a folder.
  NamedFolder folder(ctx, path);
  if (!MayEmpty(ctx, folder, own))
    return;
  Walk walk{ctx, folder.program()};
  PurgeFilesOf(walk, folder.place());
  std::unique_ptr<DirectoryListing> listing;
  if (ctx.platform.files.ListFolder(LiteralPath(folder.place().real), &listing) !=
      platform::kSuccess) {
    return;
  }
  DirEntry entry;
  while (listing->Next(&entry)) {
    if (!IsFolder(entry.attributes) || IsLink(entry.attributes))
      continue;
    FolderPlace sub = ChildOf(folder.place(), entry.name);
    if (walk.program.Is(sub))
      continue;
    RemoveTreeForced(walk, sub);
    ShowDeleting(ctx, sub.shown);
  }
}

}  // namespace scourix
