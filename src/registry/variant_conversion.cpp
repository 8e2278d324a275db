#include "registry/variant_conversion.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace scourix {
namespace {

std::string NumberText(double number) {
  if (number == std::floor(number) && std::fabs(number) < 1e15) {
    return std::to_string(static_cast<long long>(number));
  }
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.15G", number);
  std::string text(buffer);
  // "1E+020" style exponents from some C libraries lose their leading zeros.
  std::size_t e = text.find('E');
  if (e != std::string::npos) {
    std::size_t digits = e + 2;
    while (digits + 1 < text.size() && text[digits] == '0')
      text.erase(digits, 1);
  }
  return text;
}

std::optional<double> ParseNumber(const std::string& text) {
  std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos)
    return std::nullopt;
  const char* begin = text.c_str() + first;
  char* end = nullptr;
  errno = 0;
  double number = std::strtod(begin, &end);
  if (end == begin || errno == ERANGE || !std::isfinite(number))
    return std::nullopt;
  for (const char* p = end; *p != '\0'; ++p) {
    if (*p != ' ' && *p != '\t')
      return std::nullopt;
  }
  return number;
}

}  // namespace

std::optional<std::string> VariantText(const Variant& value) {
  if (value.IsEmpty() || value.IsNull())
    return std::string();
  if (value.IsNumber())
    return NumberText(value.Number());
  if (value.IsText())
    return value.Text();
  return std::nullopt;
}

LongConversion VariantToLong(const Variant& value, std::int32_t* out) {
  double number = 0;
  if (value.IsEmpty()) {
    number = 0;
  } else if (value.IsNumber()) {
    number = value.Number();
  } else if (value.IsText()) {
    std::optional<double> parsed = ParseNumber(value.Text());
    if (!parsed)
      return LongConversion::kTypeMismatch;
    number = *parsed;
  } else {
    return LongConversion::kTypeMismatch;
  }
  double rounded = std::nearbyint(number);  // the default rounding is half to even
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0))
    return LongConversion::kOverflow;
  *out = static_cast<std::int32_t>(rounded);
  return LongConversion::kOk;
}

}  // namespace scourix

namespace scourix {

std::optional<int> CompareVariants(const Variant& a, const Variant& b) {
  if (a.IsNull() || b.IsNull() || a.IsArray() || b.IsArray())
    return std::nullopt;
  bool a_text = a.IsText() || (a.IsEmpty() && b.IsText());
  bool b_text = b.IsText() || (b.IsEmpty() && a.IsText());
  if (a_text && b_text) {
    const std::string empty;
    int order = (a.IsText() ? a.Text() : empty).compare(b.IsText() ? b.Text() : empty);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
  }
  if (a_text)
    return 1;
  if (b_text)
    return -1;
  double x = a.IsNumber() ? a.Number() : 0;
  double y = b.IsNumber() ? b.Number() : 0;
  return x < y ? -1 : (x > y ? 1 : 0);
}

}  // namespace scourix
