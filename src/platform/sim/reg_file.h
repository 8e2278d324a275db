#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/sim/sim_registry.h"

namespace scourix::sim {

// The registry editor's export format, so that test set-ups read like what a Windows user
// exports: "Windows Registry Editor Version 5.00" (UTF-16LE with its mark, or UTF-8) and
// "REGEDIT4", with keys ([path], [-path] to remove), string, dword, hex and hex(n) values
// and "-" to remove a value.
struct RegFileError {
  std::size_t line = 0;  // 1-based; 0 for the header
  std::string message;
};

// Applies the text to the registry. Malformed text stops at the first bad line with false;
// what came before it stays applied.
bool LoadRegText(SimRegistry& registry, std::string_view text, RegFileError* error = nullptr);
// Reads a file of the host's disk (a test fixture) and applies it.
bool LoadRegFile(SimRegistry& registry,
                 const std::string& host_path,
                 RegFileError* error = nullptr);
// The key at path and everything below it, in the version 5 format (as UTF-8 text, CRLF).
std::string SaveRegText(const SimRegistry& registry, std::string_view path);

}  // namespace scourix::sim
