#include "recording/recording_url_cache.h"

namespace scourix::recording {

platform::Status RecordingUrlCache::DeleteEntry(std::string_view url) {
  if (!journal_.preview()) {
    platform::Status status = real_.DeleteEntry(url);
    if (status != platform::kSuccess)
      return status;
  } else if (!deleted_.insert(std::string(url)).second) {
    return platform::kFileNotFound;
  }
  journal_.Record(ChangeKind::kCacheEntryDeleted, std::string(url), 1);
  return platform::kSuccess;
}

}  // namespace scourix::recording
