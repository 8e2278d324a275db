#pragma once

#include <string>
#include <variant>
#include <vector>

namespace scourix {

// What RegView::GetValue gives back, in three kinds that callers must tell apart: nothing (a
// missing value, or no key open), a text (string data, hexadecimal byte pairs, raw bytes or a
// fixed failure text), or the strings of a REG_MULTI_SZ value.
class RenderedValue {
 public:
  RenderedValue() = default;  // nothing
  explicit RenderedValue(std::string text) : value_(std::move(text)) {}
  explicit RenderedValue(std::vector<std::string> strings) : value_(std::move(strings)) {}

  bool IsNothing() const { return std::holds_alternative<std::monostate>(value_); }
  bool IsText() const { return std::holds_alternative<std::string>(value_); }
  bool IsList() const { return std::holds_alternative<std::vector<std::string>>(value_); }

  // The text; "" unless IsText().
  const std::string& Text() const;
  // The strings; empty unless IsList().
  const std::vector<std::string>& List() const;

  bool operator==(const RenderedValue&) const = default;

 private:
  std::variant<std::monostate, std::string, std::vector<std::string>> value_;
};

}  // namespace scourix
