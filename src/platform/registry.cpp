#include "platform/registry.h"

#include <algorithm>

namespace scourix::platform {

Status DeliverKeyName(std::string_view key_name, char* name, std::uint32_t name_size) {
  if (name == nullptr)
    return kInvalidParameter;
  if (HoldsNull(key_name))
    return kInvalidName;
  if (name_size < key_name.size() + 1)
    return kMoreData;
  std::copy_n(key_name.data(), key_name.size(), name);
  name[key_name.size()] = '\0';
  return kSuccess;
}

bool HoldsNull(std::string_view name) {
  return name.find('\0') != std::string_view::npos;
}

}  // namespace scourix::platform
