#pragma once

// <wininet.h> needs the types of <windows.h> first.
// clang-format off
#include "platform/win32/windows_api.h"
#include <wininet.h>
// clang-format on
#include "platform/win32/unique_handle.h"

namespace scourix::win32 {

// A URL cache enumeration; wininet answers null for "none".
using UniqueUrlCacheFind = UniqueHandle<HANDLE, FindCloseUrlCache, 0>;

}  // namespace scourix::win32
