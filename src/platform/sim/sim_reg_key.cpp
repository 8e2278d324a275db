#include "platform/sim/sim_reg_key.h"

namespace scourix::sim {

std::string FoldRegName(std::string_view name) {
  std::string out(name);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

SimRegValue* SimRegKey::FindValue(std::string_view value_name) {
  std::string folded = FoldRegName(value_name);
  for (SimRegValue& value : values) {
    if (FoldRegName(value.name) == folded)
      return &value;
  }
  return nullptr;
}

std::shared_ptr<SimRegKey> SimRegKey::FindSubkey(std::string_view subkey_name) const {
  auto it = subkeys.find(FoldRegName(subkey_name));
  return it == subkeys.end() ? nullptr : it->second;
}

}  // namespace scourix::sim
