#include <algorithm>
#include <gtest/gtest.h>

#include "app/manifest.h"
#include "platform/sim/sim_system.h"

namespace scourix {
namespace {

TEST(ManifestText, ArchitectureIsTheProgramsInBothIdentities) {
  // A 64-bit program beside an x86 manifest does not start at all.
  std::string text = GetManifestText();
  std::string arch = "processorArchitecture=\"" + std::string(ProgramArchitecture()) + "\"\r\n";
  std::size_t first = text.find(arch);
  ASSERT_NE(first, std::string::npos);
  EXPECT_NE(text.find(arch, first + 1), std::string::npos);
  EXPECT_EQ(text.find("X86"), sizeof(void*) == 8 ? std::string::npos : first + 23);
  std::string amd64 = ManifestTextFor("amd64");
  EXPECT_EQ(amd64.size(), ManifestTextFor("X86").size() + 4);
  EXPECT_EQ(amd64.find("X86"), std::string::npos);
  // Twenty-two lines, each but the last ending in CRLF.
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 21);
}

TEST(ManifestPath, BesideTheProgram) {
  EXPECT_EQ(ManifestPath("C:\\Cleaner.exe"), "C:\\Cleaner.exe.manifest");
  EXPECT_EQ(ManifestPath("D:\\Cleaner.exe.exe"), "D:\\Cleaner.exe.manifest");
  EXPECT_EQ(ManifestPath("C:\\Tools\\Cleaner.EXE.exe"), "C:\\Tools\\Cleaner.EXE.manifest");
  EXPECT_EQ(ManifestPath("C:\\My.Tools\\Clean.er.exe"), "C:\\My.Tools\\Clean.er.exe.manifest");
  EXPECT_EQ(ManifestPath("\\\\server\\share\\scourix.exe"),
            "\\\\server\\share\\scourix.exe.manifest");
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
  system.version = {5, 1, 2600, 2, ""};
  system.version_status = platform::kInvalidParameter;
  EXPECT_EQ(GetOSName(system), "Failed");
}

}  // namespace
}  // namespace scourix
