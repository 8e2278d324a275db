#include "platform/registry.h"

#include <algorithm>

namespace scourix::platform {

Status DeliverValue(std::uint32_t value_type,
                    std::string_view bytes,
                    std::uint32_t* type,
                    std::uint8_t* data,
                    std::uint32_t* size) {
  auto needed = static_cast<std::uint32_t>(bytes.size());
  if (data != nullptr && *size < needed) {
    *size = needed;
    if (type != nullptr)
      *type = value_type;
    return kMoreData;
  }
  if (data != nullptr)
    std::copy_n(bytes.data(), needed, data);
  if (size != nullptr)
    *size = needed;
  if (type != nullptr)
    *type = value_type;
  return kSuccess;
}

Status DeliverEnumValue(std::string_view value_name,
                        std::uint32_t value_type,
                        std::string_view bytes,
                        char* name,
                        std::uint32_t* name_size,
                        std::uint32_t* type,
                        std::uint8_t* data,
                        std::uint32_t* data_size) {
  if (name == nullptr || name_size == nullptr)
    return kInvalidParameter;
  if (data != nullptr && data_size == nullptr)
    return kInvalidParameter;
  auto data_length = static_cast<std::uint32_t>(bytes.size());
  bool data_fits = data == nullptr || *data_size >= data_length;
  bool name_fits = *name_size > value_name.size();
  if (type != nullptr)
    *type = value_type;
  if (data_size != nullptr)
    *data_size = data_length;
  if (!data_fits || !name_fits)
    return kMoreData;
  std::copy_n(value_name.data(), value_name.size(), name);
  name[value_name.size()] = '\0';
  *name_size = static_cast<std::uint32_t>(value_name.size());
  if (data != nullptr)
    std::copy_n(bytes.data(), data_length, data);
  return kSuccess;
}

Status DeliverKeyName(std::string_view key_name, char* name, std::uint32_t name_size) {
  if (name == nullptr)
    return kInvalidParameter;
  if (name_size < key_name.size() + 1)
    return kMoreData;
  std::copy_n(key_name.data(), key_name.size(), name);
  name[key_name.size()] = '\0';
  return kSuccess;
}

}  // namespace scourix::platform
