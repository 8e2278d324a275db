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

// Every mode shares reading with other opens. Only kAppend shares writing: it is for files that
// several processes add to, each write landing whole at the end.
enum class OpenMode {
  kReadWriteOpenAlways,  // read and write, positioned at 0, created when missing, never shortened
  kCreateAlways,         // write, created or truncated
  kAppend,               // append, created when missing; each write goes to the end of the file
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
  // DeleteFileA: the path goes through the ANSI code page, so a name that it cannot hold fails.
  [[nodiscard]] virtual Status DeleteFileNarrow(std::string_view path) = 0;
  // DeleteFileW; with force, a read-only attribute is cleared first.
  [[nodiscard]] virtual Status DeleteFileWide(std::string_view path, bool force) = 0;
  // RemoveDirectoryW of an empty folder.
  [[nodiscard]] virtual Status RemoveFolder(std::string_view path) = 0;
  // CreateDirectoryW.
  [[nodiscard]] virtual Status MakeFolder(std::string_view path) = 0;
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

}  // namespace scourix::platform
