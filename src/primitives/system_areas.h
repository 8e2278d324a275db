#pragma once

#include "primitives/context.h"
#include "primitives/named_folder.h"

namespace scourix {

// The checked folder lies inside a place that holds the system's or other users' files and no
// trace of the user's: the Windows folder (but for its own Temp and Cookies), a Program Files
// folder, every user's application data and documents (ProgramData, Public), or another
// profile. A folder inside the user's own profile is the user's, even where that profile lies
// in the Windows folder, as the system account's does. TEMP or a cache value set there by a
// program running as the user would have a run with more rights (elevated, or scheduled)
// empty it. Judged by the folder's text and its final path. The folders themselves, and those
// holding them, the named-folder check refuses already.
bool LiesInSystemArea(Context& ctx, const NamedFolder& folder);

}  // namespace scourix
