#include "platform/registry_roots.h"

#include <array>

namespace scourix::platform {
namespace {

struct RootNames {
  RegKey key;
  std::string_view long_name;
  std::string_view short_name;
};

constexpr std::array<RootNames, 7> kRoots{{
    {kHkeyClassesRoot, "HKEY_CLASSES_ROOT", "HKCR"},
    {kHkeyCurrentUser, "HKEY_CURRENT_USER", "HKCU"},
    {kHkeyLocalMachine, "HKEY_LOCAL_MACHINE", "HKLM"},
    {kHkeyUsers, "HKEY_USERS", "HKU"},
    {0x80000004, "HKEY_PERFORMANCE_DATA", ""},
    {0x80000005, "HKEY_CURRENT_CONFIG", "HKCC"},
    {0x80000006, "HKEY_DYN_DATA", ""},
}};

bool SameAsciiNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 32) : a[i];
    char y = b[i] >= 'a' && b[i] <= 'z' ? static_cast<char>(b[i] - 32) : b[i];
    if (x != y)
      return false;
  }
  return true;
}

}  // namespace

std::optional<RegKey> RootFromName(std::string_view name) {
  if (name.empty())
    return std::nullopt;
  for (const RootNames& root : kRoots) {
    if (SameAsciiNoCase(name, root.long_name) ||
        (!root.short_name.empty() && SameAsciiNoCase(name, root.short_name))) {
      return root.key;
    }
  }
  return std::nullopt;
}

std::string_view RootName(RegKey root) {
  for (const RootNames& names : kRoots) {
    if (names.key == root)
      return names.long_name;
  }
  return {};
}

std::optional<RootedPath> SplitRootedPath(std::string_view path) {
  std::size_t slash = path.find('\\');
  std::optional<RegKey> root = RootFromName(path.substr(0, slash));
  if (!root)
    return std::nullopt;
  return RootedPath{*root,
                    slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1)};
}

}  // namespace scourix::platform
