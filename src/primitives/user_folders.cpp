#include "primitives/user_folders.h"

#include <string>
#include <vector>

#include "platform/registry.h"
#include "primitives/folder_text.h"
#include "primitives/named_folder.h"

namespace scourix {
namespace {

using platform::KnownFolder;

constexpr std::string_view kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// The step's folder is the one its own value or known folder names, by that text or by where
// it leads.
bool IsItself(platform::FileSystem& files, std::string_view own, const FolderPlace& place) {
  if (IsSamePath(own, place.shown) || IsSamePath(own, place.real))
    return true;
  std::string real = FinalPathOf(files, own);
  return (!real.empty() || files.LongPath(own, &real) == platform::kSuccess) &&
         IsSamePath(real, place.real);
}

// The user's own folders that a folder named by the user's settings must not be, nor hold, in
// their plain form: those the named-folder check does not guard already, and every folder the
// shell-folder values name. The shell is asked for the media and download folders too: the values
// are kept for old programs, and a profile may lack one. The step's own folder is left out only
// where it is the step's folder itself: a cookies value naming the folder above the shell's Cookies
// folder would otherwise pass.
std::vector<std::string> UserFolders(Context& ctx, const OwnFolder& own, const FolderPlace& place) {
  std::vector<std::string> folders;
  auto add = [&](std::string_view text, bool owns) {
    std::string plain = PlainFolderText(text);
    if (!plain.empty() && !(owns && IsItself(ctx.platform.files, plain, place)))
      folders.push_back(std::move(plain));
  };
  for (KnownFolder folder : {KnownFolder::kLocalAppData, KnownFolder::kRecent,
                             KnownFolder::kCookies, KnownFolder::kPictures, KnownFolder::kMusic,
                             KnownFolder::kVideos, KnownFolder::kDownloads}) {
    add(KnownFolderText(ctx, folder), folder == own.known);
  }
  platform::Registry& registry = ctx.platform.registry;
  platform::UniqueRegKey key;
  if (platform::OpenKey(registry, platform::kHkeyCurrentUser, kShellFoldersKey,
                        platform::kKeyQueryValue, &key) == platform::kSuccess) {
    platform::RegValue value;
    for (std::uint32_t i = 0; registry.EnumValue(key.get(), i, &value) == platform::kSuccess; ++i) {
      if (value.type == platform::kRegSz || value.type == platform::kRegExpandSz) {
        add(value.data.substr(0, value.data.find('\0')),
            !own.value.empty() && IsSamePath(value.name, own.value));
      }
    }
  }
  return folders;
}

}  // namespace

bool HoldsUserFolder(Context& ctx, const NamedFolder& folder, const OwnFolder& own) {
  const std::vector<std::string> user_folders = UserFolders(ctx, own, folder.place());
  const ProtectedFolders guarded(ctx.platform.files, user_folders);
  return guarded.Covers(folder.place().shown) || guarded.Covers(folder.place().real) ||
         guarded.CoversItem(folder.item());
}

}  // namespace scourix
