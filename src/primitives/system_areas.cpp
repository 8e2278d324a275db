#include "primitives/system_areas.h"

#include <string>
#include <vector>

#include "primitives/folder_text.h"

namespace scourix {
namespace {

using platform::KnownFolder;

// A folder as its text and, where that reads otherwise, its final path; nothing for no folder.
void AddForms(platform::FileSystem& files,
              const std::string& plain,
              std::vector<std::string>* forms) {
  if (!plain.empty())
    AddWithFinalPath(files, plain, forms);
}

bool InsideAny(std::string_view path, const std::vector<std::string>& areas) {
  for (const std::string& area : areas) {
    if (IsSameOrInside(path, area) && !IsSamePath(path, area))
      return true;
  }
  return false;
}

bool SameOrInsideAny(std::string_view path, const std::vector<std::string>& folders) {
  for (const std::string& folder : folders) {
    if (IsSameOrInside(path, folder))
      return true;
  }
  return false;
}

}  // namespace

bool LiesInSystemArea(Context& ctx, const NamedFolder& folder) {
  platform::FileSystem& files = ctx.platform.files;
  std::vector<std::string> users;
  const std::string profile = KnownFolderText(ctx, KnownFolder::kProfile);
  AddForms(files, profile, &users);
  const std::string windows = KnownFolderText(ctx, KnownFolder::kWindows);
  if (!windows.empty()) {
    AddForms(files, windows + "\\Temp", &users);
    AddForms(files, windows + "\\Cookies", &users);
  }
  std::vector<std::string> areas;
  for (KnownFolder area : {KnownFolder::kWindows, KnownFolder::kProgramFiles,
                           KnownFolder::kProgramFilesX86, KnownFolder::kProgramFilesNative,
                           KnownFolder::kCommonAppData, KnownFolder::kCommonDocuments}) {
    AddForms(files, KnownFolderText(ctx, area), &areas);
  }
  // Every profile sits beside the user's, unless the user's lies in a root.
  const std::string profiles = FolderOf(profile);
  if (!profiles.empty() && RootLength(profiles) < profiles.size())
    AddForms(files, profiles, &areas);
  // A short name ("C:\Users\JOHNSM~1", as Windows gives TEMP) is read by its long one.
  std::string shown = folder.place().shown;
  if (std::string long_path; files.LongPath(shown, &long_path) == platform::kSuccess)
    shown = std::move(long_path);
  for (const std::string& path : {shown, folder.place().real}) {
    if (InsideAny(path, areas) && !SameOrInsideAny(path, users))
      return true;
  }
  return false;
}

}  // namespace scourix
