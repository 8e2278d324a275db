#include "primitives/registry_primitives.h"

namespace scourix {

void DeleteRegValue(Context& /*ctx*/,
                    std::uint32_t /*root*/,
                    std::string_view /*subkey*/,
                    std::string_view /*value_name*/) {}

void ShellRegWrite(Context& /*ctx*/, std::string_view /*path*/, std::string_view /*value*/) {}

std::string ShellRegRead(Context& /*ctx*/, std::string_view /*path*/) {
  return std::string();
}

std::int16_t IsNotWindows2000(Context& ctx) {
  return ShellRegRead(ctx,
                      "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\"
                      "ProductName") == "Microsoft Windows 2000"
             ? 0
             : 1;
}

}  // namespace scourix
