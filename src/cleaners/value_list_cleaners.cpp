#include "cleaners/cleaner_steps.h"
#include "cleaners/cleaner_tables.h"
#include "cleaners/cleaners.h"

// Flat MRU keys: every value of the key goes. Office 10.0 keeps a fixed list that is blanked;
// Office 12.0 keeps a key that is swept.
namespace scourix {

namespace {

// clang-format off
constexpr Step kPowerPointRecent[] = {
    /* 1 */ Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Office\10.0\PowerPoint\Recent File List\File1)"),
    /* 2 */ Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Office\10.0\PowerPoint\Recent File List\File2)"),
    /* 3 */ Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Office\10.0\PowerPoint\Recent File List\File3)"),
    /* 4 */ Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Office\10.0\PowerPoint\Recent File List\File4)"),
    /* 5 */ Sweep(R"(Software\Microsoft\Office\12.0\PowerPoint\File MRU)"),
};

// Excel 10.0 names its key "Recent Files", not "Recent File List".
constexpr Step kExcelRecent[] = {
    /* 1 */ Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Office\10.0\Excel\Recent Files\File1)"),
    /* 2 */ Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Office\10.0\Excel\Recent Files\File2)"),
    /* 3 */ Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Office\10.0\Excel\Recent Files\File3)"),
    /* 4 */ Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Office\10.0\Excel\Recent Files\File4)"),
    /* 5 */ Sweep(R"(Software\Microsoft\Office\12.0\Excel\File MRU)"),
};

constexpr Step kVBRecent[] = {
    /* 1 */ Sweep(R"(Software\Microsoft\Visual Basic\6.0\RecentFiles)"),
};

constexpr Step kMediaPlayerRecent[] = {
    /* 1 */ Sweep(R"(Software\Microsoft\MediaPlayer\Player\RecentFileList)"),
    /* 2 */ Delete(R"(Software\Microsoft\MediaPlayer\Preferences)", "LastPlaylist", StepOpened(1)),
};

constexpr Step kRunMRU[] = {
    /* 1 */ Sweep(R"(Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU)"),
};

constexpr Step kTypedURLs[] = {
    /* 1 */ Sweep(R"(Software\Microsoft\Internet Explorer\TypedURLs)"),
};

constexpr Step kStreamMRU[] = {
    /* 1 */ Sweep(R"(Software\Microsoft\Windows\CurrentVersion\Explorer\StreamMRU)"),
};

constexpr Step kWinZipRecent[] = {
    /* 1 */ Sweep(R"(Software\Nico Mak Computing\WinZip\filemenu)"),
    /* 2 */ Sweep(R"(Software\Nico Mak Computing\WinZip\extract)", StepOpened(1)),
};
// clang-format on

}  // namespace

void CleanPowerPointRecent(Context& ctx) {
  RunSteps(ctx, kPowerPointRecent);
}
void CleanExcelRecent(Context& ctx) {
  RunSteps(ctx, kExcelRecent);
}
void CleanVBRecent(Context& ctx) {
  RunSteps(ctx, kVBRecent);
}
void CleanMediaPlayerRecent(Context& ctx) {
  RunSteps(ctx, kMediaPlayerRecent);
}
void CleanRunMRU(Context& ctx) {
  RunSteps(ctx, kRunMRU);
}
void CleanTypedURLs(Context& ctx) {
  RunSteps(ctx, kTypedURLs);
}
void CleanStreamMRU(Context& ctx) {
  RunSteps(ctx, kStreamMRU);
}
void CleanWinZipRecent(Context& ctx) {
  RunSteps(ctx, kWinZipRecent);
}

namespace {

constexpr CleanerTable kTables[] = {
    {CleanPowerPointRecent, kPowerPointRecent},
    {CleanExcelRecent, kExcelRecent},
    {CleanVBRecent, kVBRecent},
    {CleanMediaPlayerRecent, kMediaPlayerRecent},
    {CleanRunMRU, kRunMRU},
    {CleanTypedURLs, kTypedURLs},
    {CleanStreamMRU, kStreamMRU},
    {CleanWinZipRecent, kWinZipRecent},
};

}  // namespace

std::span<const CleanerTable> ValueListTables() {
  return kTables;
}

}  // namespace scourix
