#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/platform.h"

// The machines the shared cases run on: the in-memory back-end on the host, the real one under
// Wine. Each starts clean and cleans up after itself.
namespace scourix::conformance {

// HKEY_CURRENT_USER that the cases may fill freely (under Wine, redirected to a throwaway key
// for the environment's lifetime).
class RegistryEnv {
 public:
  virtual ~RegistryEnv() = default;
  virtual platform::Registry& registry() = 0;
  // Wine differs from Windows in a few details; the cases that meet one say so.
  virtual bool IsWine() const = 0;
  // Makes the key link (under HKEY_CURRENT_USER) a symbolic link to the existing key target.
  virtual void MakeLink(const std::string& link, const std::string& target) = 0;
  // Makes parent\name where name holds a NUL, as only the native calls can.
  virtual void MakeKeyHoldingNull(const std::string& parent, const std::string& name) = 0;
};

// A fresh, empty scratch folder.
class FileSystemEnv {
 public:
  virtual ~FileSystemEnv() = default;
  virtual platform::Platform& platform() = 0;
  // The scratch folder: a full path without a trailing backslash.
  virtual const std::string& root() const = 0;
  // Plants a link at link to the folder target; false when this back-end cannot make one.
  virtual bool MakeFolderLink(const std::string& link, const std::string& target) = 0;
  // Plants a link at link to the file target, which need not exist, as Wine shows a Unix link
  // to a file: with no link attribute.
  virtual bool MakeFileLink(const std::string& link, const std::string& target) = 0;
  // Gives the file existing a second name, link.
  virtual bool MakeHardLink(const std::string& link, const std::string& existing) = 0;
  // Keeps the file open without sharing (as another program would) while the env lives.
  virtual void HoldOpen(const std::string& path) = 0;
  // The file's bytes; "<missing>" when it cannot be read.
  virtual std::string Read(const std::string& path) = 0;
};

// A URL cache emptied at the start and seeded by the back-end's own means.
class UrlCacheEnv {
 public:
  virtual ~UrlCacheEnv() = default;
  virtual platform::Platform& platform() = 0;
  platform::UrlCache& cache() { return platform().url_cache; }
  // Adds a content entry with a local file and the given type bits.
  virtual void Seed(const std::string& url, std::uint32_t type) = 0;
  // The type bits the platform keeps for a content entry seeded with type (Wine adds the
  // normal-entry bit to everything in the content store).
  virtual std::uint32_t StoredType(std::uint32_t type) = 0;
  // Whether the cache still holds the URL, whatever the enumeration shows.
  virtual bool Has(const std::string& url) = 0;
};

std::unique_ptr<RegistryEnv> MakeRegistryEnv();
std::unique_ptr<FileSystemEnv> MakeFileSystemEnv();
std::unique_ptr<UrlCacheEnv> MakeUrlCacheEnv();

}  // namespace scourix::conformance
