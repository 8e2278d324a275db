#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/window.h"
#include "primitives/context.h"

// Single-value registry operations for the cleaners. None reports anything; failures are
// swallowed, and a read that fails gives "".
namespace scourix {

// Deletes one value; an empty name is the key's default value. Opens the key for setting
// values only, the one right a deletion needs.
void DeleteRegValue(Context& ctx,
                    std::uint32_t root,
                    std::string_view subkey,
                    std::string_view value_name);
// Deletes each value named in the list that `chosen` takes, in the list's order, through one
// open of the key; a refused deletion is passed over.
void DeleteListedRegValues(Context& ctx,
                           std::uint32_t root,
                           std::string_view subkey,
                           const platform::ListControl& names,
                           const std::function<bool(std::string_view)>& chosen);
// Sets a value to an empty plain string by its full path ("HKEY_CURRENT_USER\...\name"),
// only where that value exists: a cleaner never leaves a new key or value behind.
void BlankExistingValue(Context& ctx, std::string_view path);
// Reads a value by its full path: strings as they are, 32-bit numbers as decimal text, ""
// for anything else and for any failure.
std::string ShellRegRead(Context& ctx, std::string_view path);

}  // namespace scourix
