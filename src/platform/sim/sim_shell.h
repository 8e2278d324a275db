#pragma once

#include <cstdint>
#include <vector>

#include "platform/shell.h"

namespace scourix::sim {

class SimShell : public platform::Shell {
 public:
  void AddToRecentDocsNull(std::uint32_t flags) override { recent_docs_cleared.push_back(flags); }
  std::vector<std::uint32_t> recent_docs_cleared;  // the flags of every call
};

}  // namespace scourix::sim
