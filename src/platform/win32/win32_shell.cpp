#include "platform/win32/win32_shell.h"

#include <string>

#include "platform/win32/win32_late_calls.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/windows_api.h"

namespace scourix::win32 {
namespace {

using platform::KnownFolder;

// The buffer is MAX_PATH long, as the shell and the directory calls expect.
platform::Status Answer(std::wstring buffer, UINT length, std::string* path) {
  if (length == 0 || length >= buffer.size())
    return platform::kFileNotFound;
  buffer.resize(length);
  *path = WideToUtf8(buffer);
  return platform::kSuccess;
}

platform::Status ShellFolder(int csidl, std::string* path) {
  std::wstring buffer(MAX_PATH, L'\0');
  if (SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer.data()) != S_OK)
    return platform::kFileNotFound;
  return Answer(buffer, static_cast<UINT>(wcslen(buffer.c_str())), path);
}

}  // namespace

void Win32Shell::AddToRecentDocsNull(std::uint32_t flags) {
  SHAddToRecentDocs(flags, nullptr);
}

platform::Status Win32Shell::GetKnownFolder(KnownFolder folder, std::string* path) {
  std::wstring buffer(MAX_PATH, L'\0');
  auto size = static_cast<UINT>(buffer.size());
  switch (folder) {
    case KnownFolder::kWindows:
      return Answer(buffer, GetWindowsDirectoryW(buffer.data(), size), path);
    case KnownFolder::kSystem:
      return Answer(buffer, GetSystemDirectoryW(buffer.data(), size), path);
    case KnownFolder::kSystemWow64: {
      GetSystemWow64DirectoryWFn get_wow64 = Late().get_system_wow64_directory;
      if (get_wow64 == nullptr)
        return platform::kFileNotFound;
      return Answer(buffer, get_wow64(buffer.data(), size), path);
    }
    case KnownFolder::kProgramFiles:
      return ShellFolder(CSIDL_PROGRAM_FILES, path);
    case KnownFolder::kProgramFilesX86:
      return ShellFolder(CSIDL_PROGRAM_FILESX86, path);
    case KnownFolder::kProgramFilesNative:
      return Answer(buffer, GetEnvironmentVariableW(L"ProgramW6432", buffer.data(), size), path);
    case KnownFolder::kProfile:
      return ShellFolder(CSIDL_PROFILE, path);
    case KnownFolder::kDesktop:
      return ShellFolder(CSIDL_DESKTOPDIRECTORY, path);
    case KnownFolder::kDocuments:
      return ShellFolder(CSIDL_PERSONAL, path);
    case KnownFolder::kPictures:
      return ShellFolder(CSIDL_MYPICTURES, path);
    case KnownFolder::kMusic:
      return ShellFolder(CSIDL_MYMUSIC, path);
    case KnownFolder::kVideos:
      return ShellFolder(CSIDL_MYVIDEO, path);
    case KnownFolder::kAppData:
      return ShellFolder(CSIDL_APPDATA, path);
    case KnownFolder::kCommonAppData:
      return ShellFolder(CSIDL_COMMON_APPDATA, path);
    case KnownFolder::kCommonDocuments:
      return ShellFolder(CSIDL_COMMON_DOCUMENTS, path);
    case KnownFolder::kLocalAppData:
      return ShellFolder(CSIDL_LOCAL_APPDATA, path);
    case KnownFolder::kRecent:
      return ShellFolder(CSIDL_RECENT, path);
    case KnownFolder::kCookies:
      return ShellFolder(CSIDL_COOKIES, path);
    case KnownFolder::kTemp: {
      UINT length = GetTempPathW(size, buffer.data());
      // "C:" keeps its backslash so that a root still reads as a root.
      if (length > 3 && length < size && buffer[length - 1] == L'\\')
        --length;
      return Answer(buffer, length, path);
    }
  }
  return platform::kFileNotFound;
}

}  // namespace scourix::win32
