#include "app/manifest.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_machine.h"

namespace scourix {
namespace {

constexpr const char* kManifest = "C:\\Program Files\\Scourix\\scourix.exe.manifest";
const platform::OsVersion kXp{5, 1, 2600, 2, "Service Pack 3"};

// The text, and the starts on XP and on later systems, the manifest scenarios check on the real
// program; here the corners they do not reach.
TEST(ManifestText, PathIsBesideTheProgram) {
  for (auto [program, manifest] : std::vector<std::pair<const char*, const char*>>{
           {"C:\\Cleaner.exe", "C:\\Cleaner.exe.manifest"},
           {"D:\\Cleaner.exe.exe", "D:\\Cleaner.exe.manifest"},
           {"C:\\Tools\\Cleaner.EXE.exe", "C:\\Tools\\Cleaner.EXE.manifest"},
           {"C:\\My.Tools\\Clean.er.exe", "C:\\My.Tools\\Clean.er.exe.manifest"},
           {"\\\\server\\share\\scourix.exe", "\\\\server\\share\\scourix.exe.manifest"}})
    EXPECT_EQ(ManifestPath(program), manifest);
}

TEST(OSName, TableOfFamiliesAndVersions) {
  struct Row {
    std::uint32_t platform_id, major, minor;
    const char* name;
  };
  // clang-format off
  const Row rows[] = {
      {1, 4, 0, "Windows 95"}, {1, 4, 10, "Windows 98"}, {1, 4, 90, ""},
      {2, 3, 51, "Windows NT 3.51"}, {2, 4, 0, "Windows NT 4.0"}, {2, 5, 0, "Windows XP"},
      {2, 5, 2, "Windows XP"}, {2, 6, 3, "Windows Vista"}, {2, 10, 0, ""}, {2, 2, 0, ""},
      {0, 5, 1, "Failed"}, {3, 5, 1, "Failed"}};
  // clang-format on
  sim::SimSystem system;
  for (const Row& row : rows) {
    system.version = {row.major, row.minor, 0, row.platform_id, ""};
    EXPECT_EQ(GetOSName(system), row.name)
        << row.platform_id << " " << row.major << "." << row.minor;
  }
  system.version = kXp;
  system.version_status = platform::kInvalidParameter;
  EXPECT_EQ(GetOSName(system), "Failed");
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

// An unwritable folder, or a write cut off, leaves no manifest; the controls start anyway.
TEST(CreateManifest, NoManifestIsLeftWhereItCannotBeWrittenWhole) {
  sim::SimMachine machine;
  machine.system.version = kXp;
  machine.files.DenyCreate("C:\\Program Files\\Scourix");
  CreateManifest(machine.platform);
  EXPECT_FALSE(machine.files.Exists(kManifest));
  FullDisk disk;
  disk.AddFile(machine.system.program_path, "MZ");
  platform::Platform& p = machine.platform;
  platform::Platform full{p.registry, disk,    p.url_cache, p.url_history,
                          p.shell,    p.clock, p.system,    p.places};
  CreateManifest(full);
  EXPECT_FALSE(disk.Exists(kManifest));
  EXPECT_EQ(machine.system.common_controls_initialised, 2);
}

}  // namespace
}  // namespace scourix
