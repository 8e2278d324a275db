#pragma once

#include <memory>

#include "platform/registry.h"

namespace scourix::testing {

// A registry for the shared conformance cases, with HKEY_CURRENT_USER that the cases may fill
// freely: the in-memory one on the host, the real one under Wine (redirected to a throwaway
// key for the environment's lifetime).
class RegistryEnv {
 public:
  virtual ~RegistryEnv() = default;
  virtual platform::Registry& registry() = 0;
  // Wine differs from Windows in a few details; the cases that meet one say so.
  virtual bool IsWine() const = 0;
};

std::unique_ptr<RegistryEnv> MakeRegistryEnv();

}  // namespace scourix::testing
