#include <gtest/gtest.h>

#include "app/manifest.h"
#include "app_harness.h"
#include "platform/sim/sim_machine.h"

namespace scourix {
namespace {

using testing::AppHarness;

constexpr const char* kManifest = "C:\\Program Files\\Scourix\\scourix.exe.manifest";

void UseXp(sim::SimMachine& machine) {
  machine.system.version = {5, 1, 2600, 2, "Service Pack 3"};
}

TEST(CreateManifest, FirstStartOnXpWritesItHiddenAndTheSecondLeavesIt) {
  AppHarness app;
  UseXp(app.machine);
  app.Start();
  EXPECT_EQ(app.machine.files.Content(kManifest), GetManifestText() + "\r\n");
  EXPECT_EQ(app.machine.files.Attributes(kManifest), 39u);
  EXPECT_EQ(app.machine.system.common_controls_initialised, 1);

  (void)app.machine.files.SetAttributes(kManifest, 39 & ~platform::kAttrArchive);
  CreateManifest(app.machine.platform);
  EXPECT_EQ(app.machine.files.Attributes(kManifest), 7u) << "rewritten";
  EXPECT_EQ(app.machine.system.common_controls_initialised, 2);
}

TEST(CreateManifest, OtherSystemsWriteNothingAndLeaveAnExistingOne) {
  for (platform::OsVersion version :
       {platform::OsVersion{6, 1, 7601, 2, ""}, platform::OsVersion{10, 0, 19045, 2, ""},
        platform::OsVersion{4, 10, 2222, 1, "A"}}) {
    sim::SimMachine machine;
    machine.system.version = version;
    CreateManifest(machine.platform);
    EXPECT_FALSE(machine.files.Exists(kManifest));
    machine.files.AddFile(kManifest, "mine", platform::kAttrHidden);
    CreateManifest(machine.platform);
    EXPECT_EQ(machine.files.Content(kManifest), "mine");
    EXPECT_EQ(machine.system.common_controls_initialised, 2);
  }
}

TEST(CreateManifest, UnwritableFolderIsSkippedAndControlsStillInitialised) {
  sim::SimMachine machine;
  UseXp(machine);
  machine.files.DenyCreate("C:\\Program Files\\Scourix");
  CreateManifest(machine.platform);
  EXPECT_FALSE(machine.files.Exists(kManifest));
  EXPECT_EQ(machine.system.common_controls_initialised, 1);
}

// A disk that fills up as soon as a file is created.
class FullDisk : public sim::SimFileSystem {
 public:
  platform::Status OpenFile(std::string_view path,
                            platform::OpenMode mode,
                            std::unique_ptr<platform::File>* file) override {
    platform::Status status = SimFileSystem::OpenFile(path, mode, file);
    FailWrites(path);
    return status;
  }
};

TEST(CreateManifest, CutOffWriteLeavesNoManifestBehind) {
  sim::SimMachine machine;
  UseXp(machine);
  FullDisk disk;
  disk.AddFile(machine.system.program_path, "MZ");
  platform::Platform& p = machine.platform;
  platform::Platform full{p.registry, disk,    p.url_cache, p.url_history,
                          p.shell,    p.clock, p.system,    p.places};
  CreateManifest(full);
  EXPECT_FALSE(disk.Exists(kManifest));
  EXPECT_EQ(machine.system.common_controls_initialised, 1);
}

}  // namespace
}  // namespace scourix
