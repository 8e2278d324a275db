#pragma once

#include "platform/url_cache.h"

namespace scourix::sim {

class SimUrlCache : public platform::UrlCache {};

}  // namespace scourix::sim
