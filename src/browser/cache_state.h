#pragma once

namespace scourix {

// Module state of the URL cache walk: lives for the whole process.
struct CacheState {};

}  // namespace scourix
