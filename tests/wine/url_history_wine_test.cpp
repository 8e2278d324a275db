#include <cstdio>
#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "app/windows_history_step.h"
#include "browser/cache_state.h"
#include "browser/url_history.h"
#include "conformance/status_window.h"
#include "platform/win32/win32_machine.h"

namespace scourix {
namespace {

// Wine's CUrlHistory answers "not implemented" where Windows has a store; either way the step
// goes through, and a wrapper exists exactly when the store could be read.
TEST(UrlHistoryOnWine, TheStepSurvivesTheStoreWhateverItAnswers) {
  win32::Win32Machine machine;
  bool readable = true;
  try {
    CURLHistory probe(machine.url_history);
    probe.Clear();
  } catch (const UrlHistoryError& e) {
    readable = false;
    std::printf("history store: 0x%08lx\n", static_cast<unsigned long>(e.code()));
  }
  FrmMain frm(machine.platform);
  conformance::StatusWindow window;
  frm.AttachWindow(window);
  WindowsHistoryStep(frm.context());
  EXPECT_EQ(frm.context().cache.UrlHistory != nullptr, readable);
  frm.context().cache.UrlHistory.reset();  // released before COM goes with the machine
}

}  // namespace
}  // namespace scourix
