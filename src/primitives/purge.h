#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/status.h"
#include "primitives/context.h"
#include "primitives/folder_text.h"
#include "primitives/user_folders.h"

// Removing files and folder trees. The folder procedures show each path on the status label
// as "Deleting - <path>" (never in the log) and let the window process messages after each.
//
// Every folder they are given must pass the checks of NamedFolder (named_folder.h), must
// neither be nor hold one of the user's own folders other than its own (user_folders.h), and
// must not lie inside the system's folders or another user's profile (system_areas.h). Inside
// it, each entry is addressed literally ("\\?\"), and opened without following links at the
// moment it is acted on: it is deleted through that handle only if it is still what the
// listing said. Links are never followed, deleted or removed; the program's own folder is
// passed over.
namespace scourix {

// Overwrites the first two bytes with 0x01 0x00, then deletes the file. A file that cannot be
// opened or written, a link, or a file in a folder a step may not work in is left in place
// and the failure is returned. A file with more than one name (a hard link) is not
// overwritten; only this name of it is deleted.
platform::Status WipeAndDeleteFile(Context& ctx, std::string_view path);
// Whether a library that empties a folder itself, reading on its own where it is, may be
// asked to: the folder at path (plain) is one the folder steps below would work in, or none is
// there.
bool MayLeaveFolderTo(Context& ctx, std::string_view path, const OwnFolder& own = {});
// Deletes every file of the tree, then removes each direct subfolder; keeps the folder.
void PurgeFolder(Context& ctx, std::string_view path, const OwnFolder& own = {});
// The recursive file pass inside PurgeFolder.
void PurgeFolderFiles(Context& ctx, std::string_view path, const OwnFolder& own = {});
// Wipes and deletes the normal files directly in a folder (not hidden, system or links),
// showing each bare name once it is gone. A file that cannot be wiped is skipped.
void SweepFolderFiles(Context& ctx, std::string_view folder, const OwnFolder& own = {});
// Deletes, without wiping, the normal files directly in a folder whose names end in `ending`
// (ASCII case folded), showing each bare name once it is gone. Subfolders are not entered.
void DeleteFolderFilesEndingIn(Context& ctx,
                               std::string_view folder,
                               std::string_view ending,
                               const OwnFolder& own = {});

// Deletes one file without wiping it: through its narrow name first where that names it
// exactly, else (or when that fails) through its literal wide name. A link is left alone.
// kFileNotFound when nothing is there.
platform::Status DeleteOneFile(Context& ctx, std::string_view path);

// The folders WithFileInPlace held last, kept open for the next files: a walk of many files
// spread over a few folders (a cache puts each file in one of its folders at random) opens
// each folder once.
struct FolderHold {
  static constexpr std::size_t kMostFolders = 32;
  struct Folder {
    std::string path;
    std::unique_ptr<platform::Item> item;
  };
  std::vector<Folder> folders;  // the longest held first
};

// Runs act, which deletes the file at path by its name itself (a library that does not look
// at what it deletes), only where path is the very file it names: a plain full path as
// Windows reads it, no link on the way to it or at its end, and a file, not a folder. The
// file's folder is held open (in hold, until hold goes or it is the longest held of more than
// hold keeps) so that it cannot be swapped for a link; the file is not, as act could not
// delete it then. A missing file (or folder) endangers nothing: act runs. Otherwise
// kAccessDenied, and act does not run.
platform::Status WithFileInPlace(Context& ctx,
                                 FolderHold& hold,
                                 std::string_view path,
                                 const std::function<platform::Status()>& act);

// Runs act, which works on the file by its name (a library that opens it itself), while the
// file is held open without following links and without delete sharing, so that no link or
// other file can take its place meanwhile. act gets the name the check read: the final path of
// the file's folder and the file's name. path's folder may be a link, which could be turned to
// another folder after the check while the held file stays where it was. The library also
// opens by name the files beside it, that name followed by each ending in `beside`: each must
// be missing or a plain file. They are checked, not held: the library deletes them itself,
// which a held handle refuses.
// A link, a folder, a missing file, a file with another name (a write would reach it there
// too) or a file in a folder a step may not work in is not acted on: kAccessDenied.
platform::Status WithPlainFile(Context& ctx,
                               std::string_view path,
                               std::span<const std::string_view> beside,
                               const std::function<platform::Status(const std::string&)>& act);

}  // namespace scourix
