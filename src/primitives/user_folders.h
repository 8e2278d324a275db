#pragma once

#include <optional>
#include <string_view>

#include "platform/shell.h"
#include "primitives/context.h"
#include "primitives/named_folder.h"

namespace scourix {

// The shell-folder value and the known folder that name the kind of folder a step works in (the
// cache, the cookies, Recent): the step's folder is not judged against them where they name that
// folder itself, but a folder holding the one they name is refused.
struct OwnFolder {
  std::string_view value;
  std::optional<platform::KnownFolder> known;
};

// The checked folder is, or holds, one of the user's own folders (every folder the shell-folder
// values name, local application data, Recent, Cookies, Pictures, Music, Videos, Downloads), by its
// text, by where it leads or by its number on its volume: TEMP set by hand to the profile or
// AppData\Local, the cache value set to Pictures, or a trace folder made a link to one (under Wine
// a link into the Unix home; elsewhere a junction, a share) would empty them. Judged through the
// folder's own handle, so that a link put in its place after the named-folder check is judged where
// it leads. Roots, the Windows folder and the profile itself are refused by the named-folder check.
// The folder steps of purge.h ask this once that check has passed.
bool HoldsUserFolder(Context& ctx, const NamedFolder& folder, const OwnFolder& own = {});

}  // namespace scourix
