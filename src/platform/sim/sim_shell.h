#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace scourix::sim {

class SimShell : public platform::Shell {
 public:
  void AddToRecentDocsNull(std::uint32_t flags) override { recent_docs_cleared.push_back(flags); }
  platform::Status GetKnownFolder(platform::KnownFolder folder, std::string* path) override {
    auto it = known_folders.find(folder);
    if (it == known_folders.end())
      return platform::kFileNotFound;
    *path = it->second;
    return platform::kSuccess;
  }

  std::vector<std::uint32_t> recent_docs_cleared;  // the flags of every call
  // A 64-bit Windows 7 as a user named "me" has it.
  std::map<platform::KnownFolder, std::string> known_folders = {
      {platform::KnownFolder::kWindows, "C:\\WINDOWS"},
      {platform::KnownFolder::kSystem, "C:\\WINDOWS\\system32"},
      {platform::KnownFolder::kSystemWow64, "C:\\WINDOWS\\SysWOW64"},
      {platform::KnownFolder::kProgramFiles, "C:\\Program Files"},
      {platform::KnownFolder::kProgramFilesX86, "C:\\Program Files (x86)"},
      {platform::KnownFolder::kProfile, "C:\\Users\\me"},
      {platform::KnownFolder::kDesktop, "C:\\Users\\me\\Desktop"},
      {platform::KnownFolder::kDocuments, "C:\\Users\\me\\Documents"},
      {platform::KnownFolder::kPictures, "C:\\Users\\me\\Pictures"},
      {platform::KnownFolder::kMusic, "C:\\Users\\me\\Music"},
      {platform::KnownFolder::kVideos, "C:\\Users\\me\\Videos"},
      {platform::KnownFolder::kDownloads, "C:\\Users\\me\\Downloads"},
      {platform::KnownFolder::kAppData, "C:\\Users\\me\\AppData\\Roaming"},
      {platform::KnownFolder::kCommonAppData, "C:\\ProgramData"},
      {platform::KnownFolder::kCommonDocuments, "C:\\Users\\Public\\Documents"},
      {platform::KnownFolder::kLocalAppData, "C:\\Users\\me\\AppData\\Local"},
      {platform::KnownFolder::kRecent,
       "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Recent"},
      {platform::KnownFolder::kCookies,
       "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Cookies"},
      {platform::KnownFolder::kTemp, "C:\\Users\\me\\AppData\\Local\\Temp"},
  };
};

}  // namespace scourix::sim
