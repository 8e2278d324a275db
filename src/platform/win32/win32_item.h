#pragma once

#include <memory>
#include <string_view>

#include "platform/file_system.h"

namespace scourix::win32 {

// Opens one item without following a link at its end (unless asked), sharing reads and
// writes but not deletion: while the handle is held the item cannot be renamed, replaced or
// removed by another program.
platform::Status OpenWin32Item(std::string_view path,
                               const platform::ItemOpen& how,
                               std::unique_ptr<platform::Item>* item);

}  // namespace scourix::win32
