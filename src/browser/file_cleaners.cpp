#include "browser/browser_cleaners.h"

namespace scourix {

void CleanIECookies(Context& /*ctx*/) {}
void CleanWindowsCookies(Context& /*ctx*/) {}
void CleanTempFiles(Context& /*ctx*/) {}
void CleanWindowsTemp(Context& /*ctx*/) {}
void CleanRecentDocuments(Context& /*ctx*/) {}
void CleanWinampPlaylist(Context& /*ctx*/) {}

}  // namespace scourix
