#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "app/activity_log.h"
#include "app/catalogue.h"
#include "app/context.h"
#include "app/mdl_time.h"
#include "platform/platform.h"
#include "platform/window.h"

namespace scourix {

class CURLHistory;

// The main window as the program sees it: the run, the log, start-up and shut-down. The real
// controls belong to the platform's MainWindow; the check boxes keep their own state there.
class FrmMain : public platform::WindowEvents {
 public:
  explicit FrmMain(platform::Platform& platform);
  ~FrmMain() override;
  FrmMain(const FrmMain&) = delete;
  FrmMain& operator=(const FrmMain&) = delete;
  FrmMain(FrmMain&&) = delete;
  FrmMain& operator=(FrmMain&&) = delete;

  // Start-up: Form_Initialize before the window exists, Form_Load once it is attached.
  void Form_Initialize();
  void AttachWindow(platform::MainWindow& window);
  void Form_Load();
  void Form_Unload();

  void cmdScour_Click();
  void cmdCheckAll_Click();

  // Stamps a line, shows it on lblStatus and appends it to the log file.
  void Log(std::string_view Data1);
  // Sets lblStatus directly: no stamp, nothing logged.
  void SetStatus(std::string_view caption);
  // Lets the window process its pending messages once.
  void DoEvents();

  platform::ListControl& lstKeys();
  platform::ListControl& lstValNames();
  platform::ListControl& lstValues();
  platform::MainWindow& window() { return *window_; }
  Context& context() { return ctx_; }

  // The URL history store wrapper: made by the first run that needs it, kept until the end.
  std::unique_ptr<CURLHistory> UrlHistory;

  bool running() const { return running_; }
  bool ended() const { return ended_; }

  // WindowEvents
  void OnScourClicked() override { cmdScour_Click(); }
  void OnCheckAllClicked() override { cmdCheckAll_Click(); }
  void OnClose() override { Form_Unload(); }

 private:
  platform::Platform& platform_;
  platform::MainWindow* window_ = nullptr;
  std::unique_ptr<CleanersState> cleaners_;
  std::unique_ptr<CacheState> cache_;
  Context ctx_;
  ActivityLog log_;
  RunTimer timer_;
  platform::ModuleHandle hShell32 = 0;
  bool running_ = false;
  bool ended_ = false;
};

}  // namespace scourix
