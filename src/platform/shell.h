#pragma once

#include <cstdint>

namespace scourix::platform {

inline constexpr std::uint32_t kShardPathA = 2;

// The Windows shell.
class Shell {
 public:
  virtual ~Shell() = default;
  // SHAddToRecentDocs(flags, nullptr): with a null item the shell empties its recent-documents
  // list.
  virtual void AddToRecentDocsNull(std::uint32_t flags) = 0;
};

}  // namespace scourix::platform
