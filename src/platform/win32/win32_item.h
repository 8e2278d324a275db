#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/win32/windows_api.h"

namespace scourix::win32 {

// Opens one item without following a link at its end (unless asked), sharing reads and
// writes but not deletion: while the handle is held the item cannot be renamed, replaced or
// removed by another program.
platform::Status OpenWin32Item(std::string_view path,
                               const platform::ItemOpen& how,
                               std::unique_ptr<platform::Item>* item);

// An open handle's attributes, names and size, from the open file alone.
platform::Status QueryHandle(HANDLE handle, platform::ItemInfo* info);

// GetFinalPathNameByHandleW in its plain form ("C:\x", "\\server\share\x"); kNotSupported
// before Vista.
platform::Status FinalPathOf(HANDLE handle, std::string* path);

}  // namespace scourix::win32
