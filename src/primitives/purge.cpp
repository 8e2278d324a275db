#include "primitives/purge.h"

namespace scourix {

platform::Status WipeAndDeleteFile(Context& /*ctx*/, std::string_view /*path*/) {
  return platform::kSuccess;
}

void PurgeFolder(Context& /*ctx*/, std::string_view /*path*/) {}

void PurgeFolderFiles(Context& /*ctx*/, std::string_view /*path*/) {}

}  // namespace scourix
