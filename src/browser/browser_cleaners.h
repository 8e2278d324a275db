#pragma once

#include "primitives/context.h"

// The browser and file-system cleaners.
namespace scourix {

void CleanIECache(Context& ctx);

void CleanIECookies(Context& ctx);
void CleanWindowsCookies(Context& ctx);
void CleanTempFiles(Context& ctx);
void CleanWindowsTemp(Context& ctx);
void CleanRecentDocuments(Context& ctx);
void CleanWinampPlaylist(Context& ctx);

// Finds the Firefox profile folder once, when the window loads.
void FindFirefoxProfile(Context& ctx);
void CleanFirefoxCache(Context& ctx);
void CleanFirefoxHistory(Context& ctx);
void CleanFirefoxCookies(Context& ctx);

}  // namespace scourix
