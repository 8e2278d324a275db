#include "app/manifest.h"

namespace scourix {

void CreateManifest(platform::Platform& platform) {
  platform.system.InitCommonControls();
}

}  // namespace scourix
