#pragma once

#include <memory>
#include <type_traits>

// <wininet.h> needs the types of <windows.h> first.
// clang-format off
#include "platform/win32/windows_api.h"
#include <wininet.h>
// clang-format on

namespace scourix::win32 {

// Owns a URL cache enumeration; wininet answers null for "none".
struct UrlCacheFindCloser {
  void operator()(HANDLE handle) const { FindCloseUrlCache(handle); }
};
using UniqueUrlCacheFind = std::unique_ptr<std::remove_pointer_t<HANDLE>, UrlCacheFindCloser>;

}  // namespace scourix::win32
