#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/system.h"

namespace scourix {

// "[H:MM date] message": hour unpadded, minute two digits.
std::string StampLine(const platform::LocalTime& time,
                      std::string_view short_date,
                      std::string_view message);

// "H.MM date.txt", always one plain name: in the date, control characters, \ / : * ? " < > |
// and each ".." become "-", and trailing dots go.
std::string LogFileName(const platform::LocalTime& time, std::string_view short_date);

// The log file of one program start: CRLF lines in the ANSI code page. A log that cannot be
// created or written is dropped quietly; the window goes on working without it.
class ActivityLog {
 public:
  ActivityLog(platform::FileSystem& files, platform::System& system)
      : files_(files), system_(system) {}

  // Opens (or, when two starts fall in one minute, appends to) the file of that name.
  void Open(std::string_view folder, std::string_view file_name);
  void WriteLine(std::string_view line);
  void Close();
  bool is_open() const { return file_ != nullptr; }

 private:
  platform::FileSystem& files_;
  platform::System& system_;
  std::unique_ptr<platform::File> file_;
};

}  // namespace scourix
