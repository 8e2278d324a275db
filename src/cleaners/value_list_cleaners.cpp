#include "cleaners/cleaners.h"

namespace scourix {

void CleanPowerPointRecent(Context& /*ctx*/) {}
void CleanExcelRecent(Context& /*ctx*/) {}
void CleanVBRecent(Context& /*ctx*/) {}
void CleanMediaPlayerRecent(Context& /*ctx*/) {}
void CleanRunMRU(Context& /*ctx*/) {}
void CleanTypedURLs(Context& /*ctx*/) {}
void CleanStreamMRU(Context& /*ctx*/) {}
void CleanWinZipRecent(Context& /*ctx*/) {}

}  // namespace scourix
