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
  auto it = value_index.find(FoldRegName(value_name));
  return it == value_index.end() ? nullptr : &values[it->second];
}

void SimRegKey::PutValue(std::string_view value_name, std::uint32_t type, std::string data) {
  if (SimRegValue* value = FindValue(value_name)) {
    value->type = type;
    value->data = std::move(data);
    return;
  }
  value_index[FoldRegName(value_name)] = values.size();
  values.push_back(SimRegValue{std::string(value_name), type, std::move(data)});
}

bool SimRegKey::EraseValue(std::string_view value_name) {
  auto it = value_index.find(FoldRegName(value_name));
  if (it == value_index.end())
    return false;
  values.erase(values.begin() + static_cast<std::ptrdiff_t>(it->second));
  value_index.clear();
  for (std::size_t i = 0; i < values.size(); ++i)
    value_index[FoldRegName(values[i].name)] = i;
  return true;
}

std::shared_ptr<SimRegKey> SimRegKey::FindSubkey(std::string_view subkey_name) const {
  auto it = subkeys.find(FoldRegName(subkey_name));
  return it == subkeys.end() ? nullptr : it->second;
}

}  // namespace scourix::sim
