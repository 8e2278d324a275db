#include "targets_table.h"

#include "app/catalogue.h"
#include "app/cleaner_descriptions.h"
#include "app/target_description.h"

namespace scourix::readme {

std::vector<std::string_view> UndescribedBoxes() {
  std::vector<std::string_view> boxes;
  for (const Target& target : Targets()) {
    for (const Action& action : target.actions) {
      if (action.cleaner != nullptr && FileCleanerDescription(action.cleaner).empty()) {
        boxes.push_back(target.box);
        break;
      }
    }
  }
  return boxes;
}

// What every folder step refuses, how it treats what it finds inside a folder, and the keys
// every registry step refuses.
constexpr std::string_view kRefusedFolders =
    "\n"
    "*Folders a step refuses.* A folder from a shell-folder value, from the system, a fixed "
    "path or the Firefox profile is used only when its text is already the one Windows acts "
    "on: a full path strictly below a drive (`C:\\`) or share (`\\\\server\\share`) root, "
    "with no `/`, no empty, `.` or `..` component, no component ending in a dot or a "
    "space, no wildcard, no `:` past the drive and no other character a name cannot hold; "
    "a `\\\\?\\` or "
    "`\\\\.\\` prefix is taken off and the rest judged the same way; and "
    "`GetFullPathNameW` must give the text back unchanged (so `C:\\x\\NUL` is refused too). "
    "A folder that is, or holds, the Windows or system folder, a Program Files folder, the "
    "user's profile, Desktop, Documents or AppData, every user's application data or "
    "documents (`ProgramData`, `Public`), or the program's own folder is refused, "
    "judged by its text, again by its final path with links resolved, and again by its "
    "number on its volume (which a share of this machine's folders, or a drive mapped to one, "
    "does not change; so is a drive's root reached through a share); any other profile beside "
    "the user's (another user's, `Public`, `Default`) is refused by its text and its final "
    "path; where Windows "
    "gives no final path (before Vista), no folder from the root down may be a link, and the "
    "long names stand in for the final path. So is any folder on a drive's administrative "
    "share (`\\\\host\\C$`, `\\\\host\\ADMIN$`), by its text or its final path (a "
    "network drive may lead there). Every folder a step empties or deletes files in (the "
    "temp folders, the *Shell Folders* `Cache` and `Cookies` folders, the `History.IE*` "
    "folders, Recent, the Windows folder's `Cookies` and `Temp`, the Firefox caches) is "
    "refused as well where it "
    "is, or holds, another of the user's own folders (their local application data, Recent, "
    "Cookies, Pictures, Music, Videos or Downloads folder as the shell names it, or any folder a "
    "*Shell "
    "Folders* value names), judged in the same three "
    "ways: such a folder made a link to Pictures would empty Pictures. Those folders are "
    "refused too where they lie inside the Windows folder (but for its own `Temp` and "
    "`Cookies`), a Program Files folder, every user's application data or documents, or "
    "another profile, by their text and their final path, unless they lie in the user's own "
    "profile (which may itself be in the Windows folder, as the system account's is): a "
    "temp or cache value set there by a program running as the user would have a run with "
    "more rights empty it. Inside a folder, "
    "each entry is addressed by its literal name and checked through its own handle at the "
    "moment it is acted on: links, also those that look like plain files (Unix links under "
    "Wine), are never followed, deleted or written through; a file with other hard links is "
    "neither overwritten nor made writable, only its name deleted where it can go as it is; a "
    "file in use is left alone, and a read-only one that cannot go after all keeps its attribute, "
    "as does its folder; the program's own "
    "folder is passed over, and so is anything more than 256 folders down. A file that a library "
    "deletes or opens by its name (the URL "
    "cache's files; Firefox's database, with its journal, log and index) is handed to it only "
    "where the name leads to that very file through no link, and Windows reads it as it "
    "stands (a folder really named `prof.` would be read as `prof`).\n"
    "\n"
    "*Keys a step refuses.* A key that is a registry link (made with "
    "`REG_OPTION_CREATE_LINK`) is never opened, emptied or deleted where a step names it or "
    "finds it among the subkeys it empties, deletes or works inside: it stays, and so does the "
    "key it leads to. A key or value whose name holds a NUL (only the native calls make one) "
    "is passed by: cut at the NUL, its name would name the key above it, or that key's "
    "default value.\n";

std::string RenderTargetsBlock() {
  std::string block =
      "<!-- Written by scripts/update_readme_targets.sh from the program's own tables. -->\n"
      "\n"
      "In run order. *HKCU* is HKEY_CURRENT_USER. *Shell Folders* `X` is the folder named by "
      "value `X` of `HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell "
      "Folders`; a step whose value is missing, or whose folder is refused (see *Folders a "
      "step refuses* below the table), is skipped. "
      "*Blanked* values are set to an empty string where they exist; a missing value or key is "
      "never created. *Everything "
      "inside* a folder means its files and subfolders; the folder itself stays, and links "
      "inside it are never followed. A step that needs a key that does not exist is "
      "skipped.\n"
      "\n"
      "| # | Box | Default | What goes |\n"
      "|---|---|---|---|\n";
  int number = 0;
  for (const Target& target : Targets()) {
    const std::string what = TargetDescription(target);
    block += "| " + std::to_string(++number) + " | " + std::string(target.caption) + " | " +
             (target.default_state == 1 ? "checked" : "unchecked") + " | " + what + " |\n";
  }
  block += kRefusedFolders;
  return block;
}

std::optional<std::string> ReplaceBlock(std::string_view readme, std::string_view block) {
  std::size_t begin = readme.find(kBegin);
  if (begin == std::string_view::npos)
    return std::nullopt;
  std::size_t inner = readme.find('\n', begin);
  std::size_t end = readme.find(kEnd, begin);
  if (inner == std::string_view::npos || end == std::string_view::npos || end <= inner)
    return std::nullopt;
  std::string replaced(readme.substr(0, inner + 1));
  replaced += block;
  replaced += readme.substr(end);
  return replaced;
}

}  // namespace scourix::readme
