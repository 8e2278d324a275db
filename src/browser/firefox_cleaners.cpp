#include "browser/browser_cleaners.h"

namespace scourix {

void FindFirefoxProfile(Context& /*ctx*/) {}
void CleanFirefoxCache(Context& /*ctx*/) {}
void CleanFirefoxHistory(Context& /*ctx*/) {}
void CleanFirefoxCookies(Context& /*ctx*/) {}

}  // namespace scourix
