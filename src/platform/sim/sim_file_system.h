#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace scourix::sim {

// Compares names as Windows does for ASCII: case-insensitively.
struct CaseInsensitiveLess {
  bool operator()(const std::string& a, const std::string& b) const;
};

// An in-memory file tree of drives, folders and files, with attributes, locked files and
// links. Tests fill it, run the code and inspect what is left and what was removed.
//
// Paths are full Windows paths. A path that starts with "\" names the root of drive C:, as
// the current drive would. Repeated backslashes are collapsed, as Windows does.
class SimFileSystem : public platform::FileSystem {
 public:
  struct Node {
    std::string name;
    std::uint32_t attributes = platform::kAttrArchive;
    std::string content;
    bool locked = false;       // open by another program: no open, no delete
    bool deny_create = false;  // folder: nothing can be created in it
    bool deny_list = false;    // folder: cannot be listed (no access)
    bool fail_writes = false;  // file: opens, but every write fails (disk full)
    bool deny_delete = false;  // opens and writes, but the ACL refuses deletion
    int writers = 0;           // file: handles open on it in this machine, all writing
    int unshared_writers = 0;  // of those, the ones that do not share writing
    std::string link_target;   // set for links (reparse points)
    std::map<std::string, std::unique_ptr<Node>, CaseInsensitiveLess> children;
    bool is_folder() const { return (attributes & platform::kAttrDirectory) != 0; }
    bool is_link() const { return (attributes & platform::kAttrReparsePoint) != 0; }
  };

  SimFileSystem();

  // Test set-up. Missing parent folders are made.
  void AddFolder(std::string_view path, std::uint32_t extra_attributes = 0);
  void AddFile(std::string_view path,
               std::string_view content = "",
               std::uint32_t extra_attributes = 0);
  // A link at path pointing to target: a folder link (junction, symbolic link, mount point)
  // or a file link.
  void AddLink(std::string_view path, std::string_view target, bool folder);
  void Lock(std::string_view path, bool locked = true);
  void DenyCreate(std::string_view folder, bool deny = true);
  void DenyList(std::string_view folder, bool deny = true);
  void FailWrites(std::string_view path, bool fail = true);
  void DenyDelete(std::string_view path, bool deny = true);

  // Inspection.
  bool Exists(std::string_view path) const;
  std::string Content(std::string_view path) const;
  std::uint32_t Attributes(std::string_view path) const;  // 0 when absent
  // Every path below (and including) root, folders with a trailing "\".
  std::vector<std::string> Tree(std::string_view root) const;
  // Full paths of everything removed, in order.
  const std::vector<std::string>& removed() const { return removed_; }
  // Full paths of the links that an operation went through or removed.
  const std::vector<std::string>& links_touched() const { return links_touched_; }

  // FileSystem
  platform::Status GetAttributes(std::string_view path, std::uint32_t* attributes) override;
  platform::Status SetAttributes(std::string_view path, std::uint32_t attributes) override;
  platform::Status ListFolder(std::string_view folder,
                              std::unique_ptr<platform::DirectoryListing>* listing) override;
  platform::Status DeleteFileNarrow(std::string_view path) override;
  platform::Status DeleteFileWide(std::string_view path, bool force) override;
  platform::Status RemoveFolder(std::string_view path) override;
  platform::Status MakeFolder(std::string_view path) override;
  platform::Status OpenFile(std::string_view path,
                            platform::OpenMode mode,
                            std::unique_ptr<platform::File>* file) override;
  std::uint32_t GetProfileString(std::string_view section,
                                 std::string_view key,
                                 std::string_view default_value,
                                 char* buffer,
                                 std::uint32_t size,
                                 std::string_view file) override;

 private:
  // Finds a node; links in the path are followed (and recorded), as the platform does.
  Node* Find(std::string_view path, bool follow_last_link);
  const Node* FindConst(std::string_view path) const;
  Node* FindParent(std::string_view path, std::string* leaf);
  Node* MakeFolders(const std::vector<std::string>& parts);

  std::unique_ptr<Node> root_;  // children are the drives, "C:", "D:"...
  std::vector<std::string> removed_;
  std::vector<std::string> links_touched_;
};

// Splits a Windows path into its components, the drive first ("C:").
std::vector<std::string> SplitPath(std::string_view path);
std::string JoinPath(const std::vector<std::string>& parts);

}  // namespace scourix::sim
