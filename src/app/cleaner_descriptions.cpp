#include "app/cleaner_descriptions.h"

#include <array>

#include "app/windows_history_step.h"
#include "browser/browser_cleaners.h"

// Kept beside the catalogue so that a changed folder or store is described where the target is
// wired; a test fails when a cleaner of the catalogue has no line here.
namespace scourix {
namespace {

struct Description {
  Cleaner cleaner;
  std::string_view text;
};

// clang-format off
constexpr std::array<Description, 11> kDescriptions{{
    {CleanIECache, "The browser's URL cache: every content entry marked normal (a cookie or history entry listed with them, as Wine lists them, stays), except one whose local file is not where its name says (a name through a link, or climbing out with `..`), which stays with its file; a local file named through its folders' short names (as the cache names it below a folder the ANSI code page cannot hold) is checked by their long names"},
    {CleanIECookies, "Files directly in *Shell Folders* `Cookies`, except hidden and system files and links, each deleted after its first two bytes are overwritten; then everything inside *Shell Folders* `Cache`; either folder is left alone if it is, or holds, the user's local application data, Recent or Cookies folder (other than itself) or a folder another value of *Shell Folders* names; then every entry of the URL cache's cookie container (pattern `Cookie:`), where Windows 8.1 and later keep cookies, with the same exception as for the cache"},
    {CleanFirefoxCache, "In every Firefox profile (each `[ProfileN]` of *Shell Folders* `AppData` + `\\Mozilla\\Firefox\\profiles.ini` with a usable `Path`, once each): everything inside `cache`; and, unless Firefox is running with the profile (its `parent.lock` held open), everything inside `cache2` of the profile's local half: `%LOCALAPPDATA%\\Mozilla\\Firefox\\` + its `Path`, or the profile itself when its path is absolute"},
    {CleanFirefoxHistory, "In every Firefox profile: `history.dat`; and, unless Firefox is running with the profile, the history in `places.sqlite`: every visit and typed entry, every page that no bookmark or keyword needs, with its annotations and sites; the pages kept lose their visit counts and dates. Bookmarks stay. The database's own triggers do not fire and its views are not read (Firefox keeps neither in the file), so that nothing it holds makes a deletion reach further. One transaction: a database that is locked, not Firefox's or fails is left as it was, and so is one with a second name, or beside which a journal is left (a transaction not finished) or its journal, log or index is a link or has a second name"},
    {CleanFirefoxCookies, "In every Firefox profile: `cookies.txt`; and, unless Firefox is running with the profile, `cookies.sqlite` with its `cookies.sqlite-wal` and `cookies.sqlite-shm`"},
    {CleanWindowsCookies, "Files directly in `Cookies` in the Windows folder (`GetWindowsDirectoryW`), except hidden and system files and links, each deleted after its first two bytes are overwritten"},
    {CleanRecentDocuments, "The shell's list of recently used documents (`SHAddToRecentDocs` with no document); then the shortcut files (`*.lnk`) directly in the user's Recent folder (`CSIDL_RECENT`), not in its subfolders. Windows empties the Recent folder itself when it clears the list, so where that folder is one no folder step would take (a root, or a folder that is or holds the user's others) the step leaves both alone"},
    {CleanTempFiles, "Everything inside *Shell Folders* `Local Settings` + `\\Temp`; where that value is missing (Vista and later), everything inside the user's temp folder (`GetTempPathW`); either is left alone if it is, or holds, the user's local application data, Recent or Cookies folder or a folder of *Shell Folders*"},
    {CleanWindowsTemp, "Everything inside `Temp` in the Windows folder (`GetWindowsDirectoryW`)"},
    {CleanWinampPlaylist, "`C:\\Program Files\\Winamp\\winamp.m3u`, the last playlist; then `winamp.m3u` and `winamp.m3u8` in `Winamp` in the user's application data (`CSIDL_APPDATA`), where Winamp 5 keeps them"},
    {WindowsHistoryStep, "Every URL of the browser's history store; everything inside `History.IE5`, `History.IE6` and `History.IE7` in *Shell Folders* `History`"},
}};
// clang-format on

}  // namespace

std::string_view FileCleanerDescription(Cleaner cleaner) {
  for (const Description& description : kDescriptions) {
    if (description.cleaner == cleaner)
      return description.text;
  }
  return {};
}

}  // namespace scourix
