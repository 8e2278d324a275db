#include "platform/win32/win32_item.h"

#include <string>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_late_calls.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/windows_api.h"

namespace scourix::win32 {
namespace {

using platform::ItemAccess;
using platform::Status;

constexpr int kFileBasicInformation = 4;
constexpr int kFileDispositionInformation = 13;

// ntdll's FILE_BASIC_INFORMATION: zero times are left as they are.
struct FileBasicInformation {
  LARGE_INTEGER creation_time;
  LARGE_INTEGER last_access_time;
  LARGE_INTEGER last_write_time;
  LARGE_INTEGER change_time;
  ULONG file_attributes;
};

constexpr int kFileStandardInformation = 5;
constexpr int kFileInternalInformation = 6;

// ntdll's FILE_STANDARD_INFORMATION.
struct FileStandardInformation {
  LARGE_INTEGER allocation_size;
  LARGE_INTEGER end_of_file;
  ULONG number_of_links;
  BOOLEAN delete_pending;
  BOOLEAN directory;
};

// NtSetInformationFile and NtQueryInformationFile exist on every NT system, where the
// handle-based calls of kernel32 came with Vista; a missing one is kNotSupported.
Status CallNt(NtFileInformationFn call,
              HANDLE handle,
              void* information,
              ULONG size,
              int information_class) {
  if (call == nullptr)
    return platform::kNotSupported;
  IoStatusBlock io{};
  return StatusOfNt(call(handle, &io, information, size, information_class));
}

Status SetInformation(HANDLE handle, void* information, ULONG size, int information_class) {
  return CallNt(Late().nt_set_information_file, handle, information, size, information_class);
}

// The narrow classes answer from the open file alone. GetFileInformationByHandle asks for the
// volume's serial number too, which under Wine costs more than deleting the file.
Status QueryInformation(HANDLE handle, void* information, ULONG size, int information_class) {
  return CallNt(Late().nt_query_information_file, handle, information, size, information_class);
}

// "\\?\C:\x" as "C:\x", "\\?\UNC\server\share" as "\\server\share".
std::wstring PlainForm(std::wstring path) {
  if (path.rfind(L"\\\\?\\UNC\\", 0) == 0)
    return L"\\\\" + path.substr(8);
  if (path.rfind(L"\\\\?\\", 0) == 0)
    return path.substr(4);
  return path;
}

class Win32Item : public platform::Item {
 public:
  Win32Item(UniqueFileHandle handle, ItemAccess access, bool may_delete)
      : handle_(std::move(handle)), access_(access), may_delete_(may_delete) {}

  Status Query(platform::ItemInfo* info) override { return QueryHandle(handle_.get(), info); }

  Status FinalPath(std::string* path) override { return FinalPathOf(handle_.get(), path); }

