#include "app/mdl_time.h"

#include <cmath>

namespace scourix {

void RunTimer::StartTimer() {
  StartTick = static_cast<std::int32_t>(clock_.TickCount());
}

std::uint32_t RunTimer::StopTimer() {
  EndTick = static_cast<std::int32_t>(clock_.TickCount());
  return static_cast<std::uint32_t>(EndTick) - static_cast<std::uint32_t>(StartTick);
}

std::int32_t RoundedSeconds(std::uint32_t milliseconds) {
  // Half to even, whatever rounding mode the process runs in.
  double seconds = milliseconds / 1000.0;
  double floor = std::floor(seconds);
  double fraction = seconds - floor;
  auto whole = static_cast<std::int64_t>(floor);
  if (fraction > 0.5 || (fraction == 0.5 && whole % 2 != 0))
    ++whole;
  return static_cast<std::int32_t>(whole);
}

std::string GetMinutes(const platform::LocalTime& time) {
  std::string minutes = std::to_string(time.minute);
  if (minutes.size() == 1)
    minutes.insert(0, "0");
  return minutes;
}

}  // namespace scourix
