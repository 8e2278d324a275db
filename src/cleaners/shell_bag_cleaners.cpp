#include "cleaners/cleaners.h"

namespace scourix {

void CleanShellNoRoamBagMRU(Context& /*ctx*/) {}
void CleanShellBagMRU(Context& /*ctx*/) {}

}  // namespace scourix
