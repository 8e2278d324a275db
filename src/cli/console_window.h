#pragma once

#include <array>

#include "cli/text_sink.h"
#include "platform/memory_list.h"
#include "platform/run_window.h"

namespace scourix::cli {

// The window as a step sees it, on a console: nothing to yield to and never closed; the label's
// lines are dropped (a long purge would print one per file), a message box goes to the error
// stream.
class ConsoleRunWindow : public platform::RunWindow {
 public:
  explicit ConsoleRunWindow(TextSink& err) : err_(err) {}

  void SetStatus(std::string_view /*caption*/) override {}
  void DoEvents() override {}
  void DoEventsDuring(const std::function<void()>& work) override { work(); }
  [[nodiscard]] bool ended() const override { return false; }
  platform::ListControl& List(platform::ScratchList which) override {
    return lists_.at(static_cast<std::size_t>(which));
  }
  void ShowMessage(std::string_view text, std::string_view caption) override {
    err_ << caption << ": " << text << "\n";
  }

 private:
  TextSink& err_;
  std::array<platform::MemoryList, 3> lists_;
};

}  // namespace scourix::cli
