// Feeds arbitrary short dates, as a user's date format could give them, to the builder of the
// log's file name. Whatever the date, the result must be one plain name in the program's
// folder: nothing that makes it a path or climbs out of the folder, and the ".txt" ending.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/activity_log.h"

namespace {

bool IsPlainLogName(std::string_view name) {
  if (name.size() < 4 || name.substr(name.size() - 4) != ".txt")
    return false;
  if (name.find("..") != std::string_view::npos)
    return false;
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 0x20 ||
        std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2)
    return 0;
  scourix::platform::LocalTime time{2026, 12, 4, data[0] % 24, data[1] % 60, 0};
  std::string_view date(reinterpret_cast<const char*>(data + 2), size - 2);
  if (!IsPlainLogName(scourix::LogFileName(time, date)))
    std::abort();
  return 0;
}
