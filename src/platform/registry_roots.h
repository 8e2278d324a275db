#pragma once

#include <optional>
#include <string_view>

#include "platform/registry.h"

namespace scourix::platform {

// The predefined root that a path's first level names: the long form ("HKEY_CURRENT_USER")
// or the short one ("HKCU"), in any letter case. nullopt for anything else.
std::optional<RegKey> RootFromName(std::string_view name);
// The long name of a predefined root; "" for any other key.
std::string_view RootName(RegKey root);

// A path split at its first backslash into the root and the rest ("" when there is none).
struct RootedPath {
  RegKey root = kNoKey;
  std::string_view rest;
};
std::optional<RootedPath> SplitRootedPath(std::string_view path);

}  // namespace scourix::platform
