#pragma once

#include <string>
#include <vector>

#include "platform/window.h"

namespace scourix::conformance {

// A list that keeps what it was given.
class RecordingList : public platform::ListControl {
 public:
  void Clear() override { items.clear(); }
  void AddItem(std::string_view text) override { items.emplace_back(text); }
  std::size_t Count() const override { return items.size(); }
  std::string Item(std::size_t index) const override { return items.at(index); }
  std::vector<std::string> items;
};

// A window that only records its status lines and message pumps.
class StatusWindow : public platform::MainWindow {
 public:
  void SetStatusText(std::string_view text) override { lines.emplace_back(text); }
  std::string StatusText() const override { return lines.empty() ? std::string() : lines.back(); }
  int BoxState(std::size_t) const override { return 0; }
  void SetBoxState(std::size_t, int) override {}
  platform::ListControl& List(platform::ScratchList) override { return list_; }
  void PumpMessages() override { ++pumps; }
  void ShowMessage(std::string_view, std::string_view) override {}
  void EndProgram() override {}

  std::vector<std::string> lines;
  int pumps = 0;

 private:
  RecordingList list_;
};

}  // namespace scourix::conformance
