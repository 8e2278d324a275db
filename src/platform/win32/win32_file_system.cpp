#include "platform/win32/win32_file_system.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <vector>

#include "platform/utf8.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_item.h"
#include "platform/win32/win32_late_calls.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/windows_api.h"

namespace scourix::win32 {
namespace {

platform::Status LastError() {
  return GetLastError();
}

class Win32DirectoryListing : public platform::DirectoryListing {
 public:
  Win32DirectoryListing(UniqueFindHandle find, const WIN32_FIND_DATAW& first)
      : find_(std::move(find)), data_(first) {}

  bool Next(platform::DirEntry* entry) override {
    for (;;) {
      if (!has_data_) {
        if (!FindNextFileW(find_.get(), &data_))
          return false;
      }
      has_data_ = false;
      std::wstring_view name(data_.cFileName);
      if (name == L"." || name == L"..")
        continue;
      entry->name = WideToUtf8(name);
      entry->attributes = data_.dwFileAttributes;
      return true;
    }
  }

 private:
  UniqueFindHandle find_;
  WIN32_FIND_DATAW data_;
  bool has_data_ = true;
};

class Win32File : public platform::File {
 public:
  Win32File(UniqueFileHandle handle, bool append) : handle_(std::move(handle)), append_(append) {}

  platform::Status Write(std::string_view bytes) override {
    if (!handle_)
      return platform::kInvalidHandle;
    if (!append_)
      return WriteHere(bytes);
    // Append access alone puts each write at the end on Windows, but Wine computes the end per
    // write, and two writers overwrite each other's lines. Every appender takes the same lock
    // (one byte far past any end) around the seek to the end and the write.
    OVERLAPPED lock_at{};
    lock_at.Offset = 0xFFFFFFF0;
    lock_at.OffsetHigh = 0x7FFFFFFF;
    if (!LockFileEx(handle_.get(), LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &lock_at))
      return LastError();
    LARGE_INTEGER zero{};
    platform::Status status =
        SetFilePointerEx(handle_.get(), zero, nullptr, FILE_END) ? WriteHere(bytes) : LastError();
    UnlockFileEx(handle_.get(), 0, 1, 0, &lock_at);
    return status;
  }

  platform::Status Close() override {
    if (!handle_)
      return platform::kInvalidHandle;
    return CloseHandle(handle_.release()) ? platform::kSuccess : LastError();
  }

 private:
  platform::Status WriteHere(std::string_view bytes) {
    DWORD written = 0;
    if (!WriteFile(handle_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                   nullptr)) {
      return LastError();
    }
    return written == bytes.size() ? platform::kSuccess : platform::kDiskFull;
  }

  UniqueFileHandle handle_;
  bool append_;
};

}  // namespace

platform::Status Win32FileSystem::GetAttributes(std::string_view path, std::uint32_t* attributes) {
  DWORD found = GetFileAttributesW(Utf8ToWide(path).c_str());
  if (found == INVALID_FILE_ATTRIBUTES)
    return LastError();
  *attributes = found;
  return platform::kSuccess;
}

platform::Status Win32FileSystem::SetAttributes(std::string_view path, std::uint32_t attributes) {
  return SetFileAttributesW(Utf8ToWide(path).c_str(), attributes) ? platform::kSuccess
                                                                  : LastError();
}

platform::Status Win32FileSystem::ListFolder(std::string_view folder,
                                             std::unique_ptr<platform::DirectoryListing>* listing) {
  // An empty folder would list the current drive's root.
  if (folder.empty())
    return platform::kPathNotFound;
  std::wstring pattern = Utf8ToWide(folder);
  if (pattern.back() != L'\\')
    pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW data;
  // The basic, large-fetch listing: no short names, fewer trips for a big folder. Windows
  // before 7 refuses both with ERROR_INVALID_PARAMETER; it gets the standard listing.
  UniqueFindHandle find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data,
                                         FindExSearchNameMatch, nullptr,
                                         FIND_FIRST_EX_LARGE_FETCH));
  if (!find && GetLastError() == ERROR_INVALID_PARAMETER) {
    find.reset(FindFirstFileExW(pattern.c_str(), FindExInfoStandard, &data, FindExSearchNameMatch,
                                nullptr, 0));
  }
  if (!find)
    return LastError();
  *listing = std::make_unique<Win32DirectoryListing>(std::move(find), data);
  return platform::kSuccess;
}

