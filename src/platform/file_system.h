#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace scourix::platform {

// File attribute bits, as Windows numbers them.
inline constexpr std::uint32_t kAttrReadOnly = 0x1;
inline constexpr std::uint32_t kAttrHidden = 0x2;
inline constexpr std::uint32_t kAttrSystem = 0x4;
inline constexpr std::uint32_t kAttrVolumeLabel = 0x8;
inline constexpr std::uint32_t kAttrDirectory = 0x10;
inline constexpr std::uint32_t kAttrArchive = 0x20;
inline constexpr std::uint32_t kAttrNormal = 0x80;
inline constexpr std::uint32_t kAttrReparsePoint = 0x400;

struct DirEntry {
  std::string name;  // the entry's name alone, UTF-8
  std::uint32_t attributes = 0;
};

// One open directory enumeration (FindFirstFileW/FindNextFileW); closed on destruction.
class DirectoryListing {
 public:
  virtual ~DirectoryListing() = default;
  // The next entry, "." and ".." left out. False at the end.
  [[nodiscard]] virtual bool Next(DirEntry* entry) = 0;
};

// One open file; closed on destruction.
class File {
 public:
  virtual ~File() = default;
  // Writes at the current position and advances it.
  [[nodiscard]] virtual Status Write(std::string_view bytes) = 0;
  // Closes now and reports whether the close (and any buffered write) succeeded.
  virtual Status Close() = 0;
};

// What an opened item is for. Every kind may read the item's information.
enum class ItemAccess {
  kRead,    // inspect, and hold a folder while it is listed
  kDelete,  // also delete it, and clear its read-only attribute
  kWipe,    // also overwrite its first bytes; deletion asked for but dropped where refused
};

struct ItemOpen {
  ItemAccess access = ItemAccess::kRead;
  // Through the ANSI code page (CreateFileA); only for paths it can address exactly.
  bool narrow = false;
  // Open what a link at the end of the path points to, instead of the link itself.
  bool follow_link = false;
  // Share nothing: fails with kSharingViolation while any other program has the item open
  // for its content.
  bool exclusive = false;
  // A file only: the open itself fails on a folder (no backup semantics).
  bool refuse_folder = false;
};

// What a handle says about the item it holds (GetFileInformationByHandle).
struct ItemInfo {
  std::uint32_t attributes = 0;
  std::uint32_t links = 0;  // names of the same file (hard links)
  std::uint64_t size = 0;   // bytes; 0 for a folder
};

// One file or folder opened without delete sharing, so that it cannot be renamed, replaced or
// removed by anyone else while it is held; closed on destruction.
class Item {
 public:
  virtual ~Item() = default;
  [[nodiscard]] virtual Status Query(ItemInfo* info) = 0;
  // GetFinalPathNameByHandleW in plain form ("C:\dir" or "\\server\share\dir"); kNotSupported
  // where the system has no such call (before Vista).
  [[nodiscard]] virtual Status FinalPath(std::string* path) = 0;
  // Overwrites the first bytes of a file opened for kWipe.
  [[nodiscard]] virtual Status WriteAtStart(std::string_view bytes) = 0;
  // Sets or clears the read-only attribute, leaving the others and the times as they are.
  [[nodiscard]] virtual Status SetReadOnly(bool read_only) = 0;
  // Marks the item for deletion when the handle closes. A read-only file and a folder that
  // still has entries are refused.
  [[nodiscard]] virtual Status Delete() = 0;
  // The item's number on its volume (FileInternalInformation). With the volume's serial number
  // it names the item whatever path reached it: a share of this machine's folders, or a drive
  // mapped to one, whose final path is not the folder's own.
  [[nodiscard]] virtual Status FileIndex(std::uint64_t* index) = 0;
  // Asked apart from the index: under Wine it takes milliseconds where the index takes
  // microseconds.
  [[nodiscard]] virtual Status VolumeSerial(std::uint32_t* serial) = 0;
};

// Every mode shares reading with other opens. Only kAppend shares writing: it is for files that
// several processes add to, each write landing whole at the end.
enum class OpenMode {
  kReadWriteOpenAlways,  // read and write, positioned at 0, created when missing, never shortened
  kCreateAlways,         // write, created or truncated
  kAppend,               // append, created when missing; each write goes to the end of the file;
                         // refused (kAccessDenied) for a link or a file with another name
};

// The file system, paths as full Windows paths ("C:\dir\file") in UTF-8.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // GetFileAttributesW: sees hidden, system and read-only entries alike.
  [[nodiscard]] virtual Status GetAttributes(std::string_view path, std::uint32_t* attributes) = 0;
  // SetFileAttributesW.
  [[nodiscard]] virtual Status SetAttributes(std::string_view path, std::uint32_t attributes) = 0;
  // Enumerates every entry of a folder (files and folders of every attribute), wide-character.
  // Does not follow: a link is reported as itself, with kAttrReparsePoint.
  [[nodiscard]] virtual Status ListFolder(std::string_view folder,
                                          std::unique_ptr<DirectoryListing>* listing) = 0;
  // DeleteFileW; with force, a read-only attribute is cleared first.
  [[nodiscard]] virtual Status DeleteFileWide(std::string_view path, bool force) = 0;
  // CreateDirectoryW.
  [[nodiscard]] virtual Status MakeFolder(std::string_view path) = 0;
  // Opens an item without following a link at its end (FILE_FLAG_OPEN_REPARSE_POINT, backup
  // semantics for folders) unless told to. A "\\?\" path names exactly the entry given.
  [[nodiscard]] virtual Status OpenItem(std::string_view path,
                                        const ItemOpen& how,
                                        std::unique_ptr<Item>* item) = 0;
  // Whether a link to a file can carry kAttrReparsePoint here. Where none can (Wine 8 shows a
  // Unix link as the file it leads to, and marks only folders), a file's attributes never tell
  // a link, and its final path is the only sign of one.
  [[nodiscard]] virtual bool FileLinksAreMarked() = 0;
  // GetFullPathNameW: the path as Windows will act on it.
  [[nodiscard]] virtual Status FullPath(std::string_view path, std::string* full) = 0;
  // GetLongPathNameW: an existing path with each short part by its long name (a short
  // "DOCUME~1" as "Documents and Settings"); a long part stays as it was given.
  [[nodiscard]] virtual Status LongPath(std::string_view path, std::string* long_path) = 0;
  [[nodiscard]] virtual Status OpenFile(std::string_view path,
                                        OpenMode mode,
                                        std::unique_ptr<File>* file) = 0;
  // GetPrivateProfileStringA: copies at most size - 1 characters and a null into buffer; returns
  // the count copied. Missing file, section or key gives default_value.
  virtual std::uint32_t GetProfileString(std::string_view section,
                                         std::string_view key,
                                         std::string_view default_value,
                                         char* buffer,
                                         std::uint32_t size,
                                         std::string_view file) = 0;
};

// A name that Windows reads, at the end of a path that is not literal, as a device (CON, NUL,
// COM1, LPT1, CONIN$...), with any extension, colon or trailing spaces: "aux.txt" and "aux:"
// open the AUX device.
[[nodiscard]] bool IsDeviceName(std::string_view name);
// The device such a name opens, as written in it ("aux" of "aux .txt"); empty for any other.
[[nodiscard]] std::string_view DeviceIn(std::string_view name);

}  // namespace scourix::platform
