#include "app/catalogue.h"

#include "app/windows_history_step.h"
#include "browser/browser_cleaners.h"
#include "cleaners/app_setting_steps.h"
#include "cleaners/fixed_entry_steps.h"
#include "cleaners/graphics_app_steps.h"
#include "cleaners/nested_mru_steps.h"
#include "cleaners/shell_bag_steps.h"
#include "cleaners/value_list_steps.h"

namespace scourix {
namespace {

using A = std::array<Action, 4>;

// Run order. Screen place (column/row) and keyboard order (tab) differ from it: "Windows
// History" stands in row 8 of column 1 but runs last, and the Firefox boxes come last in
// the tab order.
constexpr Target kTargets[] = {
    // box, caption, default, col, row, tab, status line, actions
    {"chkIETemp", "Internet Explorer Cache", 1, 1, 1, 5, "Cleaning IE Cache...", A{CleanIECache}},
    {"chkIEMRU", "Internet Explorer History", 1, 1, 2, 6, "Cleaning IE History...",
     A{steps::kTypedURLs}},
    {"chkCookies", "Internet Explorer Cookies", 1, 1, 3, 7, "Cleaning IE Cookies...",
     A{CleanIECookies}},
    {"chkFFCache", "Firefox Cache", 1, 1, 4, 40, "Cleaning Firefox Cache...", A{CleanFirefoxCache}},
    {"chkFFHistory", "Firefox History", 1, 1, 5, 41, "Cleaning Firefox History...",
     A{CleanFirefoxHistory}},
    {"chkFFCookies", "Firefox Cookies", 1, 1, 6, 42, "Cleaning Firefox Cookies...",
     A{CleanFirefoxCookies}},
    {"chkWinCookies", "Windows Cookies", 1, 1, 7, 8, "Cleaning Windows Cookies...",
     A{CleanWindowsCookies}},
    {"chkShellNoRoamMRU", "ShellNoRoam BagMRU", 1, 1, 9, 10, "Cleaning ShellNoRoam BagMRU...",
     A{steps::kShellNoRoamBagMRU}},
    {"chkShellMRU", "Shell BagMRU", 1, 1, 10, 11, "Cleaning Shell BagMRU...",
     A{steps::kShellBagMRU}},
    {"chkRecent", "Recent Documents", 1, 1, 11, 12, "Cleaning Recent...", A{CleanRecentDocuments}},
    {"chkRecentMRU", "Recent Documents MRU", 1, 1, 12, 13, "Cleaning Recent MRU...",
     A{steps::kRecentDocsMRU}},
    {"chkTemp", "Temporary Files", 1, 1, 13, 14, "Cleaning Temporary Files...", A{CleanTempFiles}},
    {"chkWinTemp", "Windows Temporary Files", 1, 2, 1, 15, "Cleaning Windows Temp...",
     A{CleanWindowsTemp}},
    {"chkStreams", "Streams", 1, 2, 2, 16, "Cleaning Streams...", A{steps::kStreams}},
    {"chkStreamsMRU", "Streams MRU", 1, 2, 3, 17, "Cleaning Stream MRU...", A{steps::kStreamMRU}},
    {"chkComdlgRecent", "ComDlg32 Recent", 0, 2, 4, 18, "Cleaning ComDlg32 Recent...",
     A{steps::kComDlgMRU}},
    {"chkRun", "Run Recent", 0, 2, 5, 19, "Cleaning Run Recent...", A{steps::kRunMRU}},
    {"chkSearchMRU", "Search/Find MRU", 0, 2, 6, 20, "Cleaning Search Assistant Recent...",
     A{steps::kSearchMRU}},
    {"chkPaint", "Paint Recent", 0, 2, 7, 21, "Cleaning Paint Recent...", A{steps::kPaintRecent}},
    {"chkRegedit", "Regedit Last Key", 0, 2, 8, 22, "Cleaning Regedit Last Key...",
     A{steps::kRegeditLastKey}},
    {"chkWordpad", "WordPad Recent", 0, 2, 9, 23, "Cleaning WordPad Recent...",
     A{steps::kWordPadRecent}},
    {"chkWMP", "Windows Media Player Recent", 0, 2, 10, 24,
     "Cleaning Windows Media Player Recent...", A{steps::kMediaPlayerRecent}},
    {"chkExcel", "Excel Recent", 0, 2, 11, 25, "Cleaning Excel Recent...", A{steps::kExcelRecent}},
    {"chkPowerPoint", "PowerPoint Recent", 0, 2, 12, 26, "Cleaning PowerPoint Recent...",
     A{steps::kPowerPointRecent}},
    {"chkWord", "Word Recent", 0, 2, 13, 27, "Cleaning Word Recent...", A{steps::kWordRecent}},
    {"chkWinamp", "WinAmp Last Opened", 0, 3, 1, 28, "Cleaning WinAmp Last Opened...",
     A{CleanWinampPlaylist}},
    {"chkWinRAR", "WinRAR Recent", 0, 3, 2, 29, "Cleaning WinRAR Recent...",
     A{steps::kWinRARRecent}},
    {"chkWinZip", "WinZip Recent", 0, 3, 3, 30, "Cleaning WinZip Recent...",
     A{steps::kWinZipRecent}},
    {"chkVC", "VC++ Recent", 0, 3, 4, 31, "Cleaning VC++ Recent...", A{steps::kVCRecent}},
    {"chkVB", "VB Recent", 0, 3, 5, 32, "Cleaning VB Recent...", A{steps::kVBRecent}},
    {"chkCleanUpWiz", "Clean Up Wiz Last Time Used", 0, 3, 6, 33,
     "Cleaning CleanUpWiz Last Time Used...", A{steps::kCleanupWizard}},
    {"chkFlash", "Flash Recent", 0, 3, 7, 34, "Cleaning Flash Recent...", A{steps::kFlashRecent}},
    {"chkNero", "Nero Recent", 0, 3, 8, 35, "Cleaning Nero Recent...", A{steps::kNeroHistory}},
    {"chkAcrobat", "Adobe Acrobat Reader Recent", 0, 3, 9, 36,
     "Cleaning Adobe Acrobat Reader Recent...", A{steps::kAcrobatReaderRecent}},
    {"chkImageReady", "Adobe ImageReady Recent", 0, 3, 10, 37,
     "Cleaning Adobe ImageReady Recent...", A{steps::kImageReadyRecent}},
    {"chkPhotoshop", "Adobe Photoshop Recent", 0, 3, 11, 38, "Cleaning Adobe Photoshop Recent...",
     A{steps::kPhotoshopStartupDir}},
    {"chkHistory", "Windows History", 1, 1, 8, 9, "Cleaning Windows History...",
     A{WindowsHistoryStep}},
};

}  // namespace

void Run(const Action& action, Context& ctx) {
  if (action.cleaner != nullptr)
    action.cleaner(ctx);
  else
    RunSteps(ctx, action.steps);
}

std::span<const Target> Targets() {
  return kTargets;
}

}  // namespace scourix
