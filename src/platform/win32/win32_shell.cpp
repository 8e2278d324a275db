#include "platform/win32/win32_shell.h"

#include <memory>
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

struct CoTaskMemDeleter {
  void operator()(wchar_t* text) const { CoTaskMemFree(text); }
};

// The folders that came with Vista have no CSIDL; before Vista there is no such folder.
platform::Status NewShellFolder(const GUID& id, std::string* path) {
  SHGetKnownFolderPathFn get_known = Late().sh_get_known_folder_path;
  if (get_known == nullptr)
    return platform::kFileNotFound;
  wchar_t* raw = nullptr;
  const HRESULT result = get_known(id, 0, nullptr, &raw);
  const std::unique_ptr<wchar_t, CoTaskMemDeleter> text(raw);
  if (FAILED(result) || !text)
    return platform::kFileNotFound;
  *path = WideToUtf8(text.get());
  return platform::kSuccess;
}

// FOLDERID_Downloads, {374DE290-123F-4565-9164-39C4925E467B}.
constexpr GUID kDownloadsId = {0x374de290,
                               0x123f,
                               0x4565,
                               {0x91, 0x64, 0x39, 0xc4, 0x92, 0x5e, 0x46, 0x7b}};

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
    case KnownFolder::kDownloads:
      return NewShellFolder(kDownloadsId, path);
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
