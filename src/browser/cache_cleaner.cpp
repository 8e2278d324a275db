#include "browser/browser_cleaners.h"

namespace scourix {

void CleanIECache(Context& /*ctx*/) {}

}  // namespace scourix
