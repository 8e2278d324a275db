#pragma once

namespace scourix::platform {

// The browser's URL cache (wininet).
class UrlCache {
 public:
  virtual ~UrlCache() = default;
};

}  // namespace scourix::platform
