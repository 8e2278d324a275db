#include "primitives/registry_primitives.h"

#include <optional>

#include "platform/registry_roots.h"

namespace scourix {
namespace {

// A full registry path split into its root, its key path and the value name after the last
// backslash (a path ending in a backslash names the key's default value).
struct ValuePath {
  platform::RegKey root = platform::kNoKey;
  std::string_view key;
  std::string_view name;
};

std::optional<ValuePath> ParseValuePath(std::string_view path) {
  auto rooted = platform::SplitRootedPath(path);
  if (!rooted)
    return std::nullopt;
  std::size_t slash = path.rfind('\\');
  if (slash == std::string_view::npos)
    return std::nullopt;  // a bare root names no value
  ValuePath parsed{rooted->root, rooted->rest, path.substr(slash + 1)};
  parsed.key = rooted->rest.substr(0, rooted->rest.size() - parsed.name.size());
  if (!parsed.key.empty())
    parsed.key.remove_suffix(1);  // the backslash before the name
  return parsed;
}

std::string UpToNull(std::string_view data) {
  return std::string(data.substr(0, data.find('\0')));
}

}  // namespace

void DeleteRegValue(Context& ctx,
                    std::uint32_t root,
                    std::string_view subkey,
                    std::string_view value_name) {
  platform::Registry& registry = ctx.platform.registry;
  platform::UniqueRegKey key;
  if (platform::OpenKey(registry, root, subkey, platform::kKeySetValue, &key) !=
      platform::kSuccess) {
    return;
  }
  (void)registry.DeleteValue(key.get(), value_name);
}

void DeleteListedRegValues(Context& ctx,
                           std::uint32_t root,
                           std::string_view subkey,
                           const platform::ListControl& names,
                           const std::function<bool(std::string_view)>& chosen) {
  const std::size_t count = names.Count();
  if (count == 0)
    return;
  platform::Registry& registry = ctx.platform.registry;
  platform::UniqueRegKey key;
  if (platform::OpenKey(registry, root, subkey, platform::kKeySetValue, &key) !=
      platform::kSuccess) {
    return;
  }
  for (std::size_t i = 0; i < count; ++i) {
    const std::string name = names.Item(i);
    if (chosen(name))
      (void)registry.DeleteValue(key.get(), name);
  }
}

// Written through the registry itself, not a script host: scripting hosts are disabled by
// policy on many machines, and a cleaner must not depend on one.
void BlankExistingValue(Context& ctx, std::string_view path) {
  std::optional<ValuePath> parsed = ParseValuePath(path);
  if (!parsed)
    return;
  platform::Registry& registry = ctx.platform.registry;
  platform::UniqueRegKey key;
  if (platform::OpenKey(registry, parsed->root, parsed->key,
                        platform::kKeyQueryValue | platform::kKeySetValue,
                        &key) != platform::kSuccess) {
    return;
  }
  platform::RegValue existing;
  if (registry.QueryValue(key.get(), parsed->name, &existing) != platform::kSuccess)
    return;
  constexpr std::uint8_t kEmpty[] = {0};
  (void)registry.SetValue(key.get(), parsed->name, platform::kRegSz, kEmpty, sizeof kEmpty);
}

std::string ShellRegRead(Context& ctx, std::string_view path) {
  std::optional<ValuePath> parsed = ParseValuePath(path);
  if (!parsed)
    return std::string();
  platform::Registry& registry = ctx.platform.registry;
  platform::UniqueRegKey key;
  if (platform::OpenKey(registry, parsed->root, parsed->key, platform::kKeyQueryValue, &key) !=
      platform::kSuccess) {
    return std::string();
  }
  platform::RegValue value;
  if (registry.QueryValue(key.get(), parsed->name, &value) != platform::kSuccess)
    return std::string();
  const std::string& data = value.data;
  switch (value.type) {
    case platform::kRegSz:
    case platform::kRegExpandSz:
      return UpToNull(data);
    case platform::kRegDword: {
      if (data.size() != 4)
        return std::string();
      std::uint32_t bits = 0;
      for (int i = 3; i >= 0; --i)
        bits = (bits << 8) | static_cast<unsigned char>(data[i]);
      // A 32-bit number reads as a signed one, as the script host gave it.
      return std::to_string(static_cast<std::int32_t>(bits));
    }
    default:
      return std::string();
  }
}

}  // namespace scourix
