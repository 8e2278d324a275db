#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "primitives/context.h"

// The shared steps of the registry cleaners. Each one lists through the window's scratch lists
// first, closes the key, and only then deletes, so a deletion never disturbs an enumeration.
// Each returns whether its key was opened: the cleaner's later steps depend on it. Every path
// is below HKEY_CURRENT_USER.
namespace scourix {

class RegView;

// The view shared by the registry cleaners and the Firefox profile lookup; made on first use
// and kept until the program ends.
RegView& UseCleanerRegView(Context& ctx);

// Deletes every value of `key` (never a subkey).
bool SweepKeyValues(Context& ctx, std::string_view key);

// Deletes the values of `key` named "Item N" or "Item Metadata N" (N a decimal number): the
// entries of an Office list, not its settings such as "Max Display".
bool SweepItemValues(Context& ctx, std::string_view key);
// True for such a name.
bool IsItemValueName(std::string_view name);

// The names of the direct subkeys of `key`, copied out of the scratch list so that steps run
// inside each can use the list again.
bool ListSubkeys(Context& ctx, std::string_view key, std::vector<std::string>* names);

enum class SweptSubkeys { kKept, kDeleted };

// Sweeps the values of each direct subkey of `parent` (one level only) and, when asked,
// deletes each subkey that could be opened. A subkey whose name is exactly `pass_over`
// (same case) is left alone; "" passes over nothing, as a key name is never empty.
bool SweepSubkeys(Context& ctx,
                  std::string_view parent,
                  SweptSubkeys swept,
                  std::string_view pass_over = {});

// Deletes each direct subkey of `key`, addressed as `prefix` followed by its name. The
// platform refuses a subkey that has subkeys of its own, so that one stays whole.
bool PruneSubkeys(Context& ctx, std::string_view key, std::string_view prefix);

}  // namespace scourix
