#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Folder paths judged by their text alone, as Windows will read them. Pure functions: the
// checks that need the machine (the system's own reading, links, protected folders) build on
// these in named_folder.h.
namespace scourix {

// Length of the root: "C:\" or "\\server\share"; 0 when the path has neither.
std::size_t RootLength(std::string_view path);
// True for a full path with a drive ("C:\...") or a share ("\\server\share\...").
bool IsAbsolutePath(std::string_view path);

// The path lies on a drive's or the Windows folder's administrative share (\\host\C$,
// \\host\ADMIN$): the same folders as C:\ or the Windows folder, by another name.
bool IsOnAdministrativeShare(std::string_view path);

// The folder of a program path, without a trailing backslash unless it is a drive's root.
std::string FolderOf(std::string_view program_path);

// The plain form of a folder path whose text is already the one Windows will act on: a full
// path strictly below a drive or share root, "\" its only separator, with no empty, "." or
// ".." component, no component ending in a dot or a space, and no character a name cannot
// hold (wildcards, ":", quotes, "<>|", control characters). A "\\?\" or "\\.\" prefix
// ("\\?\UNC\" for a share) is taken off and the rest judged the same way; one trailing "\"
// is dropped. Empty when the text is refused.
std::string PlainFolderText(std::string_view text);

// The "\\?\" form of a plain path, which Windows takes literally: "x." names "x.", not "x".
std::string LiteralPath(std::string_view plain);
// A plain path from a system answer that may carry "\\?\" or "\\?\UNC\".
std::string WithoutLiteralPrefix(std::string_view path);

// Case-insensitive (as Windows compares ASCII names): path is folder or lies below it.
bool IsSameOrInside(std::string_view path, std::string_view folder);
bool IsSamePath(std::string_view a, std::string_view b);

// Whether a handle's final path names the entry listed at path: compared case-insensitively
// and with trailing dots and spaces of each component folded, because Wine's final path drops
// them even for an entry that was opened by its literal name.
bool IsSameEntry(std::string_view final_path, std::string_view path);

// True when no component of the path ends in a dot or a space: the narrow functions would
// drop those and name another entry.
bool HasNoTrimmedComponent(std::string_view path);

}  // namespace scourix
