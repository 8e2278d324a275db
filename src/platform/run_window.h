#pragma once

#include <functional>
#include <string_view>

#include "platform/window.h"

namespace scourix::platform {

// The window as a cleaning step sees it: the status label, one yield to the message loop, the
// hidden scratch lists, the one message box, and whether the user has closed it meanwhile.
class RunWindow {
 public:
  virtual ~RunWindow() = default;
  // Sets the label directly: no stamp, nothing logged.
  virtual void SetStatus(std::string_view caption) = 0;
  // Lets the window process its pending messages once.
  virtual void DoEvents() = 0;
  // Runs work, one call that holds its caller for long, while the window goes on processing
  // its messages. A close meanwhile ends the program only once work has ended.
  virtual void DoEventsDuring(const std::function<void()>& work) = 0;
  // The window was closed (during a yield); a step stops at once.
  [[nodiscard]] virtual bool ended() const = 0;
  virtual ListControl& List(ScratchList which) = 0;
  // An OK-only message box without an icon.
  virtual void ShowMessage(std::string_view text, std::string_view caption) = 0;
};

}  // namespace scourix::platform
