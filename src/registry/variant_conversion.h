#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "registry/variant.h"

namespace scourix {

// A variant as text: Empty and Null as "", numbers as their shortest decimal form (up to 15
// significant digits, "1E+20" beyond). nullopt for an array.
std::optional<std::string> VariantText(const Variant& value);

enum class LongConversion { kOk, kTypeMismatch, kOverflow };

// A variant as a 32-bit signed number, rounded half to even; text must read as a number.
LongConversion VariantToLong(const Variant& value, std::int32_t* out);

}  // namespace scourix

namespace scourix {

// The ordering of variant values: numbers by value, texts by character code, a number before
// any text, Empty as 0 or "". <0, 0 or >0; nullopt where the comparison is an error (Null, an
// array).
std::optional<int> CompareVariants(const Variant& a, const Variant& b);

}  // namespace scourix
