#pragma once

#include <optional>
#include <string_view>

#include "platform/shell.h"
#include "primitives/context.h"

namespace scourix {

// The folder is, or holds, one of the user's own folders (every folder the shell-folder
// values name, local application data, Recent, Cookies), by its text, by where it leads or by
// its number on its volume: TEMP set by hand to the profile or AppData\Local, the cache value
// set to Pictures, or a trace folder made a link to one (under Wine a link into the Unix home;
// elsewhere a junction, a share) would empty them. `own` is the value that names the folder
// judged, and `own_known` the known folder it is, neither judged against itself. Roots, the
// Windows folder and the profile itself are refused by the named-folder check.
bool HoldsUserFolder(Context& ctx,
                     std::string_view text,
                     std::string_view own = {},
                     std::optional<platform::KnownFolder> own_known = std::nullopt);

}  // namespace scourix
