#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace scourix::sim {

// Registry names compare without letter case, as the platform folds them: to upper case
// (so "_" sorts after the letters). Only ASCII letters are folded here.
std::string FoldRegName(std::string_view name);

struct SimRegValue {
  std::string name;  // as stored, with its case
  std::uint32_t type = 0;
  std::string data;  // the bytes

  bool operator==(const SimRegValue&) const = default;
};

// One key: its name with its case, its subkeys by folded name (so enumerated sorted without
// case), its values in the order they were first set.
struct SimRegKey {
  std::string name;
  std::string path;  // full path from the root's long name, with the case of creation
  std::map<std::string, std::shared_ptr<SimRegKey>> subkeys;  // by folded name
  std::vector<SimRegValue> values;
  std::map<std::string, std::size_t> value_index;  // folded name -> position in values
  bool deleted = false;
  std::uint32_t denied_access = 0;  // access bits that an open or create of this key is refused
  // Made as a symbolic link: refused where named last, followed on the way to a key below it.
  bool link = false;
  std::string link_target;  // rooted, "HKCU\\Software\\..."

  SimRegValue* FindValue(std::string_view value_name);
  // Sets a value, keeping its place (and the case of its name) when it exists.
  void PutValue(std::string_view value_name, std::uint32_t type, std::string data);
  bool EraseValue(std::string_view value_name);
  std::shared_ptr<SimRegKey> FindSubkey(std::string_view subkey_name) const;
};

}  // namespace scourix::sim
