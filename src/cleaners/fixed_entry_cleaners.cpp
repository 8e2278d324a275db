#include "cleaners/cleaners.h"

namespace scourix {

void CleanPaintRecent(Context& /*ctx*/) {}
void CleanWordPadRecent(Context& /*ctx*/) {}
void CleanWinRARRecent(Context& /*ctx*/) {}
void CleanVCRecent(Context& /*ctx*/) {}
void CleanWordRecent(Context& /*ctx*/) {}

}  // namespace scourix
