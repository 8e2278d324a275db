#include "cleaners/cleaners.h"

namespace scourix {

void CleanRecentDocsMRU(Context& /*ctx*/) {}
void CleanSearchMRU(Context& /*ctx*/) {}
void CleanComDlgMRU(Context& /*ctx*/) {}
void CleanStreams(Context& /*ctx*/) {}

}  // namespace scourix
