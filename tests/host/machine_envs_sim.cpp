#include "conformance/machine_envs.h"
#include "platform/sim/sim_machine.h"

namespace scourix::conformance {
namespace {

class SimRegistryEnv : public RegistryEnv {
 public:
  platform::Registry& registry() override { return registry_; }
  bool IsWine() const override { return false; }
  void MakeLink(const std::string& link, const std::string& target) override {
    registry_.AddLink("HKCU\\" + link, "HKCU\\" + target);
  }
  void MakeKeyHoldingNull(const std::string& parent, const std::string& name) override {
    registry_.AddKey("HKCU\\" + parent + "\\" + name);
  }

 private:
  sim::SimRegistry registry_;
};

class SimFileSystemEnv : public FileSystemEnv {
 public:
  SimFileSystemEnv() { machine_.files.AddFolder(root_); }
  platform::Platform& platform() override { return machine_.platform; }
  const std::string& root() const override { return root_; }
  bool MakeFolderLink(const std::string& link, const std::string& target) override {
    machine_.files.AddLink(link, target, true);
    return true;
  }
  bool MakeFileLink(const std::string& link, const std::string& target) override {
    machine_.files.AddLink(link, target, false, /*marked=*/false);
    return true;
  }
  bool MakeHardLink(const std::string& link, const std::string& existing) override {
    machine_.files.AddHardLink(link, existing);
    return true;
  }
  void HoldOpen(const std::string& path) override { machine_.files.Lock(path); }
  std::string Read(const std::string& path) override {
    return machine_.files.Exists(path) ? machine_.files.Content(path) : "<missing>";
  }

 private:
  sim::SimMachine machine_;
  std::string root_ = "C:\\Users\\me\\AppData\\Local\\Temp\\scratch";
};

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

std::unique_ptr<RegistryEnv> MakeRegistryEnv() {
  return std::make_unique<SimRegistryEnv>();
}
std::unique_ptr<FileSystemEnv> MakeFileSystemEnv() {
  return std::make_unique<SimFileSystemEnv>();
}
std::unique_ptr<UrlCacheEnv> MakeUrlCacheEnv() {
  return std::make_unique<SimUrlCacheEnv>();
}

}  // namespace scourix::conformance
