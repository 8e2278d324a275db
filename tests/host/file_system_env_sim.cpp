#include "conformance/file_system_env.h"
#include "platform/sim/sim_machine.h"

namespace scourix::conformance {
namespace {

class SimEnv : public FileSystemEnv {
 public:
  SimEnv() { machine_.files.AddFolder(root_); }
  platform::Platform& platform() override { return machine_.platform; }
  const std::string& root() const override { return root_; }
  bool MakeFolderLink(const std::string& link, const std::string& target) override {
    machine_.files.AddLink(link, target, true);
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

}  // namespace

std::unique_ptr<FileSystemEnv> MakeFileSystemEnv() {
  return std::make_unique<SimEnv>();
}

}  // namespace scourix::conformance
