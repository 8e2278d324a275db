#include "app/manifest.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "app/activity_log.h"
#include "primitives/folder_text.h"

namespace scourix {

namespace {

// Attributes of the written manifest: read-only, hidden, system and archive (39).
constexpr std::uint32_t kManifestAttributes = platform::kAttrReadOnly | platform::kAttrHidden |
                                              platform::kAttrSystem | platform::kAttrArchive;

bool EndsWithExe(std::string_view name) {
  if (name.size() < 4)
    return false;
  std::string tail(name.substr(name.size() - 4));
  std::transform(tail.begin(), tail.end(), tail.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return tail == ".exe";
}

// The processor architecture this program is built for, spelled as manifests spell it.
std::string_view ProgramArchitecture() {
  // The loader refuses a program whose manifest names another architecture, so the manifest
  // must name the one this file was built for.
#if defined(__x86_64__) || defined(_M_X64)
  return "amd64";
#elif defined(__aarch64__) || defined(_M_ARM64)
  return "arm64";
#else
  return "X86";
#endif
}

}  // namespace

std::string ManifestPath(std::string_view program_path) {
  std::string path = FolderOf(program_path);
  if (path.empty() || path.back() != '\\')
    path += '\\';
  std::size_t slash = program_path.find_last_of('\\');
  std::string_view file =
      slash == std::string_view::npos ? program_path : program_path.substr(slash + 1);
  std::string_view name = file.substr(0, std::min(file.find_last_of('.'), file.size()));
  path += name;
  path += EndsWithExe(name) ? ".manifest" : ".exe.manifest";
  return path;
}

std::string GetOSName(platform::System& system) {
  platform::OsVersion version;
  // An unread record stays zero, and platform id 0 names no known family.
  if (system.GetVersion(&version) != platform::kSuccess)
    version = platform::OsVersion{};
  switch (version.platform_id) {
    case 1:
      if (version.minor == 0)
        return "Windows 95";
      if (version.minor == 10)
        return "Windows 98";
      return "";
    case 2:
      switch (version.major) {
        case 3:
          return "Windows NT 3.51";
        case 4:
          return "Windows NT 4.0";
        case 5:
          return "Windows XP";
        case 6:
          return "Windows Vista";
        default:
          return "";
      }
    default:
      return "Failed";
  }
}

std::string GetManifestText() {
  const std::string arch = "processorArchitecture=\"" + std::string(ProgramArchitecture()) + "\"";
  const std::array<std::string, 22> lines = {
      R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)",
      R"(<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">)",
      "<assemblyIdentity",
      R"(version="1.0.0.0")",
      arch,
      R"(name="TandemDeskTools")",
      R"(type="win32")",
      "/>",
      "<description>XP Manifest</description>",
      "<dependency>",
      "<dependentAssembly>",
      "<assemblyIdentity",
      R"(type="win32")",
      R"(name="Microsoft.Windows.Common-Controls")",
      R"(version="6.0.0.0")",
      arch,
      R"(publicKeyToken="6595b64144ccf1df")",
      R"(language="*")",
      "/>",
      "</dependentAssembly>",
      "</dependency>",
      "</assembly>",
  };
  std::string text;
  for (const std::string& line : lines) {
    if (!text.empty())
      text += "\r\n";
    text += line;
  }
  return text;
}

void CreateManifest(platform::Platform& platform) {
  const std::string program = platform.system.ProgramPath();
  const std::string path = ManifestPath(program);
  std::uint32_t attributes = 0;
  // GetAttributes also sees the hidden, system, read-only manifest of an earlier start.
  bool exists = platform.files.GetAttributes(path, &attributes) == platform::kSuccess;
  // With the program's own path unknown, the path would name the drive's root.
  if (!program.empty() && !exists && GetOSName(platform.system) == "Windows XP") {
    std::unique_ptr<platform::File> file;
    if (platform.files.OpenFile(path, platform::OpenMode::kCreateAlways, &file) ==
        platform::kSuccess) {
      bool written = file->Write(GetManifestText() + "\r\n") == platform::kSuccess;
      written = file->Close() == platform::kSuccess && written;
      if (written) {
        (void)platform.files.SetAttributes(path, kManifestAttributes);
      } else {
        // A cut-off manifest would stop the program from starting at all on the next start,
        // and, being there, would never be rewritten: better none.
        (void)platform.files.DeleteFileWide(path, true);
      }
    }
  }
  platform.system.InitCommonControls();
}

}  // namespace scourix
