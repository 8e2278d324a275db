#pragma once

#include "cleaners/cleaner_steps.h"

// Single known traces of the registry editor, the desktop clean-up wizard, Nero and
// Photoshop. Every step runs, whatever the earlier ones found.
namespace scourix::steps {

// clang-format off
inline constexpr Step kRegeditLastKey[] = {
    /* 1 */ Delete(R"(Software\Microsoft\Windows\CurrentVersion\Applets\Regedit)", "LastKey"),
};

inline constexpr Step kCleanupWizard[] = {
    /* 1 */ Delete(R"(Software\Microsoft\Windows\CurrentVersion\Explorer\Desktop\CleanupWiz)", "Last used time"),
};

// Burning Rom's recent files are blanked; the Wave Editor's are deleted.
inline constexpr Step kNeroHistory[] = {
    /*  1 */ Blank(R"(HKEY_CURRENT_USER\Software\Ahead\Nero - Burning Rom\General\OFDLastAudioDir)"),
    /*  2 */ Blank(R"(HKEY_CURRENT_USER\Software\Ahead\Nero - Burning Rom\General\OFDLastISODir)"),
    /*  3 */ Blank(R"(HKEY_CURRENT_USER\Software\Ahead\Nero - Burning Rom\General\OFDLastMP3Dir)"),
    /*  4 */ Blank(R"(HKEY_CURRENT_USER\Software\Ahead\Nero - Burning Rom\IsoDoc\VolumeLabelAutoTemplate)"),
    /*  5 */ Blank(R"(HKEY_CURRENT_USER\Software\Ahead\Nero - Burning Rom\IsoDoc\VolumeLabelISOTemplate)"),
    /*  6 */ Blank(R"(HKEY_CURRENT_USER\Software\Ahead\Nero - Burning Rom\IsoDoc\VolumeLabelJolietTemplate)"),
    /*  7 */ Blank(R"(HKEY_CURRENT_USER\Software\Ahead\Nero - Burning Rom\IsoDoc\VolumeLabelUDFTemplate)"),
    /*  8 */ Blank(R"(HKEY_CURRENT_USER\Software\Ahead\Nero - Burning Rom\Recent File List\File1)"),
    /*  9 */ Blank(R"(HKEY_CURRENT_USER\Software\Ahead\Nero - Burning Rom\Recent File List\File2)"),
    /* 10 */ Blank(R"(HKEY_CURRENT_USER\Software\Ahead\Nero - Burning Rom\Recent File List\File3)"),
    /* 11 */ Blank(R"(HKEY_CURRENT_USER\Software\Ahead\Nero - Burning Rom\Recent File List\File4)"),
    /* 12 */ Blank(R"(HKEY_CURRENT_USER\Software\Ahead\Nero - Burning Rom\SaveTrackOptions\LastSaveTrackDir)"),
    /* 13 */ Blank(R"(HKEY_CURRENT_USER\Software\Ahead\Nero - Burning Rom\SaveTrackOptions\Stdflist)"),
    /* 14 */ Blank(R"(HKEY_CURRENT_USER\Software\Ahead\Nero - Burning Rom\Settings\TrackSaveDir)"),
    /* 15 */ Blank(R"(HKEY_CURRENT_USER\Software\Ahead\Nero Wave Editor\Directories\Last)"),
    /* 16 */ Sweep(R"(Software\Ahead\Nero Wave Editor\Recent File List)"),
};

inline constexpr Step kPhotoshopVersionDir[] = {
    /* 1 */ Blank(R"(VisitedDirs\STARTUPIMAGEDIRECTORY)"),
};

inline constexpr Step kPhotoshopStartupDir[] = {
    /* 1 */ Blank(R"(HKEY_CURRENT_USER\Software\Adobe\Photoshop\7.0\VisitedDirs\STARTUPIMAGEDIRECTORY)"),
    /* 2 */ Blank(R"(HKEY_CURRENT_USER\Software\Adobe\Photoshop\8.0\VisitedDirs\STARTUPIMAGEDIRECTORY)"),
    /* 3 */ InEachSubkey(R"(Software\Adobe\Photoshop)", SubkeyChoice::kEvery, kPhotoshopVersionDir),
};
// clang-format on

}  // namespace scourix::steps
