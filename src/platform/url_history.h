#pragma once

namespace scourix::platform {

// The platform's URL history store (CUrlHistory).
class UrlHistoryStore {
 public:
  virtual ~UrlHistoryStore() = default;
};

}  // namespace scourix::platform
