#include "app/activity_log.h"

#include "app/mdl_time.h"

namespace scourix {

std::string StampLine(const platform::LocalTime& time,
                      std::string_view short_date,
                      std::string_view message) {
  std::string line = "[" + std::to_string(time.hour) + ":" + GetMinutes(time) + " ";
  line += short_date;
  line += "] ";
  line += message;
  return line;
}

std::string LogFileName(const platform::LocalTime& time, std::string_view short_date) {
  // The format is the user's to set, so the date may hold anything: what a file name cannot
  // hold would make the name a path, and ".." would climb out of the program's folder.
  constexpr std::string_view kUnfit = "\\/:*?\"<>|";
  std::string date(short_date);
  for (char& c : date) {
    if (static_cast<unsigned char>(c) < 0x20 || kUnfit.find(c) != std::string_view::npos)
      c = '-';
  }
  for (std::size_t at = date.find(".."); at != std::string::npos; at = date.find("..", at))
    date.replace(at, 2, "-");
  // A last dot would make a ".." with the one of ".txt".
  while (!date.empty() && date.back() == '.')
    date.pop_back();
  return std::to_string(time.hour) + "." + GetMinutes(time) + " " + date + ".txt";
}

void ActivityLog::Open(std::string_view folder, std::string_view file_name) {
  // The program's folder unknown: the name alone would put the log at the drive's root.
  if (folder.empty())
    return;
  std::string path(folder);
  // A drive's root already ends in a backslash; doubling it names the same file, but a
  // clean path reads better in error reports and tests.
  if (path.empty() || path.back() != '\\')
    path += '\\';
  path += file_name;
  std::unique_ptr<platform::File> file;
  if (files_.OpenFile(path, platform::OpenMode::kAppend, &file) == platform::kSuccess) {
    file_ = std::move(file);
  }
}

void ActivityLog::WriteLine(std::string_view line) {
  if (!file_)
    return;
  std::string bytes = system_.ToAnsi(line);
  bytes += "\r\n";
  if (file_->Write(bytes) != platform::kSuccess) {
    // A full disk or a vanished folder: stop logging rather than fail every later line.
    file_.reset();
  }
}

void ActivityLog::Close() {
  if (file_)
    file_->Close();
  file_.reset();
}

}  // namespace scourix