  Status WriteAtStart(std::string_view bytes) override {
    if (access_ != ItemAccess::kWipe)
      return platform::kAccessDenied;
    if (SetFilePointer(handle_.get(), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
      return GetLastError();
    DWORD written = 0;
    if (!WriteFile(handle_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                   nullptr)) {
      return GetLastError();
    }
    if (written != bytes.size())
      return platform::kDiskFull;
    return FlushFileBuffers(handle_.get()) ? platform::kSuccess : GetLastError();
  }

  Status SetReadOnly(bool read_only) override {
    FileBasicInformation basic{};
    if (Status status =
            QueryInformation(handle_.get(), &basic, sizeof basic, kFileBasicInformation);
        status != platform::kSuccess) {
      return status;
    }
    // Zero times leave the item's times as they are.
    const ULONG others = basic.file_attributes & ~FILE_ATTRIBUTE_READONLY;
    basic =
        FileBasicInformation{{}, {}, {}, {}, read_only ? others | FILE_ATTRIBUTE_READONLY : others};
    // Zero would mean "leave the attributes as they are".
    if (basic.file_attributes == 0)
      basic.file_attributes = FILE_ATTRIBUTE_NORMAL;
    return SetInformation(handle_.get(), &basic, sizeof basic, kFileBasicInformation);
  }

  Status Delete() override {
    if (!may_delete_)
      return platform::kAccessDenied;
    BOOLEAN delete_file = TRUE;
    return SetInformation(handle_.get(), &delete_file, sizeof delete_file,
                          kFileDispositionInformation);
  }

  Status FileIndex(std::uint64_t* index) override {
    LARGE_INTEGER internal{};
    if (Status status =
            QueryInformation(handle_.get(), &internal, sizeof internal, kFileInternalInformation);
        status != platform::kSuccess) {
      return status;
    }
    *index = static_cast<std::uint64_t>(internal.QuadPart);
    return platform::kSuccess;
  }

  Status VolumeSerial(std::uint32_t* serial) override {
    BY_HANDLE_FILE_INFORMATION data;
    if (!GetFileInformationByHandle(handle_.get(), &data))
      return GetLastError();
    *serial = data.dwVolumeSerialNumber;
    return platform::kSuccess;
  }

 private:
  UniqueFileHandle handle_;
  ItemAccess access_;
  bool may_delete_;
};

DWORD AccessFor(ItemAccess access) {
  switch (access) {
    case ItemAccess::kRead:
      // Reading data (listing, for a folder) is what makes the share mode bind: an open for
      // attributes alone does not keep others from moving the item.
      return FILE_READ_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE;
    case ItemAccess::kDelete:
      return DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE;
    case ItemAccess::kWipe:
      return GENERIC_READ | GENERIC_WRITE | DELETE;
  }
  return 0;
}

HANDLE Open(std::string_view path, const platform::ItemOpen& how, DWORD access, DWORD flags) {
  const DWORD share = how.exclusive ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE;
  if (how.narrow) {
    std::string ansi = Utf8ToAnsi(path);
    return CreateFileA(ansi.c_str(), access, share, nullptr, OPEN_EXISTING, flags, nullptr);
  }
  return CreateFileW(Utf8ToWide(path).c_str(), access, share, nullptr, OPEN_EXISTING, flags,
                     nullptr);
}

}  // namespace

platform::Status QueryHandle(HANDLE handle, platform::ItemInfo* info) {
  FileBasicInformation basic{};
  FileStandardInformation standard{};
  if (QueryInformation(handle, &basic, sizeof basic, kFileBasicInformation) == platform::kSuccess &&
      QueryInformation(handle, &standard, sizeof standard, kFileStandardInformation) ==
          platform::kSuccess) {
    info->attributes = basic.file_attributes;
    info->links = standard.number_of_links;
    info->size = standard.directory ? 0 : static_cast<std::uint64_t>(standard.end_of_file.QuadPart);
    return platform::kSuccess;
  }
  BY_HANDLE_FILE_INFORMATION data;
  if (!GetFileInformationByHandle(handle, &data))
    return GetLastError();
  info->attributes = data.dwFileAttributes;
  info->links = data.nNumberOfLinks;
  info->size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  return platform::kSuccess;
}

platform::Status FinalPathOf(HANDLE handle, std::string* path) {
  GetFinalPathNameByHandleWFn get_final = Late().get_final_path_name_by_handle;
  if (get_final == nullptr)
    return platform::kNotSupported;
  std::wstring buffer(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 3; ++attempt) {
    DWORD length = get_final(handle, buffer.data(), static_cast<DWORD>(buffer.size()),
                             FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0)
      return GetLastError();
    if (length < buffer.size()) {
      buffer.resize(length);
      *path = WideToUtf8(PlainForm(std::move(buffer)));
      return platform::kSuccess;
    }
    buffer.assign(length + 1, L'\0');
  }
  return platform::kMoreData;
}

platform::Status OpenWin32Item(std::string_view path,
                               const platform::ItemOpen& how,
                               std::unique_ptr<platform::Item>* item) {
  // Without backup semantics CreateFile opens no folder.
  DWORD flags = how.refuse_folder ? 0 : FILE_FLAG_BACKUP_SEMANTICS;
  if (!how.follow_link)
    flags |= FILE_FLAG_OPEN_REPARSE_POINT;
  DWORD access = AccessFor(how.access);
  UniqueFileHandle handle(Open(path, how, access, flags));
  bool may_delete = how.access != ItemAccess::kRead;
  if (!handle && how.access == ItemAccess::kWipe && GetLastError() == ERROR_ACCESS_DENIED) {
    // A file whose deletion is denied is still wiped, as the narrow deletion it stands for
    // would leave it.
    handle = UniqueFileHandle(Open(path, how, access & ~DELETE, flags));
    may_delete = false;
  }
  if (!handle)
    return GetLastError();
  *item = std::make_unique<Win32Item>(std::move(handle), how.access, may_delete);
  return platform::kSuccess;
}

}  // namespace scourix::win32
