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

// The user's own folders that a folder named by the user's settings must not be, nor hold:
// those the named-folder check does not guard already, and every folder the shell-folder
// values name, except the folder's own. The shell is asked for the media folders too: the
// values are kept for old programs, and a profile may lack one.
std::vector<std::string> UserFolders(Context& ctx, const OwnFolder& own) {
  std::vector<std::string> folders;
  for (KnownFolder folder :
       {KnownFolder::kLocalAppData, KnownFolder::kRecent, KnownFolder::kCookies,
        KnownFolder::kPictures, KnownFolder::kMusic, KnownFolder::kVideos}) {
    if (folder != own.known)
      folders.push_back(KnownFolderText(ctx, folder));
  }
  platform::Registry& registry = ctx.platform.registry;
  platform::UniqueRegKey key;
  if (platform::OpenKey(registry, platform::kHkeyCurrentUser, kShellFoldersKey,
                        platform::kKeyQueryValue, &key) == platform::kSuccess) {
    platform::RegValue value;
    for (std::uint32_t i = 0; registry.EnumValue(key.get(), i, &value) == platform::kSuccess; ++i) {
      if ((value.type == platform::kRegSz || value.type == platform::kRegExpandSz) &&
          (own.value.empty() || !IsSamePath(value.name, own.value))) {
        folders.push_back(value.data.substr(0, value.data.find('\0')));
      }
    }
  }
  return folders;
}

}  // namespace

bool HoldsUserFolder(Context& ctx, const NamedFolder& folder, const OwnFolder& own) {
  std::vector<std::string> user_folders;
  for (const std::string& user_folder : UserFolders(ctx, own)) {
    std::string plain = PlainFolderText(user_folder);
    if (!plain.empty())
      user_folders.push_back(std::move(plain));
  }
  const ProtectedFolders guarded(ctx.platform.files, user_folders);
  return guarded.Covers(folder.place().shown) || guarded.Covers(folder.place().real) ||
         guarded.CoversItem(folder.item());
}

}  // namespace scourix
