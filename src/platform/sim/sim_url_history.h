#pragma once

#include "platform/url_history.h"

namespace scourix::sim {

class SimUrlHistory : public platform::UrlHistoryStore {};

}  // namespace scourix::sim
