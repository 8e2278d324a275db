#pragma once

#include <functional>
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
// Set-up and inspection take paths literally ("x." is the entry "x."). The FileSystem methods
// read paths as Windows does: "/" is "\", "." and ".." are folded, trailing dots and spaces of
// a component are dropped, repeated backslashes collapsed, and a path that starts with "\"
// names the root of drive C:, as the current drive would; a "\\?\" path is taken literally.
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
    bool mapped = false;       // a program's loaded image: opens for deletion, which is refused
    int writers = 0;           // file: handles open on it in this machine, all writing
    int unshared_writers = 0;  // of those, the ones that do not share writing
    std::string link_target;   // set for links
    std::string short_name;    // its 8.3 name, where the test gave one
    std::uint32_t links = 1;   // names of this file (hard links)
    std::map<std::string, std::shared_ptr<Node>, CaseInsensitiveLess> children;
    bool is_folder() const { return (attributes & platform::kAttrDirectory) != 0; }
    // A link that says so (reparse point); one that does not is followed like a plain entry.
    bool is_link() const { return (attributes & platform::kAttrReparsePoint) != 0; }
  };

  SimFileSystem();

  // Test set-up. Missing parent folders are made.
  void AddFolder(std::string_view path, std::uint32_t extra_attributes = 0);
  void AddFile(std::string_view path,
               std::string_view content = "",
               std::uint32_t extra_attributes = 0);
  // A link at path pointing to target: a folder link (junction, symbolic link, mount point)
  // or a file link. Unmarked, it carries no reparse attribute and every open follows it, as
  // Wine shows a Unix symbolic link to a file.
  void AddLink(std::string_view path, std::string_view target, bool folder, bool marked = true);
  // A second name for an existing file.
  void AddHardLink(std::string_view path, std::string_view existing);
  // A drive ("Y:") whose root is an existing folder, as a share of this machine's folder, or a
  // drive mapped to one, is another way in: no link on it, and final paths keep its name.
  void AddAlias(std::string_view drive, std::string_view folder);
  void Remove(std::string_view path);
  // Runs action once, just before the next open or listing of path: another program's move
  // between a listing and the act.
  void BeforeOpen(std::string_view path, std::function<void()> action);
  // A second, short name by which the entry at path is found too, as an 8.3 name.
  void SetShortName(std::string_view path, std::string_view short_name);
  // Answers for GetFinalPathNameByHandleW, which systems before Vista do not have.
  bool final_paths = true;
  // False: a system, as Wine 8, where no file link is marked; tests then add no marked one.
  bool file_links_marked = true;
  void Lock(std::string_view path, bool locked = true);
  void DenyCreate(std::string_view folder, bool deny = true);
  void DenyList(std::string_view folder, bool deny = true);
  void FailWrites(std::string_view path, bool fail = true);
  void DenyDelete(std::string_view path, bool deny = true);
  void Map(std::string_view path);

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
  // Paths opened that Windows reads as a device: a name like "COM1" at the end of a path that
  // is not literal. The open is refused here; on Windows it would reach the port.
  const std::vector<std::string>& devices_opened() const { return devices_opened_; }

  // Where a path leads: the entry, the folder holding it, its name there and the path of the
  // entry itself once every link on the way is followed. Public for the open items.
  struct Found {
    std::shared_ptr<Node> node;
    std::shared_ptr<Node> parent;
    std::string leaf;
    std::vector<std::string> real;
  };
  Found Resolve(std::string_view path, bool follow_last);
  void Erase(Found& found);

  // FileSystem
  platform::Status GetAttributes(std::string_view path, std::uint32_t* attributes) override;
  platform::Status SetAttributes(std::string_view path, std::uint32_t attributes) override;
  platform::Status ListFolder(std::string_view folder,
                              std::unique_ptr<platform::DirectoryListing>* listing) override;
  platform::Status DeleteFileWide(std::string_view path, bool force) override;
  platform::Status OpenItem(std::string_view path,
                            const platform::ItemOpen& how,
                            std::unique_ptr<platform::Item>* item) override;
  bool FileLinksAreMarked() override { return file_links_marked; }
  platform::Status FullPath(std::string_view path, std::string* full) override;
  platform::Status LongPath(std::string_view path, std::string* long_path) override;
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
  Found Walk(std::vector<std::string> parts, bool follow_last, int depth);
  // The entry path names in its folder (reached through any links), not followed, a link to
  // nothing included; null where there is none.
  std::shared_ptr<Node> OwnEntry(std::string_view path);
  const Node* FindConst(std::string_view path) const;
  Node* MakeFolders(const std::vector<std::string>& parts);
  void RunHooks(const std::vector<std::string>& parts);

  std::shared_ptr<Node> root_;  // children are the drives, "C:", "D:"...
  std::vector<std::string> removed_;
  std::vector<std::string> links_touched_;
  std::vector<std::string> devices_opened_;
  std::vector<std::pair<std::string, std::function<void()>>> hooks_;
};

// Splits a Windows path into its components, the drive first ("C:"), taking it literally.
std::vector<std::string> SplitPath(std::string_view path);
// The components Windows acts on for a path given to the file functions.
std::vector<std::string> ReadAsWindows(std::string_view path);
std::string JoinPath(const std::vector<std::string>& parts);

}  // namespace scourix::sim
