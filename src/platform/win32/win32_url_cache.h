#pragma once

#include "platform/url_cache.h"

namespace scourix::win32 {

// The URL cache through wininet.
class Win32UrlCache : public platform::UrlCache {};

}  // namespace scourix::win32
