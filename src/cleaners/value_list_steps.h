#pragma once

#include "cleaners/cleaner_steps.h"
#include "cleaners/office_item_steps.h"

// Flat MRU keys: every value of the key goes. Office 10.0 keeps a fixed list that is blanked;
// Office 12.0 keeps a key that is swept; the other versions from 11.0 on keep numbered items
// beside settings that stay.
namespace scourix::steps {

// clang-format off
inline constexpr Step kPowerPointRecent[] = {
    /* 1 */ Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Office\10.0\PowerPoint\Recent File List\File1)"),
    /* 2 */ Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Office\10.0\PowerPoint\Recent File List\File2)"),
    /* 3 */ Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Office\10.0\PowerPoint\Recent File List\File3)"),
    /* 4 */ Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Office\10.0\PowerPoint\Recent File List\File4)"),
    /* 5 */ Sweep(R"(Software\Microsoft\Office\12.0\PowerPoint\File MRU)"),
    /* 6 */ InEachSubkey(R"(Software\Microsoft\Office)", SubkeyChoice::kLaterOfficeVersions, kPowerPointItems),
};

// Excel 10.0 names its key "Recent Files", not "Recent File List".
inline constexpr Step kExcelRecent[] = {
    /* 1 */ Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Office\10.0\Excel\Recent Files\File1)"),
    /* 2 */ Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Office\10.0\Excel\Recent Files\File2)"),
    /* 3 */ Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Office\10.0\Excel\Recent Files\File3)"),
    /* 4 */ Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Office\10.0\Excel\Recent Files\File4)"),
    /* 5 */ Sweep(R"(Software\Microsoft\Office\12.0\Excel\File MRU)"),
    /* 6 */ InEachSubkey(R"(Software\Microsoft\Office)", SubkeyChoice::kLaterOfficeVersions, kExcelItems),
};

inline constexpr Step kVBRecent[] = {
    /* 1 */ Sweep(R"(Software\Microsoft\Visual Basic\6.0\RecentFiles)"),
};

inline constexpr Step kMediaPlayerRecent[] = {
    /* 1 */ Sweep(R"(Software\Microsoft\MediaPlayer\Player\RecentFileList)"),
    /* 2 */ Delete(R"(Software\Microsoft\MediaPlayer\Preferences)", "LastPlaylist", StepOpened(1)),
    /* 3 */ Sweep(R"(Software\Microsoft\MediaPlayer\Player\RecentURLList)"),
};

inline constexpr Step kRunMRU[] = {
    /* 1 */ Sweep(R"(Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU)"),
};

// Explorer's address bar kept its typed paths in TypedURLs until XP, in TypedPaths since.
inline constexpr Step kTypedURLs[] = {
    /* 1 */ Sweep(R"(Software\Microsoft\Internet Explorer\TypedURLs)"),
    /* 2 */ Sweep(R"(Software\Microsoft\Internet Explorer\TypedURLsTime)"),
    /* 3 */ Sweep(R"(Software\Microsoft\Windows\CurrentVersion\Explorer\TypedPaths)"),
};

inline constexpr Step kStreamMRU[] = {
    /* 1 */ Sweep(R"(Software\Microsoft\Windows\CurrentVersion\Explorer\StreamMRU)"),
};

inline constexpr Step kWinZipRecent[] = {
    /* 1 */ Sweep(R"(Software\Nico Mak Computing\WinZip\filemenu)"),
    /* 2 */ Sweep(R"(Software\Nico Mak Computing\WinZip\extract)", StepOpened(1)),
    /* 3 */ Sweep(R"(Software\Nico Mak Computing\WinZip\mru\archives)"),
};
// clang-format on

}  // namespace scourix::steps
