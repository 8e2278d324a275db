#include "conformance/registry_env.h"
#include "platform/sim/sim_registry.h"

namespace scourix::testing {
namespace {

class SimRegistryEnv : public RegistryEnv {
 public:
  platform::Registry& registry() override { return registry_; }
  bool IsWine() const override { return false; }

 private:
  sim::SimRegistry registry_;
};

}  // namespace

std::unique_ptr<RegistryEnv> MakeRegistryEnv() {
  return std::make_unique<SimRegistryEnv>();
}

}  // namespace scourix::testing
