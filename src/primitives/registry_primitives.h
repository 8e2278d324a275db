#pragma once

#include <cstdint>
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
// Deletes each value named in the list, in its order, through one open of the key; a refused
// deletion is passed over.
void DeleteListedRegValues(Context& ctx,
                           std::uint32_t root,
                           std::string_view subkey,
                           const platform::ListControl& names);
// Writes a plain string value by its full path ("HKEY_CURRENT_USER\...\name"), creating
// missing keys.
void ShellRegWrite(Context& ctx, std::string_view path, std::string_view value);
// Reads a value by its full path: strings as they are, 32-bit numbers as decimal text, ""
// for anything else and for any failure.
std::string ShellRegRead(Context& ctx, std::string_view path);
// 0 only when the product name reads exactly "Microsoft Windows 2000"; otherwise 1.
std::int16_t IsNotWindows2000(Context& ctx);

}  // namespace scourix
