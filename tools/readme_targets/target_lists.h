#pragma once

#include <string>

// The lists of targets that the end-to-end checks read, printed from the catalogue at test
// time so that a new target needs no hand-written line there.
namespace scourix::readme {

// One line per target in run order: "checked" or "unchecked", a tab, its status line.
std::string StatusLines();

// One line per target in run order: its caption, then a tab before each key (below
// HKEY_CURRENT_USER) that its steps act on; a target without steps has its caption only.
std::string CensusKeys();

}  // namespace scourix::readme
