#include "cleaners/cleaners.h"

namespace scourix {

void CleanFlashRecent(Context& /*ctx*/) {}
void CleanAcrobatReader5Recent(Context& /*ctx*/) {}
void CleanAcrobatReader6Recent(Context& /*ctx*/) {}
void CleanAcrobatReader7Recent(Context& /*ctx*/) {}
void CleanAcrobatReader8Recent(Context& /*ctx*/) {}
void CleanImageReadyRecent(Context& /*ctx*/) {}

}  // namespace scourix
