#include "platform/win32/win32_shell.h"

#include <shlobj.h>

#include "platform/win32/windows_api.h"

namespace scourix::win32 {

void Win32Shell::AddToRecentDocsNull(std::uint32_t flags) {
  SHAddToRecentDocs(flags, nullptr);
}

}  // namespace scourix::win32
