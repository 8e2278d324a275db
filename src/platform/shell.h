#pragma once

#include <cstdint>
#include <string>

#include "platform/status.h"

namespace scourix::platform {

inline constexpr std::uint32_t kShardPathA = 2;

// Folders of the system and of the user that the system itself names.
enum class KnownFolder {
  kWindows,             // GetWindowsDirectoryW
  kSystem,              // GetSystemDirectoryW
  kSystemWow64,         // GetSystemWow64DirectoryW, where there is one
  kProgramFiles,        // CSIDL_PROGRAM_FILES
  kProgramFilesX86,     // CSIDL_PROGRAM_FILESX86
  kProgramFilesNative,  // %ProgramW6432%: the 64-bit one, seen from a 32-bit program
  kProfile,             // CSIDL_PROFILE
  kDesktop,             // CSIDL_DESKTOPDIRECTORY
  kDocuments,           // CSIDL_PERSONAL
  kPictures,            // CSIDL_MYPICTURES
  kMusic,               // CSIDL_MYMUSIC
  kVideos,              // CSIDL_MYVIDEO
  kDownloads,           // FOLDERID_Downloads, from Vista on
  kAppData,             // CSIDL_APPDATA
  kCommonAppData,       // CSIDL_COMMON_APPDATA: every user's (ProgramData)
  kCommonDocuments,     // CSIDL_COMMON_DOCUMENTS: every user's (Public\Documents)
  kLocalAppData,        // CSIDL_LOCAL_APPDATA
  kRecent,              // CSIDL_RECENT
  kCookies,             // CSIDL_COOKIES
  kTemp,                // GetTempPathW, without its trailing backslash
};

// The Windows shell.
class Shell {
 public:
  virtual ~Shell() = default;
  // SHAddToRecentDocs(flags, nullptr): with a null item the shell empties its recent-documents
  // list.
  virtual void AddToRecentDocsNull(std::uint32_t flags) = 0;
  // The folder's full path, UTF-8; kFileNotFound where this system has none.
  [[nodiscard]] virtual Status GetKnownFolder(KnownFolder folder, std::string* path) = 0;
};

}  // namespace scourix::platform
