#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace scourix {

class Variant;

// A one-dimensional array with its first index, as a variant may hold it.
struct VariantArray {
  std::int32_t lower_bound = 0;
  std::vector<Variant> items;

  bool operator==(const VariantArray&) const;
};

// The loosely typed value that RegView::CreateValue writes and SortArrayAscending sorts:
// empty, null, a number, a text, or an array of these.
class Variant {
 public:
  struct Null {
    bool operator==(const Null&) const = default;
  };

  Variant() = default;  // empty
  Variant(Null) : value_(Null{}) {}
  Variant(double number) : value_(number) {}
  Variant(int number) : value_(static_cast<double>(number)) {}
  Variant(std::string text) : value_(std::move(text)) {}
  Variant(const char* text) : value_(std::string(text)) {}
  Variant(VariantArray array) : value_(std::move(array)) {}

  // An array indexed from 0.
  static Variant Array(std::vector<Variant> items) {
    return Variant(VariantArray{0, std::move(items)});
  }

  bool IsEmpty() const { return std::holds_alternative<std::monostate>(value_); }
  bool IsNull() const { return std::holds_alternative<Null>(value_); }
  bool IsNumber() const { return std::holds_alternative<double>(value_); }
  bool IsText() const { return std::holds_alternative<std::string>(value_); }
  bool IsArray() const { return std::holds_alternative<VariantArray>(value_); }

  double Number() const { return std::get<double>(value_); }
  const std::string& Text() const { return std::get<std::string>(value_); }
  const VariantArray& Array() const { return std::get<VariantArray>(value_); }

  bool operator==(const Variant& other) const { return value_ == other.value_; }

 private:
  std::variant<std::monostate, Null, double, std::string, VariantArray> value_;
};

inline bool VariantArray::operator==(const VariantArray& other) const {
  return lower_bound == other.lower_bound && items == other.items;
}

}  // namespace scourix
