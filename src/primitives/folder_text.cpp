#include "primitives/folder_text.h"

namespace scourix {
namespace {

constexpr std::string_view kLiteralPrefix = "\\\\?\\";
constexpr std::string_view kDevicePrefix = "\\\\.\\";
constexpr std::string_view kUncPrefix = "UNC\\";

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char Fold(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithFolded(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size())
    return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (Fold(text[i]) != Fold(prefix[i]))
      return false;
  }
  return true;
}

// A name Windows keeps as it is written, and one that names an entry of its own.
bool IsPlainComponent(std::string_view part) {
  if (part.empty() || part.back() == '.' || part.back() == ' ')
    return false;
  for (char c : part) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || std::string_view("*?:\"<>|/").find(c) != std::string_view::npos)
      return false;
  }
  return true;
}

// Whether test holds for every component between backslashes, empty ones included.
template <typename Test>
bool EveryComponent(std::string_view path, Test test) {
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string_view::npos)
      end = path.size();
    if (!test(path.substr(start, end - start)))
      return false;
    start = end + 1;
  }
  return true;
}

// Every component after the root is plain, and there is at least one.
bool ComponentsArePlain(std::string_view rest) {
  return !rest.empty() && EveryComponent(rest, IsPlainComponent);
}

}  // namespace

std::size_t RootLength(std::string_view path) {
  if (path.size() >= 3 && IsLetter(path[0]) && path[1] == ':' && path[2] == '\\')
    return 3;
  if (path.size() < 5 || path[0] != '\\' || path[1] != '\\')
    return 0;
  std::size_t server_end = path.find('\\', 2);
  if (server_end == std::string_view::npos || server_end == 2)
    return 0;
  std::size_t share_end = path.find('\\', server_end + 1);
  if (share_end == std::string_view::npos)
    share_end = path.size();
  if (share_end == server_end + 1)
    return 0;
  return share_end;
}

bool IsAbsolutePath(std::string_view path) {
  return RootLength(path) != 0;
}

bool IsOnAdministrativeShare(std::string_view path) {
  const std::size_t root = RootLength(path);
  if (root <= 3)
    return false;  // a drive, or no root at all
  const std::size_t share = path.find('\\', 2) + 1;
  const std::string_view name = path.substr(share, root - share);
  return (name.size() == 2 && IsLetter(name[0]) && name[1] == '$') ||
         (name.size() == 6 && StartsWithFolded(name, "ADMIN$"));
}

std::string FolderOf(std::string_view program_path) {
  std::size_t slash = program_path.find_last_of('\\');
  if (slash == std::string_view::npos)
    return std::string();
  std::string_view folder = program_path.substr(0, slash);
  if (folder.size() == 2 && folder[1] == ':')
    return std::string(folder) + "\\";
  return std::string(folder);
}

std::string PlainFolderText(std::string_view text) {
  std::string path;
  if (text.substr(0, kLiteralPrefix.size()) == kLiteralPrefix ||
      text.substr(0, kDevicePrefix.size()) == kDevicePrefix) {
    std::string_view rest = text.substr(kLiteralPrefix.size());
    if (StartsWithFolded(rest, kUncPrefix)) {
      path = "\\\\";
      path += rest.substr(kUncPrefix.size());
    } else if (rest.size() >= 2 && rest[1] == ':') {
      path = rest;
    } else {
      return std::string();  // a volume, a device or the object tree: not a folder path
    }
  } else {
    path = text;
  }
  if (path.size() > 1 && path.back() == '\\')
    path.pop_back();
  std::size_t root = RootLength(path);
  if (root == 0)
    return std::string();
  // The server and share names are components too.
  std::string_view all = path;
  if (root > 3) {
    std::string_view share = all.substr(2, root - 2);
    std::size_t slash = share.find('\\');
    if (!IsPlainComponent(share.substr(0, slash)) || !IsPlainComponent(share.substr(slash + 1)))
      return std::string();
  }
  std::string_view rest = all.substr(root);
  if (root > 3) {
    if (rest.empty() || rest.front() != '\\')
      return std::string();
    rest.remove_prefix(1);
  }
  if (!ComponentsArePlain(rest))
    return std::string();
  return path;
}

std::string LiteralPath(std::string_view plain) {
  std::string out(kLiteralPrefix);
  if (plain.substr(0, 2) == "\\\\") {
    out += kUncPrefix;
    out += plain.substr(2);
  } else {
    out += plain;
  }
  return out;
}

std::string WithoutLiteralPrefix(std::string_view path) {
  if (path.substr(0, kLiteralPrefix.size()) != kLiteralPrefix)
    return std::string(path);
  std::string_view rest = path.substr(kLiteralPrefix.size());
  if (StartsWithFolded(rest, kUncPrefix))
    return "\\\\" + std::string(rest.substr(kUncPrefix.size()));
  return std::string(rest);
}

bool IsSamePath(std::string_view a, std::string_view b) {
  return a.size() == b.size() && StartsWithFolded(a, b);
}

bool IsSameOrInside(std::string_view path, std::string_view folder) {
  while (folder.size() > 1 && folder.back() == '\\')
    folder.remove_suffix(1);
  if (!StartsWithFolded(path, folder))
    return false;
  return path.size() == folder.size() || path[folder.size()] == '\\' || folder.back() == '\\';
}

namespace {

std::string TrimComponents(std::string_view path) {
  std::string out;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string_view::npos)
      end = path.size();
    std::string_view part = path.substr(start, end - start);
    while (!part.empty() && (part.back() == '.' || part.back() == ' '))
      part.remove_suffix(1);
    if (start > 0)
      out += '\\';
    out += part;
    start = end + 1;
  }
  return out;
}

}  // namespace

bool IsSameEntry(std::string_view final_path, std::string_view path) {
  return IsSamePath(TrimComponents(final_path), TrimComponents(path));
}

bool HasNoTrimmedComponent(std::string_view path) {
  return EveryComponent(path, [](std::string_view part) {
    return part.empty() || (part.back() != '.' && part.back() != ' ');
  });
}

}  // namespace scourix
