#include "registry/value_rendering.h"

#include <vector>

#include "platform/registry.h"

namespace scourix {
namespace {

// Element indexes and binary lengths are 16-bit counts: larger data does not render.
constexpr std::size_t kMaxCount = 32767;

// Drops the last character of UTF-8 text (a whole sequence, not one byte of it).
std::string DropLastCharacter(std::string_view text) {
  std::size_t end = text.size() - 1;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
    --end;
  return std::string(text.substr(0, end));
}

RenderedValue SplitMultiString(std::string_view data) {
  std::vector<std::string> strings;
  while (!data.empty()) {
    std::size_t null = data.find('\0');
    if (null == std::string_view::npos || strings.size() > kMaxCount) {
      return RenderedValue(std::string());
    }
    strings.emplace_back(data.substr(0, null));
    data.remove_prefix(null + 1);
  }
  return RenderedValue(std::move(strings));
}

}  // namespace

std::string HexPairs(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 3);
  for (char c : bytes) {
    auto byte = static_cast<unsigned char>(c);
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0x0F];
    out += ' ';
  }
  return out;
}

RenderedValue RenderValueData(std::uint32_t type, std::string_view data, bool raw_binary) {
  switch (type) {
    case platform::kRegSz:
    case platform::kRegExpandSz:
      if (data.empty())
        return RenderedValue(std::string());
      return RenderedValue(DropLastCharacter(data));
    case platform::kRegBinary:
    case platform::kRegDword:
      if (data.size() > kMaxCount)
        return RenderedValue(std::string());
      return RenderedValue(raw_binary ? std::string(data) : HexPairs(data));
    case platform::kRegDwordBigEndian:
      return RenderedValue(std::string(data));
    case platform::kRegMultiSz:
      return SplitMultiString(data);
    case platform::kRegNone:
      return RenderedValue(std::string("Not defined value_type=REG_NONE"));
    case platform::kRegLink:
      return RenderedValue(std::string("Not defined value_type=REG_LINK"));
    case platform::kRegResourceList:
      return RenderedValue(std::string("Not defined value_type=REG_RESOURCE_LIST"));
    case platform::kRegFullResourceDescriptor:
      return RenderedValue(std::string("Not defined value_type=REG_FULL_RESOURCE_DESCRIPTOR"));
    case platform::kRegResourceRequirementsList:
      return RenderedValue(std::string("Not defined value_type=REG_RESOURCE_REQUIREMENTS_LIST"));
    default:
      // The type is a signed 32-bit number to the view.
      return RenderedValue("value_type=" + std::to_string(static_cast<std::int32_t>(type)));
  }
}

std::string JoinMultiString(const RenderedValue& strings) {
  std::vector<std::string> items = strings.List();
  if (!items.empty() && items.back().empty())
    items.pop_back();
  std::string out;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0)
      out += ' ';
    out += items[i];
  }
  return out;
}

}  // namespace scourix
