#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/text_sink.h"
#include "platform/win32/win32_machine.h"
#include "platform/win32/windows_api.h"

namespace {

// One of the process's standard handles, lines ended as Windows ends them.
class HandleSink : public scourix::cli::TextSink {
 public:
  explicit HandleSink(DWORD which) : handle_(GetStdHandle(which)) {}
  void Write(std::string_view text) override {
    // Started without a standard handle (detached, as a scheduler may): nothing to lose.
    if (handle_ == nullptr || handle_ == INVALID_HANDLE_VALUE)
      return;
    std::string lines;
    for (char c : text) {
      if (c == '\n')
        lines += '\r';
      lines += c;
    }
    DWORD written = 0;
    if (!WriteFile(handle_, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr) ||
        written != lines.size()) {
      whole_ = false;
    }
  }
  bool whole() const override { return whole_; }

 private:
  HANDLE handle_;
  bool whole_ = true;
};

}  // namespace

// scourix-cli: the console front end, over the same core and back-end as the window.
int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  scourix::win32::Win32Machine machine;
  HandleSink out(STD_OUTPUT_HANDLE);
  HandleSink err(STD_ERROR_HANDLE);
  return scourix::cli::RunCommandLine(args, machine.platform, out, err);
}
