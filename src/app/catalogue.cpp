#include "app/catalogue.h"

#include "app/windows_history_step.h"
#include "browser/browser_cleaners.h"
#include "cleaners/cleaners.h"

namespace scourix {
namespace {

using C = std::array<Cleaner, 4>;

// Run order. Screen place (column/row) and keyboard order (tab) differ from it: "Windows
// History" stands in row 8 of column 1 but runs last, and the Firefox boxes come last in
// the tab order.
constexpr std::array<Target, kTargetCount> kTargets{{
    // box, caption, default, col, row, tab, status line, cleaners
    {"chkIETemp", "Internet Explorer Cache", 1, 1, 1, 5, "Cleaning IE Cache...", C{CleanIECache}},
    {"chkIEMRU", "Internet Explorer History", 1, 1, 2, 6, "Cleaning IE History...",
     C{CleanTypedURLs}},
    {"chkCookies", "Internet Explorer Cookies", 1, 1, 3, 7, "Cleaning IE Cookies...",
     C{CleanIECookies}},
    {"chkFFCache", "Firefox Cache", 1, 1, 4, 40, "Cleaning Firefox Cache...", C{CleanFirefoxCache}},
    {"chkFFHistory", "Firefox History", 1, 1, 5, 41, "Cleaning Firefox History...",
     C{CleanFirefoxHistory}},
    {"chkFFCookies", "Firefox Cookies", 1, 1, 6, 42, "Cleaning Firefox Cookies...",
     C{CleanFirefoxCookies}},
    {"chkWinCookies", "Windows Cookies", 1, 1, 7, 8, "Cleaning Windows Cookies...",
     C{CleanWindowsCookies}},
    {"chkShellNoRoamMRU", "ShellNoRoam BagMRU", 1, 1, 9, 10, "Cleaning ShellNoRoam BagMRU...",
     C{CleanShellNoRoamBagMRU}},
    {"chkShellMRU", "Shell BagMRU", 1, 1, 10, 11, "Cleaning Shell BagMRU...", C{CleanShellBagMRU}},
    {"chkRecent", "Recent Documents", 1, 1, 11, 12, "Cleaning Recent...", C{CleanRecentDocuments}},
    {"chkRecentMRU", "Recent Documents MRU", 1, 1, 12, 13, "Cleaning Recent MRU...",
     C{CleanRecentDocsMRU}},
    {"chkTemp", "Temporary Files", 1, 1, 13, 14, "Cleaning Temporary Files...", C{CleanTempFiles}},
    {"chkWinTemp", "Windows Temporary Files", 1, 2, 1, 15, "Cleaning Windows Temp...",
     C{CleanWindowsTemp}},
    {"chkStreams", "Streams", 1, 2, 2, 16, "Cleaning Streams...", C{CleanStreams}},
    {"chkStreamsMRU", "Streams MRU", 1, 2, 3, 17, "Cleaning Stream MRU...", C{CleanStreamMRU}},
    {"chkComdlgRecent", "ComDlg32 Recent", 0, 2, 4, 18, "Cleaning ComDlg32 Recent...",
     C{CleanComDlgMRU}},
    {"chkRun", "Run Recent", 0, 2, 5, 19, "Cleaning Run Recent...", C{CleanRunMRU}},
    {"chkSearchMRU", "Search/Find MRU", 0, 2, 6, 20, "Cleaning Search Assistant Recent...",
     C{CleanSearchMRU}},
    {"chkPaint", "Paint Recent", 0, 2, 7, 21, "Cleaning Paint Recent...", C{CleanPaintRecent}},
    {"chkRegedit", "Regedit Last Key", 0, 2, 8, 22, "Cleaning Regedit Last Key...",
     C{CleanRegeditLastKey}},
    {"chkWordpad", "WordPad Recent", 0, 2, 9, 23, "Cleaning WordPad Recent...",
     C{CleanWordPadRecent}},
    {"chkWMP", "Windows Media Player Recent", 0, 2, 10, 24,
     "Cleaning Windows Media Player Recent...", C{CleanMediaPlayerRecent}},
    {"chkExcel", "Excel Recent", 0, 2, 11, 25, "Cleaning Excel Recent...", C{CleanExcelRecent}},
    {"chkPowerPoint", "PowerPoint Recent", 0, 2, 12, 26, "Cleaning PowerPoint Recent...",
     C{CleanPowerPointRecent}},
    {"chkWord", "Word Recent", 0, 2, 13, 27, "Cleaning Word Recent...", C{CleanWordRecent}},
    {"chkWinamp", "WinAmp Last Opened", 0, 3, 1, 28, "Cleaning WinAmp Last Opened...",
     C{CleanWinampPlaylist}},
    {"chkWinRAR", "WinRAR Recent", 0, 3, 2, 29, "Cleaning WinRAR Recent...", C{CleanWinRARRecent}},
    {"chkWinZip", "WinZip Recent", 0, 3, 3, 30, "Cleaning WinZip Recent...", C{CleanWinZipRecent}},
    {"chkVC", "VC++ Recent", 0, 3, 4, 31, "Cleaning VC++ Recent...", C{CleanVCRecent}},
    {"chkVB", "VB Recent", 0, 3, 5, 32, "Cleaning VB Recent...", C{CleanVBRecent}},
    {"chkCleanUpWiz", "Clean Up Wiz Last Time Used", 0, 3, 6, 33,
     "Cleaning CleanUpWiz Last Time Used...", C{CleanCleanupWizard}},
    {"chkFlash", "Flash Recent", 0, 3, 7, 34, "Cleaning Flash Recent...", C{CleanFlashRecent}},
    {"chkNero", "Nero Recent", 0, 3, 8, 35, "Cleaning Nero Recent...", C{CleanNeroHistory}},
    {"chkAcrobat", "Adobe Acrobat Reader Recent", 0, 3, 9, 36,
     "Cleaning Adobe Acrobat Reader Recent...",
     C{CleanAcrobatReader5Recent, CleanAcrobatReader6Recent, CleanAcrobatReader7Recent,
       CleanAcrobatReader8Recent}},
    {"chkImageReady", "Adobe ImageReady Recent", 0, 3, 10, 37,
     "Cleaning Adobe ImageReady Recent...", C{CleanImageReadyRecent}},
    {"chkPhotoshop", "Adobe Photoshop Recent", 0, 3, 11, 38, "Cleaning Adobe Photoshop Recent...",
     C{CleanPhotoshopStartupDir}},
    {"chkHistory", "Windows History", 1, 1, 8, 9, "Cleaning Windows History...",
     C{WindowsHistoryStep}},
}};

// The list boxes lie below the client area (top 6000 > 5775), so they are never seen.
constexpr std::array<ControlSpec, 6> kOtherControls{{
    {"lstKeys", ControlKind::kListBox, "", 0, 6000, 735, 645, 0},
    {"lstValNames", ControlKind::kListBox, "", 960, 6000, 735, 645, 1},
    {"lstValues", ControlKind::kListBox, "", 1800, 6000, 735, 645, 2},
    {"cmdScour", ControlKind::kPushButton, "Scour", 3840, 4800, 1575, 615, 3},
    {"lblStatus", ControlKind::kLabel, "", 0, 5520, 9135, 255, 4},
    {"cmdCheckAll", ControlKind::kPushButton, "Check All", 7920, 5040, 1095, 375, 39},
}};

}  // namespace

std::span<const Target, kTargetCount> Targets() {
  return kTargets;
}

std::size_t TargetIndex(std::string_view box) {
  for (std::size_t i = 0; i < kTargets.size(); ++i) {
    if (kTargets[i].box == box)
      return i;
  }
  return kTargetCount;
}

std::span<const ControlSpec> OtherControls() {
  return kOtherControls;
}

}  // namespace scourix
