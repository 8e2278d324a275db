#include "cleaners/cleaner_steps.h"
#include "cleaners/cleaner_tables.h"
#include "cleaners/cleaners.h"

// Single known traces of the registry editor, the desktop clean-up wizard, Nero and
// Photoshop. Every step runs, whatever the earlier ones found.
namespace scourix {

namespace {

// clang-format off
constexpr Step kRegeditLastKey[] = {
    /* 1 */ Delete(R"(Software\Microsoft\Windows\CurrentVersion\Applets\Regedit)", "LastKey"),
};

constexpr Step kCleanupWizard[] = {
    /* 1 */ Delete(R"(Software\Microsoft\Windows\CurrentVersion\Explorer\Desktop\CleanupWiz)", "Last used time"),
};

// Burning Rom's recent files are blanked; the Wave Editor's are deleted.
constexpr Step kNeroHistory[] = {
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

constexpr Step kPhotoshopStartupDir[] = {
    /* 1 */ Blank(R"(HKEY_CURRENT_USER\Software\Adobe\Photoshop\7.0\VisitedDirs\STARTUPIMAGEDIRECTORY)"),
    /* 2 */ Blank(R"(HKEY_CURRENT_USER\Software\Adobe\Photoshop\8.0\VisitedDirs\STARTUPIMAGEDIRECTORY)"),
};
// clang-format on

}  // namespace

void CleanRegeditLastKey(Context& ctx) {
  RunSteps(ctx, kRegeditLastKey);
}
void CleanCleanupWizard(Context& ctx) {
  RunSteps(ctx, kCleanupWizard);
}
void CleanNeroHistory(Context& ctx) {
  RunSteps(ctx, kNeroHistory);
}
void CleanPhotoshopStartupDir(Context& ctx) {
  RunSteps(ctx, kPhotoshopStartupDir);
}

namespace {

constexpr CleanerTable kTables[] = {
    {CleanRegeditLastKey, kRegeditLastKey},
    {CleanCleanupWizard, kCleanupWizard},
    {CleanNeroHistory, kNeroHistory},
    {CleanPhotoshopStartupDir, kPhotoshopStartupDir},
};

}  // namespace

std::span<const CleanerTable> AppSettingTables() {
  return kTables;
}

}  // namespace scourix
