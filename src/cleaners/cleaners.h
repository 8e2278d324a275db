#pragma once

#include "app/context.h"

// The registry trace cleaners. Each takes nothing from the run, reports nothing and never
// yields.
namespace scourix {

// Fixed recent-file entries.
void CleanPaintRecent(Context& ctx);
void CleanWordPadRecent(Context& ctx);
void CleanWinRARRecent(Context& ctx);
void CleanVCRecent(Context& ctx);
void CleanWordRecent(Context& ctx);

// Value-list MRU keys.
void CleanPowerPointRecent(Context& ctx);
void CleanExcelRecent(Context& ctx);
void CleanVBRecent(Context& ctx);
void CleanMediaPlayerRecent(Context& ctx);
void CleanRunMRU(Context& ctx);
void CleanTypedURLs(Context& ctx);
void CleanStreamMRU(Context& ctx);
void CleanWinZipRecent(Context& ctx);

// Nested MRU keys.
void CleanRecentDocsMRU(Context& ctx);
void CleanSearchMRU(Context& ctx);
void CleanComDlgMRU(Context& ctx);
void CleanStreams(Context& ctx);

// Shell bag MRU keys.
void CleanShellNoRoamBagMRU(Context& ctx);
void CleanShellBagMRU(Context& ctx);

// Flash, Acrobat Reader and ImageReady.
void CleanFlashRecent(Context& ctx);
void CleanAcrobatReader5Recent(Context& ctx);
void CleanAcrobatReader6Recent(Context& ctx);
void CleanAcrobatReader7Recent(Context& ctx);
void CleanAcrobatReader8Recent(Context& ctx);
void CleanImageReadyRecent(Context& ctx);

// Regedit, Clean Up Wizard, Nero and Photoshop.
void CleanRegeditLastKey(Context& ctx);
void CleanCleanupWizard(Context& ctx);
void CleanNeroHistory(Context& ctx);
void CleanPhotoshopStartupDir(Context& ctx);

}  // namespace scourix
