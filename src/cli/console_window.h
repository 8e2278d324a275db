#pragma once

#include <array>
#include <string>
#include <vector>

#include "cli/text_sink.h"
#include "platform/run_window.h"

namespace scourix::cli {

// A scratch list kept in memory: the console has no list boxes.
class MemoryList : public platform::ListControl {
 public:
  void Clear() override { items_.clear(); }
  void AddItem(std::string_view text) override { items_.emplace_back(text); }
  [[nodiscard]] std::size_t Count() const override { return items_.size(); }
  [[nodiscard]] std::string Item(std::size_t index) const override { return items_.at(index); }

 private:
  std::vector<std::string> items_;
};

// The window as a step sees it, on a console: nothing to yield to and never closed; the label's
// lines are dropped (a long purge would print one per file), a message box goes to the error
// stream.
class ConsoleRunWindow : public platform::RunWindow {
 public:
  explicit ConsoleRunWindow(TextSink& err) : err_(err) {}

  void SetStatus(std::string_view /*caption*/) override {}
  void DoEvents() override {}
  [[nodiscard]] bool ended() const override { return false; }
  platform::ListControl& List(platform::ScratchList which) override {
    return lists_.at(static_cast<std::size_t>(which));
  }
  void ShowMessage(std::string_view text, std::string_view caption) override {
    err_ << caption << ": " << text << "\n";
  }

 private:
  TextSink& err_;
  std::array<MemoryList, 3> lists_;
};

}  // namespace scourix::cli
