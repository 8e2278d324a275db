#include "cleaners/cleaners.h"

namespace scourix {

void CleanRegeditLastKey(Context& /*ctx*/) {}
void CleanCleanupWizard(Context& /*ctx*/) {}
void CleanNeroHistory(Context& /*ctx*/) {}
void CleanPhotoshopStartupDir(Context& /*ctx*/) {}

}  // namespace scourix
