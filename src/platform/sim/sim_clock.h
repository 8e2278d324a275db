#pragma once

#include <functional>
#include <string>

#include "platform/clock.h"

namespace scourix::sim {

// A clock that tests set. The short date defaults to the "M/D/YYYY" format.
class SimClock : public platform::Clock {
 public:
  platform::LocalTime Now() override { return now; }
  std::string ShortDate(const platform::LocalTime& time) override;
  std::uint32_t TickCount() override;

  platform::LocalTime now{2026, 12, 4, 9, 5, 0};
  // Formats the short date; replace it to model another user format.
  std::function<std::string(const platform::LocalTime&)> date_format;
  std::uint32_t tick = 1000;
  // Added to the tick after every reading, to model time passing during a run.
  std::uint32_t tick_step = 0;
};

}  // namespace scourix::sim
