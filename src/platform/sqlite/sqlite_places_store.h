#pragma once

#include "platform/places_store.h"

namespace scourix::sqlite {

// The places database through the SQLite library, on whatever file system it was built for.
class SqlitePlacesStore : public platform::PlacesStore {
 public:
  platform::Status ClearHistory(std::string_view path) override;
  platform::Status CountHistory(std::string_view path, std::uint64_t* visits) override;
};

}  // namespace scourix::sqlite
