#include "app/windows_history_step.h"

namespace scourix {

void WindowsHistoryStep(Context& /*ctx*/) {}

}  // namespace scourix
