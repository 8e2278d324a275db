#pragma once

namespace scourix {

// A view on one open registry key.
class RegView {};

}  // namespace scourix
