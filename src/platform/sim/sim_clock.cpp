#include "platform/sim/sim_clock.h"

namespace scourix::sim {

std::string SimClock::ShortDate(const platform::LocalTime& time) {
  if (date_format)
    return date_format(time);
  return std::to_string(time.month) + "/" + std::to_string(time.day) + "/" +
         std::to_string(time.year);
}

std::uint32_t SimClock::TickCount() {
  std::uint32_t reading = tick;
  tick += tick_step;
  return reading;
}

}  // namespace scourix::sim
