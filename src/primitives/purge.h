#pragma once

#include <string_view>

#include "app/context.h"
#include "platform/status.h"

// Removing files and folder trees. The folder procedures show each path on the status label
// as "Deleting - <path>" (never in the log) and let the window process messages after each.
namespace scourix {

// Overwrites the first two bytes with 0x01 0x00, then deletes the file. A file that cannot be
// opened or written is left in place and the failure is returned.
platform::Status WipeAndDeleteFile(Context& ctx, std::string_view path);
// Deletes every file of the tree, then removes each direct subfolder; keeps the folder.
void PurgeFolder(Context& ctx, std::string_view path);
// The recursive file pass inside PurgeFolder.
void PurgeFolderFiles(Context& ctx, std::string_view path);

}  // namespace scourix
