#pragma once

#include "platform/url_history.h"

namespace scourix::win32 {

// The URL history store through COM.
class Win32UrlHistoryStore : public platform::UrlHistoryStore {};

}  // namespace scourix::win32
