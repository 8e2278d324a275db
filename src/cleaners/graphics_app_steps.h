#pragma once

#include "cleaners/cleaner_steps.h"

// Flash, Acrobat Reader and ImageReady. Their numbered-subkey keys are opened by the same
// path, closing backslash included, that is joined to each listed subkey name.
namespace scourix::steps {

// clang-format off
inline constexpr Step kFlashRecent[] = {
    /* 1 */ Prune(R"(Software\Macromedia\Flash 7\LastOpenDocs\)", R"(Software\Macromedia\Flash 7\LastOpenDocs\)"),
    /* 2 */ Sweep(R"(Software\Macromedia\Flash 7\Recent File List)", StepOpened(1)),
};

// Inside one version key of Acrobat Reader.
inline constexpr Step kAcrobatReaderLists[] = {
    /* 1 */ Prune(R"(AVGeneral\cRecentFiles)", R"(AVGeneral\cRecentFiles\)"),
    /* 2 */ Prune(R"(AVGeneral\cRecentFolders)", R"(AVGeneral\cRecentFolders\)"),
};

// The versions up to 8.0 by name, then every version the key holds (9.0, 10.0, 11.0, DC, ...).
inline constexpr Step kAcrobatReaderRecent[] = {
    /* 1 */ Prune(R"(Software\Adobe\Acrobat Reader\5.0\AVGeneral\cRecentFiles\)", R"(Software\Adobe\Acrobat Reader\5.0\AVGeneral\cRecentFiles\)"),
    /* 2 */ Prune(R"(Software\Adobe\Acrobat Reader\6.0\AVGeneral\cRecentFiles\)", R"(Software\Adobe\Acrobat Reader\6.0\AVGeneral\cRecentFiles\)"),
    /* 3 */ Prune(R"(Software\Adobe\Acrobat Reader\7.0\AVGeneral\cRecentFiles\)", R"(Software\Adobe\Acrobat Reader\7.0\AVGeneral\cRecentFiles\)"),
    /* 4 */ Prune(R"(Software\Adobe\Acrobat Reader\8.0\AVGeneral\cRecentFiles\)", R"(Software\Adobe\Acrobat Reader\8.0\AVGeneral\cRecentFiles\)"),
    /* 5 */ InEachSubkey(R"(Software\Adobe\Acrobat Reader)", SubkeyChoice::kEvery, kAcrobatReaderLists),
};

// The last-save folders are blanked, the recent files deleted. Without the 7.0 list nothing
// of 8.0 is touched.
inline constexpr Step kImageReadyRecent[] = {
    /* 1 */ Sweep(R"(Software\Adobe\ImageReady 7.0\Preferences\RecentFiles)"),
    /* 2 */ Blank(R"(HKEY_CURRENT_USER\Software\Adobe\ImageReady 7.0\Preferences\SaveDir\tlfd)", StepOpened(1)),
    /* 3 */ Sweep(R"(Software\Adobe\ImageReady 8.0\Preferences\RecentFiles)", StepOpened(1)),
    /* 4 */ Blank(R"(HKEY_CURRENT_USER\Software\Adobe\ImageReady 8.0\Preferences\SaveDir\tlfd)", StepOpened(3)),
};
// clang-format on

}  // namespace scourix::steps
