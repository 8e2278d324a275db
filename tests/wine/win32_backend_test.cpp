#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>

#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/windows_api.h"

namespace scourix::win32 {
namespace {

// A fresh folder in the prefix's temp folder, removed with everything in it afterwards.
class ScratchFolder {
 public:
  ScratchFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path_ = WideToUtf8(temp) + "scourix-backend-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryW(Utf8ToWide(path_).c_str(), nullptr);
  }
  ~ScratchFolder() {
    std::wstring command = L"cmd /c rd /s /q \"" + Utf8ToWide(path_) + L"\"";
    _wsystem(command.c_str());
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

std::string ReadAll(const std::string& path) {
  HANDLE file = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return "<missing>";
  char buffer[4096];
  DWORD read = 0;
  ReadFile(file, buffer, sizeof(buffer), &read, nullptr);
  CloseHandle(file);
  return std::string(buffer, read);
}

TEST(Win32Text, NonAsciiSurvivesTheWideRoundTripButNotTheAnsiCodePage) {
  std::string text = "Caf\xC3\xA9 \xE2\x82\xAC \xC5\x82";  // "Café € ł"
  EXPECT_EQ(WideToUtf8(Utf8ToWide(text)), text);
  std::string ansi = Utf8ToAnsi(text);
  EXPECT_EQ(ansi.substr(0, 4), "Caf\xE9");
  EXPECT_EQ(ansi.back(), '?');  // no "ł" in the Western code page
}

TEST(Win32FileSystemTest, AppendKeepsEarlierLinesAndCreateAlwaysStartsOver) {
  ScratchFolder folder;
  Win32FileSystem files;
  std::string path = folder.path() + "\\log.txt";
  for (const char* line : {"one\r\n", "two\r\n"}) {
    std::unique_ptr<platform::File> file;
    ASSERT_EQ(files.OpenFile(path, platform::OpenMode::kAppend, &file), platform::kSuccess);
    EXPECT_EQ(file->Write(line), platform::kSuccess);
    EXPECT_EQ(file->Close(), platform::kSuccess);
  }
  EXPECT_EQ(ReadAll(path), "one\r\ntwo\r\n");

  std::unique_ptr<platform::File> file;
  ASSERT_EQ(files.OpenFile(path, platform::OpenMode::kCreateAlways, &file), platform::kSuccess);
  EXPECT_EQ(file->Write("x"), platform::kSuccess);
  file.reset();  // closed by its owner
  EXPECT_EQ(ReadAll(path), "x");
}

TEST(Win32FileSystemTest, OpenInAMissingFolderReportsPathNotFound) {
  ScratchFolder folder;
  Win32FileSystem files;
  std::unique_ptr<platform::File> file;
  EXPECT_EQ(
      files.OpenFile(folder.path() + "\\missing\\log.txt", platform::OpenMode::kAppend, &file),
      platform::kPathNotFound);
}

TEST(Win32FileSystemTest, ListingLeavesOutDotEntriesAndReportsFoldersAsFolders) {
  ScratchFolder folder;
  Win32FileSystem files;
  ASSERT_EQ(files.MakeFolder(folder.path() + "\\sub"), platform::kSuccess);
  std::unique_ptr<platform::File> file;
  ASSERT_EQ(files.OpenFile(folder.path() + "\\a.tmp", platform::OpenMode::kCreateAlways, &file),
            platform::kSuccess);
  file.reset();
  std::unique_ptr<platform::DirectoryListing> listing;
  ASSERT_EQ(files.ListFolder(folder.path(), &listing), platform::kSuccess);
  std::map<std::string, bool> seen;
  platform::DirEntry entry;
  while (listing->Next(&entry)) {
    seen[entry.name] = (entry.attributes & platform::kAttrDirectory) != 0;
  }
  EXPECT_EQ(seen, (std::map<std::string, bool>{{"a.tmp", false}, {"sub", true}}));
  EXPECT_EQ(files.ListFolder(folder.path() + "\\none", &listing), platform::kPathNotFound);
}

TEST(Win32ClockTest, ShortDateIsTheUsersFormatWithoutTheTerminator) {
  Win32Clock clock;
  std::string date = clock.ShortDate({2026, 12, 4, 9, 5, 0});
  ASSERT_FALSE(date.empty());
  EXPECT_NE(date.find("2026"), std::string::npos);
  EXPECT_EQ(date.find('\0'), std::string::npos);
}

TEST(Win32SystemTest, ProgramPathIsThisProgramsFullPath) {
  Win32System system;
  std::string path = system.ProgramPath();
  ASSERT_GT(path.size(), 3u);
  EXPECT_EQ(path.substr(1, 2), ":\\");
  EXPECT_EQ(path.substr(path.size() - 4), ".exe");
  platform::OsVersion version;
  EXPECT_EQ(system.GetVersion(&version), platform::kSuccess);
  EXPECT_EQ(version.platform_id, 2u);
}

}  // namespace
}  // namespace scourix::win32
