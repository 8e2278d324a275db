#pragma once

#include "platform/clock.h"

namespace scourix::win32 {

class Win32Clock : public platform::Clock {
 public:
  platform::LocalTime Now() override;
  std::string ShortDate(const platform::LocalTime& time) override;
  std::uint32_t TickCount() override;
};

}  // namespace scourix::win32
