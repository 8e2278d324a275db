#include "conformance/url_cache_env.h"
#include "platform/sim/sim_machine.h"

namespace scourix::testing {
namespace {

class SimUrlCacheEnv : public UrlCacheEnv {
 public:
  platform::Platform& platform() override { return machine_.platform; }
  void Seed(const std::string& url, std::uint32_t type) override {
    machine_.url_cache.Add(url, type, "C:\\Cache\\" + std::to_string(++files_) + ".htm");
  }
  std::uint32_t StoredType(std::uint32_t type) override { return type; }
  bool Has(const std::string& url) override { return machine_.url_cache.Has(url); }

 private:
  sim::SimMachine machine_;
  int files_ = 0;
};

}  // namespace

std::unique_ptr<UrlCacheEnv> MakeUrlCacheEnv() {
  return std::make_unique<SimUrlCacheEnv>();
}

}  // namespace scourix::testing
