#pragma once

#include <cstdint>
#include <string>

namespace scourix::platform {

struct LocalTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Local time, the user's short date format and the millisecond tick counter.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() = 0;
  // The date as the user's short date format writes it (GetDateFormat, DATE_SHORTDATE), UTF-8.
  virtual std::string ShortDate(const LocalTime& time) = 0;
  // GetTickCount: milliseconds since system start, wrapping at 2^32.
  virtual std::uint32_t TickCount() = 0;
};

}  // namespace scourix::platform