platform::Status Win32FileSystem::DeleteFileWide(std::string_view path, bool force) {
  std::wstring wide = Utf8ToWide(path);
  if (force) {
    DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
      SetFileAttributesW(wide.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
  }
  return DeleteFileW(wide.c_str()) ? platform::kSuccess : LastError();
}

bool Win32FileSystem::FileLinksAreMarked() {
  // Wine up to 8 reports the link attribute for folders alone (links to folders, mount
  // points); a later Wine may keep Windows links, and Windows marks every link. Without a
  // final path, the attributes are all there is to ask.
  static const bool marked = [] {
    WineGetVersionFn wine_version = Late().wine_get_version;
    if (wine_version == nullptr || Late().get_final_path_name_by_handle == nullptr)
      return true;
    const char* version = wine_version();
    int major = 0;
    if (version != nullptr)
      std::from_chars(version, version + std::strlen(version), major);
    return major == 0 || major > 8;
  }();
  return marked;
}

platform::Status Win32FileSystem::OpenItem(std::string_view path,
                                           const platform::ItemOpen& how,
                                           std::unique_ptr<platform::Item>* item) {
  return OpenWin32Item(path, how, item);
}

namespace {

// A path function that reports the size it needs when the buffer is short; the path may
// change between calls, so a few are allowed.
template <typename Call>
platform::Status GrowingPathCall(std::string_view path, std::string* result, Call call) {
  std::wstring wide = Utf8ToWide(path);
  std::wstring buffer(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 3; ++attempt) {
    DWORD length = call(wide.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0)
      return LastError();
    if (length < buffer.size()) {
      buffer.resize(length);
      *result = WideToUtf8(buffer);
      return platform::kSuccess;
    }
    buffer.assign(length, L'\0');
  }
  return platform::kMoreData;
}

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

// Whether an opened file is the one its path names, and no other file's too: not a link, one
// name only, and (where the system gives final paths) in its folder's final place, so that
// neither a link nor, under Wine, a Unix link that looks like a file leads elsewhere.
bool IsOwnFile(HANDLE handle, std::string_view path) {
  platform::ItemInfo info;
  if (QueryHandle(handle, &info) != platform::kSuccess ||
      (info.attributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) != 0 ||
      info.links != 1) {
    return false;
  }
  std::string file_final;
  if (FinalPathOf(handle, &file_final) == platform::kNotSupported)
    return true;
  const std::size_t slash = path.rfind('\\');
  if (slash == std::string_view::npos)
    return false;
  // The folder may itself be reached through links (under Wine, Desktop is one): only the
  // last step must be plain.
  UniqueFileHandle folder(CreateFileW(Utf8ToWide(path.substr(0, slash + 1)).c_str(),
                                      FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  std::string folder_final;
  if (!folder || FinalPathOf(folder.get(), &folder_final) != platform::kSuccess)
    return false;
  if (folder_final.empty() || folder_final.back() != '\\')
    folder_final += '\\';
  return SameIgnoringAsciiCase(file_final, folder_final + std::string(path.substr(slash + 1)));
}

// Opens a file to append to without ever writing through a link or a second name: an existing
// file only where it is its path's own, a missing one made new (never through a dangling link,
// which a plain create would follow and make the file it names).
platform::Status OpenOwnFileToAppend(std::string_view path,
                                     DWORD access,
                                     DWORD share,
                                     UniqueFileHandle* opened) {
  const std::wstring wide = Utf8ToWide(path);
  const DWORD flags = FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT;
  // Twice: another copy of the program may make the file between the two calls.
  for (int attempt = 0; attempt < 2; ++attempt) {
    UniqueFileHandle handle(
        CreateFileW(wide.c_str(), access, share, nullptr, OPEN_EXISTING, flags, nullptr));
    if (handle) {
      if (!IsOwnFile(handle.get(), path))
        return platform::kAccessDenied;
      *opened = std::move(handle);
      return platform::kSuccess;
    }
    if (GetLastError() != ERROR_FILE_NOT_FOUND)
      return LastError();
    handle.reset(CreateFileW(wide.c_str(), access, share, nullptr, CREATE_NEW, flags, nullptr));
    if (handle) {
      *opened = std::move(handle);
      return platform::kSuccess;
    }
    if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
      return LastError();
  }
  // A name that is there but never opens as itself: a dangling link.
  return platform::kAccessDenied;
}

}  // namespace

platform::Status Win32FileSystem::FullPath(std::string_view path, std::string* full) {
  return GrowingPathCall(path, full, [](const wchar_t* in, wchar_t* out, DWORD size) {
    return GetFullPathNameW(in, size, out, nullptr);
  });
}

platform::Status Win32FileSystem::LongPath(std::string_view path, std::string* long_path) {
  return GrowingPathCall(path, long_path, [](const wchar_t* in, wchar_t* out, DWORD size) {
    return GetLongPathNameW(in, out, size);
  });
}

platform::Status Win32FileSystem::MakeFolder(std::string_view path) {
  return CreateDirectoryW(Utf8ToWide(path).c_str(), nullptr) ? platform::kSuccess : LastError();
}

platform::Status Win32FileSystem::OpenFile(std::string_view path,
                                           platform::OpenMode mode,
                                           std::unique_ptr<platform::File>* file) {
  DWORD access = GENERIC_WRITE;
  DWORD disposition = OPEN_ALWAYS;
  DWORD share = FILE_SHARE_READ;
  switch (mode) {
    case platform::OpenMode::kReadWriteOpenAlways:
      access = GENERIC_READ | GENERIC_WRITE;
      break;
    case platform::OpenMode::kCreateAlways:
      disposition = CREATE_ALWAYS;
      break;
    case platform::OpenMode::kAppend:
      // Shared for writing: two copies started in one minute add to the same log, each line
      // whole at the end (see Win32File::Write); the file lock needs write-data access.
      // Reading attributes lets the open be checked as the file's own.
      access = FILE_APPEND_DATA | FILE_WRITE_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE;
      share = FILE_SHARE_READ | FILE_SHARE_WRITE;
      break;
  }
  UniqueFileHandle handle;
  if (mode == platform::OpenMode::kAppend) {
    if (platform::Status status = OpenOwnFileToAppend(path, access, share, &handle);
        status != platform::kSuccess) {
      return status;
    }
  } else {
    handle.reset(CreateFileW(Utf8ToWide(path).c_str(), access, share, nullptr, disposition,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle)
      return LastError();
  }
  *file = std::make_unique<Win32File>(std::move(handle), mode == platform::OpenMode::kAppend);
  return platform::kSuccess;
}

namespace {

// A value as its file holds it. Windows reads a file without a byte-order mark through the
// ANSI code page, and Firefox writes its list in UTF-8: bytes that form UTF-8 are read so (an
// ASCII value reads the same either way), the rest through the ANSI code page.
std::string ValueText(const std::string& bytes) {
  return platform::IsWellFormedUtf8(bytes) ? bytes : AnsiToUtf8(bytes);
}

}  // namespace

std::uint32_t Win32FileSystem::GetProfileString(std::string_view section,
                                                std::string_view key,
                                                std::string_view default_value,
                                                char* buffer,
                                                std::uint32_t size,
                                                std::string_view file) {
  if (size == 0)
    return 0;
  std::string utf8;
  std::string ansi_file = Utf8ToAnsi(file);
  if (AnsiToUtf8(ansi_file) == file) {
    std::string ansi(size, '\0');
    DWORD copied = GetPrivateProfileStringA(Utf8ToAnsi(section).c_str(), Utf8ToAnsi(key).c_str(),
                                            Utf8ToAnsi(default_value).c_str(), ansi.data(), size,
                                            ansi_file.c_str());
    ansi.resize(std::min<DWORD>(copied, size - 1));
    utf8 = ValueText(ansi);
  } else {
    // A path the ANSI code page cannot hold (a user name in another script) is read wide.
    std::wstring wide(size, L'\0');
    DWORD copied = GetPrivateProfileStringW(Utf8ToWide(section).c_str(), Utf8ToWide(key).c_str(),
                                            Utf8ToWide(default_value).c_str(), wide.data(), size,
                                            Utf8ToWide(file).c_str());
    wide.resize(std::min<DWORD>(copied, size - 1));
    utf8 = WideToUtf8(wide);
    // Read through the ANSI code page unless the file said otherwise: its bytes again.
    std::string bytes = Utf8ToAnsi(utf8);
    if (AnsiToUtf8(bytes) == utf8)
      utf8 = ValueText(bytes);
  }
  // Cut at a character boundary when the longer form no longer fits.
  std::size_t length = std::min<std::size_t>(utf8.size(), size - 1);
  while (length > 0 && length < utf8.size() && (utf8[length] & 0xC0) == 0x80)
    --length;
  std::copy_n(utf8.data(), length, buffer);
  buffer[length] = '\0';
  return static_cast<std::uint32_t>(length);
}

}  // namespace scourix::win32
