#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/window.h"

namespace scourix::platform {

// A scratch list kept in the program's own memory, in the order items were added.
class MemoryList : public ListControl {
 public:
  void Clear() override { items_.clear(); }
  void AddItem(std::string_view text) override { items_.emplace_back(text); }
  [[nodiscard]] std::size_t Count() const override { return items_.size(); }
  [[nodiscard]] std::string Item(std::size_t index) const override { return items_.at(index); }

 private:
  std::vector<std::string> items_;
};

}  // namespace scourix::platform
