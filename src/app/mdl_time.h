#pragma once

#include <cstdint>
#include <string>

#include "platform/clock.h"

namespace scourix {

// The run timer (module mdlTime). Its readings stay between runs.
class RunTimer {
 public:
  explicit RunTimer(platform::Clock& clock) : clock_(clock) {}

  void StartTimer();
  // Elapsed milliseconds: the unsigned 32-bit difference of the two readings, so that a wrap
  // of the tick counter (every 49.7 days, or at 2^31 as a signed value) never overflows.
  std::uint32_t StopTimer();

  std::int32_t StartTick = 0;
  std::int32_t EndTick = 0;

 private:
  platform::Clock& clock_;
};

// Milliseconds to whole seconds, an exact half rounded to the even neighbour.
std::int32_t RoundedSeconds(std::uint32_t milliseconds);

// The minute as exactly two digits.
std::string GetMinutes(const platform::LocalTime& time);

}  // namespace scourix
