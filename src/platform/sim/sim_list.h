#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/window.h"

namespace scourix::sim {

// A list control without a screen: it keeps what it was given, for tests to read.
class SimList : public platform::ListControl {
 public:
  void Clear() override { items.clear(); }
  void AddItem(std::string_view text) override { items.emplace_back(text); }
  std::size_t Count() const override { return items.size(); }
  std::string Item(std::size_t index) const override { return items.at(index); }
  std::vector<std::string> items;
};

}  // namespace scourix::sim
