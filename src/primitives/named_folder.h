#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "primitives/context.h"

// The folder a cleaning step names, judged as Windows will read it and held open while the
// step works in it.
namespace scourix {

// Where a folder is: the text shown on the label, and the path the system acts on (its final
// path with links resolved, or the same text where the system cannot tell).
struct FolderPlace {
  std::string shown;
  std::string real;
};

// The folders no step may empty, or delete files directly in, nor any folder holding one of
// them: the Windows and system folders, the Program Files folders, the user's profile,
// Desktop, Documents and AppData, every user's application data and documents (ProgramData,
// Public), each as its text, as its final path and as the item it is on its volume; every
// other profile beside the user's, by its text and final path; and anything on a drive's
// administrative share (\\host\C$), which names them by another text.
// Roots are refused by their text, and by their number where a share or a junction in one
// reaches them by another.
class ProtectedFolders {
 public:
  explicit ProtectedFolders(Context& ctx);
  // These folders instead (each plain), known in the same three ways: the user's other folders.
  ProtectedFolders(platform::FileSystem& files, std::span<const std::string> plain_folders);
  // The folder is, or holds, one of them (or is a root).
  bool Covers(std::string_view folder) const;
  // The open folder is one of them, or holds one, whatever path reached it: through a share of
  // this machine, or a drive mapped to one, neither its text nor its final path tells.
  bool CoversItem(platform::Item& folder) const;

 private:
  // One of the folders, or a folder holding one: its number on its volume, and its path, to
  // open it again for the volume's serial number where the numbers match.
  struct Identity {
    std::uint64_t index = 0;
    std::string path;
  };
  void Add(std::string_view plain);
  void AddIdentities(std::string_view plain);

  platform::FileSystem& files_;
  std::vector<std::string> folders_;
  std::vector<std::string> profiles_;  // the folder of every profile: none of its folders
  std::vector<Identity> identities_;
};

// The program's own folder, as text, as its final path and as its number on its volume; a
// purge passes over it.
struct ProgramFolder {
  explicit ProgramFolder(Context& ctx);
  bool Is(const FolderPlace& place) const;
  // The open folder is the program's, whatever path reached it (a drive mapped to it).
  bool IsItem(platform::FileSystem& files, platform::Item& folder) const;
  bool Holds(const FolderPlace& place) const;
  std::string text;
  std::string real;
  std::uint64_t index = 0;  // 0 where unknown
};

// A folder that a step names, checked and held open (so that it cannot be swapped for a link
// while the step works in it). Empty when the folder is refused or cannot be opened.
class NamedFolder {
 public:
  NamedFolder(Context& ctx, std::string_view text);
  explicit operator bool() const { return item_ != nullptr; }
  const FolderPlace& place() const { return place_; }
  // The program's folder as the check found it; a purge in this folder passes over it.
  const ProgramFolder& program() const { return *program_; }
  // The folder held open: any further check of where the step works is made on it, not on the
  // text, which may lead elsewhere by then.
  platform::Item& item() const { return *item_; }

 private:
  FolderPlace place_;
  std::optional<ProgramFolder> program_;
  std::unique_ptr<platform::Item> item_;
};

// The plain form of text (PlainFolderText), where the system reads that form as the very path
// it names (GetFullPathNameW gives it back unchanged); empty otherwise.
std::string PlainAsRead(platform::FileSystem& files, std::string_view text);

// Each folder from the root down to `plain` itself, opened without following, is no link.
// Where the system cannot tell a final path, this is the only sign that a text leads
// elsewhere, through the folder or any folder above it.
bool NoLinkOnTheWay(platform::FileSystem& files, std::string_view plain);

// The final path of an existing item, links followed; empty when it cannot be read.
std::string FinalPathOf(platform::FileSystem& files, std::string_view plain);
// Adds the folder's text to texts, and its final path where that reads otherwise.
void AddWithFinalPath(platform::FileSystem& files,
                      std::string_view plain,
                      std::vector<std::string>* texts);

// The folder the system names for `which`, in its plain form (PlainFolderText); empty where
// the system names none, or names one that no folder step would take.
std::string KnownFolderText(Context& ctx, platform::KnownFolder which);

}  // namespace scourix
