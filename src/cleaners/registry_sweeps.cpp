#include "cleaners/registry_sweeps.h"

#include <memory>
#include <string>

#include "primitives/cleaners_state.h"
#include "primitives/registry_primitives.h"
#include "registry/reg_view.h"

namespace scourix {

namespace {

constexpr platform::RegKey kRoot = platform::kHkeyCurrentUser;

// Opens `key` on the shared view and lets `list` fill the scratch lists, then closes the key.
// False when the key could not be opened; the lists are then left as they were.
template <typename ListInto>
bool ListKey(Context& ctx, std::string_view key, ListInto list) {
  RegView& view = UseCleanerRegView(ctx);
  if (view.OpenRegistry(kRoot, key) != -1)
    return false;
  list(view);
  view.CloseRegistry();
  return true;
}

// Deletes the listed values of `key` that `chosen` takes.
template <typename Chosen>
bool SweepValuesWhere(Context& ctx, std::string_view key, Chosen chosen) {
  platform::ListControl& names = ctx.window.List(platform::ScratchList::kValNames);
  if (!ListKey(ctx, key, [&](RegView& view) {
        view.GetAllValues2(names, ctx.window.List(platform::ScratchList::kValues));
      }))
    return false;
  DeleteListedRegValues(ctx, kRoot, key, names, chosen);
  return true;
}

bool IsNumber(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

RegView& UseCleanerRegView(Context& ctx) {
  if (!ctx.cleaners.CleanerRegView) {
    ctx.cleaners.CleanerRegView = std::make_unique<RegView>(ctx.platform.registry, ctx.window);
  }
  return *ctx.cleaners.CleanerRegView;
}

bool SweepKeyValues(Context& ctx, std::string_view key) {
  return SweepValuesWhere(ctx, key, [](std::string_view) { return true; });
}

bool IsItemValueName(std::string_view name) {
  for (std::string_view stem : {std::string_view("Item "), std::string_view("Item Metadata ")}) {
    if (name.starts_with(stem) && IsNumber(name.substr(stem.size())))
      return true;
  }
  return false;
}

bool SweepItemValues(Context& ctx, std::string_view key) {
  return SweepValuesWhere(ctx, key, IsItemValueName);
}

bool ListSubkeys(Context& ctx, std::string_view key, std::vector<std::string>* names) {
  platform::ListControl& keys = ctx.window.List(platform::ScratchList::kKeys);
  if (!ListKey(ctx, key, [&](RegView& view) { view.GetAllSubDirectories2(keys); }))
    return false;
  names->clear();
  for (std::size_t j = 0; j < keys.Count(); ++j)
    names->push_back(keys.Item(j));
  return true;
}

bool SweepSubkeys(Context& ctx,
                  std::string_view parent,
                  SweptSubkeys swept,
                  std::string_view pass_over) {
  platform::ListControl& keys = ctx.window.List(platform::ScratchList::kKeys);
  if (!ListKey(ctx, parent, [&](RegView& view) { view.GetAllSubDirectories2(keys); }))
    return false;
  // The value sweeps refill only the value lists, so lstKeys holds the walk throughout.
  const std::size_t count = keys.Count();
  for (std::size_t j = 0; j < count; ++j) {
    const std::string name = keys.Item(j);
    if (!pass_over.empty() && name == pass_over)
      continue;
    const std::string subkey = std::string(parent) + "\\" + name;
    if (!SweepKeyValues(ctx, subkey))
      continue;  // a subkey we cannot open is not deleted
    if (swept == SweptSubkeys::kDeleted) {
      // Refused when the subkey has subkeys of its own; it then stays, emptied of its values.
      (void)ctx.platform.registry.DeleteKey(kRoot, subkey);
    }
  }
  return true;
}

bool PruneSubkeys(Context& ctx, std::string_view key, std::string_view prefix) {
  platform::ListControl& keys = ctx.window.List(platform::ScratchList::kKeys);
  if (!ListKey(ctx, key, [&](RegView& view) { view.GetAllSubDirectories2(keys); }))
    return false;
  const std::size_t count = keys.Count();
  for (std::size_t j = 0; j < count; ++j) {
    // The platform refuses a subkey with subkeys of its own, which keeps that branch whole.
    (void)ctx.platform.registry.DeleteKey(kRoot, std::string(prefix) + keys.Item(j));
  }
  return true;
}

}  // namespace scourix
