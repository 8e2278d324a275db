#pragma once

#include <string_view>

#include "app/context.h"
#include "platform/status.h"

// Removing files and folder trees. The folder procedures show each path on the status label
// as "Deleting - <path>" (never in the log) and let the window process messages after each.
//
// Links (any entry with the reparse-point attribute) inside a purged tree are never followed,
// deleted or removed: what they point to lies outside the folder being purged.
namespace scourix {

// Overwrites the first two bytes with 0x01 0x00, then deletes the file. A file that cannot be
// opened or written, or a link, is left in place and the failure is returned.
platform::Status WipeAndDeleteFile(Context& ctx, std::string_view path);
// Deletes every file of the tree, then removes each direct subfolder; keeps the folder.
void PurgeFolder(Context& ctx, std::string_view path);
// The recursive file pass inside PurgeFolder.
void PurgeFolderFiles(Context& ctx, std::string_view path);

// Deletes one file without wiping it: DeleteFileA first, then the wide deletion for a name
// that the ANSI code page cannot hold. A link is left alone.
platform::Status DeleteOneFile(Context& ctx, std::string_view path);

// True for a full path with a drive ("C:\...") or a share ("\\server\share\..."). Folder
// values read from the registry must pass this before anything is built from them.
bool IsAbsolutePath(std::string_view path);
// An absolute path that names a folder below a drive or share root: what the folder
// procedures accept. A root, a relative path or a failure text is refused.
bool IsPurgeableFolder(std::string_view path);

}  // namespace scourix
