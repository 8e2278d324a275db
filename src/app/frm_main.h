#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "app/activity_log.h"
#include "app/catalogue.h"
#include "app/mdl_time.h"
#include "platform/platform.h"
#include "platform/run_window.h"
#include "platform/window.h"
#include "primitives/context.h"

namespace scourix {

// The main window as the program sees it: the run, the log, start-up and shut-down. The real
// controls belong to the platform's MainWindow; the check boxes keep their own state there.
class FrmMain : public platform::WindowEvents, public platform::RunWindow {
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
  // RunWindow: the scratch lists, the message box, and the label and the yield by time
  // slice: a step may report and yield once per item, but the label takes the latest line
  // and the window processes its messages once per slice (kSliceMs).
  void SetStatus(std::string_view caption) override;
  void DoEvents() override;
  void DoEventsDuring(const std::function<void()>& work) override;
  bool ended() const override { return ended_; }
  platform::ListControl& List(platform::ScratchList which) override;
  void ShowMessage(std::string_view text, std::string_view caption) override;

  platform::ListControl& lstKeys();
  platform::ListControl& lstValNames();
  platform::ListControl& lstValues();
  platform::MainWindow& window() { return *window_; }
  Context& context() { return ctx_; }

  bool running() const { return running_; }

  // Often enough for the label to be read ten times a second and for input to be answered
  // within a tenth of one, yet rare beside the cost of deleting a small file.
  static constexpr std::uint32_t kSliceMs = 50;

  // WindowEvents
  void OnScourClicked() override { cmdScour_Click(); }
  void OnCheckAllClicked() override { cmdCheckAll_Click(); }
  void OnClose() override { Form_Unload(); }

 private:
  bool SliceOver(std::uint32_t now) const;
  void ShowWaitingStatus();
  // Hands the waiting line to the label and lets the window process its messages.
  void HandOverSlice(std::uint32_t now);

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
  bool aside_ = false;  // work runs aside: a close ends the program once it is done
  std::string waiting_status_;
  bool status_waiting_ = false;
  bool yielded_ = false;
  std::uint32_t last_yield_ = 0;  // tick count of the last yield
};

}  // namespace scourix
