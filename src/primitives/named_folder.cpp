#include "primitives/named_folder.h"

#include <algorithm>
#include <array>

#include "primitives/folder_text.h"

namespace scourix {
namespace {

using platform::ItemAccess;
using platform::ItemInfo;
using platform::ItemOpen;
using platform::KnownFolder;

constexpr std::array kProtected = {
    KnownFolder::kWindows,      KnownFolder::kSystem,          KnownFolder::kSystemWow64,
    KnownFolder::kProgramFiles, KnownFolder::kProgramFilesX86, KnownFolder::kProgramFilesNative,
    KnownFolder::kProfile,      KnownFolder::kDesktop,         KnownFolder::kDocuments,
    KnownFolder::kAppData,      KnownFolder::kCommonAppData,   KnownFolder::kCommonDocuments,
};

// An open folder whose number on its volume is the one of the folder at path: the same folder,
// unless the volumes' serial numbers differ. Where one cannot be read, it is taken for it.
bool OnSameVolume(platform::FileSystem& files, platform::Item& folder, std::string_view path) {
  std::unique_ptr<platform::Item> item;
  std::uint32_t serial = 0;
  std::uint32_t other = 0;
  return folder.VolumeSerial(&serial) != platform::kSuccess ||
         files.OpenItem(LiteralPath(path), ItemOpen{ItemAccess::kRead, false, true}, &item) !=
             platform::kSuccess ||
         item->VolumeSerial(&other) != platform::kSuccess || serial == other;
}

bool IsRoot(std::string_view path) {
  std::size_t root = RootLength(path);
  return root == 0 || path.find_first_not_of('\\', root) == std::string_view::npos;
}

}  // namespace

std::string PlainAsRead(platform::FileSystem& files, std::string_view text) {
  std::string plain = PlainFolderText(text);
  // The system's own reading must be the text itself: what it would fold, it would move.
  std::string full;
  if (plain.empty() || files.FullPath(plain, &full) != platform::kSuccess || full != plain)
    return std::string();
  return plain;
}

bool NoLinkOnTheWay(platform::FileSystem& files, std::string_view plain) {
  std::size_t end = RootLength(plain);
  while (end < plain.size()) {
    end = std::min(plain.find('\\', end + 1), plain.size());
    std::unique_ptr<platform::Item> item;
    ItemInfo info;
    if (files.OpenItem(LiteralPath(plain.substr(0, end)), ItemOpen{}, &item) !=
            platform::kSuccess ||
        item->Query(&info) != platform::kSuccess ||
        (info.attributes & platform::kAttrReparsePoint) != 0) {
      return false;
    }
  }
  return true;
}

std::string FinalPathOf(platform::FileSystem& files, std::string_view plain) {
  std::unique_ptr<platform::Item> item;
  ItemOpen how{ItemAccess::kRead, false, true};
  std::string final_path;
  if (files.OpenItem(LiteralPath(plain), how, &item) != platform::kSuccess ||
      item->FinalPath(&final_path) != platform::kSuccess) {
    return std::string();
  }
  return final_path;
}

void AddWithFinalPath(platform::FileSystem& files,
                      std::string_view plain,
                      std::vector<std::string>* texts) {
  texts->emplace_back(plain);
  std::string real = FinalPathOf(files, plain);
  if (!real.empty() && !IsSamePath(real, plain))
    texts->push_back(std::move(real));
}

std::string KnownFolderText(Context& ctx, KnownFolder which) {
  std::string path;
  if (ctx.platform.shell.GetKnownFolder(which, &path) != platform::kSuccess)
    return std::string();
  return PlainFolderText(path);
}

ProtectedFolders::ProtectedFolders(Context& ctx) : files_(ctx.platform.files) {
  for (KnownFolder which : kProtected)
    Add(KnownFolderText(ctx, which));
  // Every profile sits beside the user's: another user's, Public's, Default's. Where the
  // profile lies in a root, its folder is the root, whose every folder is not a profile.
  std::string profiles = FolderOf(KnownFolderText(ctx, KnownFolder::kProfile));
  if (profiles.empty() || PlainFolderText(profiles) != profiles)
    return;
  AddWithFinalPath(files_, profiles, &profiles_);
}

ProtectedFolders::ProtectedFolders(platform::FileSystem& files,
                                   std::span<const std::string> plain_folders)
    : files_(files) {
  for (const std::string& plain : plain_folders)
    Add(plain);
}

void ProtectedFolders::Add(std::string_view plain) {
  if (plain.empty())
    return;
  AddWithFinalPath(files_, plain, &folders_);
  AddIdentities(plain);
}

void ProtectedFolders::AddIdentities(std::string_view plain) {
  const std::size_t root = RootLength(plain);
  for (std::string path(plain);;) {
    const bool known = std::any_of(identities_.begin(), identities_.end(),
                                   [&](const Identity& id) { return IsSamePath(id.path, path); });
    std::unique_ptr<platform::Item> item;
    Identity identity{0, path};
    if (!known &&
        files_.OpenItem(LiteralPath(path), ItemOpen{ItemAccess::kRead, false, true}, &item) ==
            platform::kSuccess &&
        item->FileIndex(&identity.index) == platform::kSuccess && identity.index != 0) {
      identities_.push_back(std::move(identity));
    }
    const std::size_t slash = path.rfind('\\');
    if (path.size() <= root || slash == std::string::npos)
      break;
    // Down to the root itself, a drive's with its backslash: reached through a share or a
    // junction in one, a drive's root is a plain folder by its text and its final path.
    path.resize(std::max(slash, root));
  }
}

bool ProtectedFolders::CoversItem(platform::Item& folder) const {
  // Zero is the number of a file system that numbers nothing: it names no folder.
  std::uint64_t index = 0;
  if (folder.FileIndex(&index) != platform::kSuccess || index == 0)
    return false;
  return std::any_of(identities_.begin(), identities_.end(), [&](const Identity& guarded) {
    return guarded.index == index && OnSameVolume(files_, folder, guarded.path);
  });
}

bool ProtectedFolders::Covers(std::string_view folder) const {
  if (IsRoot(folder) || IsOnAdministrativeShare(folder))
    return true;
  for (const std::string& guarded : folders_) {
    if (IsSameOrInside(guarded, folder))
      return true;
  }
  const std::string parent = FolderOf(folder);
  return std::any_of(profiles_.begin(), profiles_.end(),
                     [&](const std::string& profiles) { return IsSamePath(parent, profiles); });
}

// Started by a "\\?\" path, the program is told its path with that prefix: kept, it would match
// no plain path, and made literal again it would open nothing.
ProgramFolder::ProgramFolder(Context& ctx)
    : text(FolderOf(WithoutLiteralPrefix(ctx.platform.system.ProgramPath()))) {
  if (text.empty())
    return;
  platform::FileSystem& files = ctx.platform.files;
  // One open gives both where the folder leads and its number.
  std::unique_ptr<platform::Item> item;
  if (files.OpenItem(LiteralPath(text), ItemOpen{ItemAccess::kRead, false, true}, &item) ==
      platform::kSuccess) {
    if (item->FinalPath(&real) != platform::kSuccess)
      real.clear();
    if (item->FileIndex(&index) != platform::kSuccess)
      index = 0;
  }
  // Without final paths, the long names: started as "SCOURI~1\scourix.exe", the program's folder
  // is still known when a walk meets it by its long name.
  if (real.empty() && files.LongPath(text, &real) != platform::kSuccess)
    real.clear();
  if (real.empty())
    real = text;
}

bool ProgramFolder::IsItem(platform::FileSystem& files, platform::Item& folder) const {
  std::uint64_t other = 0;
  return index != 0 && folder.FileIndex(&other) == platform::kSuccess && other == index &&
         OnSameVolume(files, folder, real);
}

bool ProgramFolder::Is(const FolderPlace& place) const {
  return !text.empty() && (IsSamePath(place.shown, text) || IsSamePath(place.real, real));
}

bool ProgramFolder::Holds(const FolderPlace& place) const {
  return !text.empty() && (IsSameOrInside(place.shown, text) || IsSameOrInside(place.real, real));
}

NamedFolder::NamedFolder(Context& ctx, std::string_view text) {
  platform::FileSystem& files = ctx.platform.files;
  std::string plain = PlainAsRead(files, text);
  if (plain.empty())
    return;
  ProtectedFolders guarded(ctx);
  if (guarded.Covers(plain))
    return;
  // Held open from here on, following a link the folder itself may be: the final path of
  // that very handle is what the step will work in.
  std::unique_ptr<platform::Item> item;
  if (files.OpenItem(LiteralPath(plain), ItemOpen{ItemAccess::kRead, false, true}, &item) !=
      platform::kSuccess) {
    return;
  }
  ItemInfo info;
  if (item->Query(&info) != platform::kSuccess ||
      (info.attributes & platform::kAttrDirectory) == 0) {
    return;
  }
  std::string real;
  platform::Status status = item->FinalPath(&real);
  if (status == platform::kNotSupported) {
    // Without the final path a link cannot be judged by where it leads: refuse the link. The
    // long names stand in for the final path, so that a short "DOCUME~1" is known as the
    // protected folder it is.
    if (!NoLinkOnTheWay(files, plain) || files.LongPath(plain, &real) != platform::kSuccess)
      return;
  } else if (status != platform::kSuccess) {
    return;
  }
  if (guarded.Covers(real) || guarded.CoversItem(*item))
    return;
  FolderPlace place{plain, real};
  ProgramFolder program(ctx);
  // Started from a drive mapped to its folder, the program's text and final path are that
  // drive's; the folder itself still tells.
  if (program.Holds(place) || program.IsItem(files, *item))
    return;
  program_ = std::move(program);
  place_ = std::move(place);
  item_ = std::move(item);
}

}  // namespace scourix
