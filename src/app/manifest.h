#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace scourix {

// Writes the visual-styles manifest beside the program when it is missing and the system is
// of the NT 5.x family, then initialises the common controls. Never fails the start-up.
void CreateManifest(platform::Platform& platform);

// The running system's name: "Windows 95", "Windows 98", "Windows NT 3.51", "Windows NT 4.0",
// "Windows XP" (every NT 5.x), "Windows Vista" (every NT 6.x), "" for versions outside those,
// or "Failed" for an unknown platform id (also when the version cannot be read).
std::string GetOSName(platform::System& system);

// The 22-line manifest for this program, lines joined by CRLF, no line end after the last.
std::string GetManifestText();

// Where the loader looks for the manifest of the program at program_path.
std::string ManifestPath(std::string_view program_path);

}  // namespace scourix
