#include "app/frm_main.h"

#include "app/manifest.h"
#include "app/scour_run.h"
#include "browser/browser_cleaners.h"
#include "browser/cache_state.h"
#include "browser/url_history.h"
#include "primitives/cleaners_state.h"
#include "primitives/folder_text.h"

namespace scourix {

FrmMain::FrmMain(platform::Platform& platform)
    : platform_(platform),
      cleaners_(std::make_unique<CleanersState>()),
      cache_(std::make_unique<CacheState>()),
      ctx_{platform, *this, *cleaners_, *cache_},
      log_(platform.files, platform.system),
      timer_(platform.clock) {}

FrmMain::~FrmMain() = default;

void FrmMain::Form_Initialize() {
  hShell32 = platform_.system.LoadDll("shell32.dll");
  CreateManifest(platform_);
}

void FrmMain::AttachWindow(platform::MainWindow& window) {
  window_ = &window;
}

void FrmMain::Form_Load() {
  FindFirefoxProfile(ctx_);
  platform::LocalTime now = platform_.clock.Now();
  log_.Open(FolderOf(platform_.system.ProgramPath()),
            LogFileName(now, platform_.clock.ShortDate(now)));
  Log("Scourix Initialized.");
}

void FrmMain::Form_Unload() {
  if (ended_)
    return;
  Log("Scourix Decommissioned.");
  log_.Close();
  if (hShell32 != 0)
    platform_.system.FreeDll(hShell32);
  hShell32 = 0;
  ended_ = true;
  // Ends the process at once, also in the middle of a run; but not in the middle of work
  // that must end in one piece (a database's transaction).
  if (!aside_)
    window_->EndProgram();
}

void FrmMain::cmdCheckAll_Click() {
  for (std::size_t i = 0; i < Targets().size(); ++i)
    window_->SetBoxState(i, 1);
}

void FrmMain::cmdScour_Click() {
  // The button stays enabled and the run yields, so a second press can arrive mid-run; it
  // must not start a nested run over the shared scratch lists and cache walk.
  if (running_ || ended_)
    return;
  running_ = true;
  const ScourDriver driver{
      [this](std::size_t box) { return window_->BoxState(box) == 1; },
      [this](std::string_view line) { Log(line); },
      {},
      // Each target's own yield is taken whatever the slice: the new status line shows, and
      // a press made meanwhile is answered before the target's work begins.
      [this] { HandOverSlice(platform_.clock.TickCount()); },
  };
  if (!ScourTargets(ctx_, timer_, driver))
    return;
  running_ = false;
}

void FrmMain::Log(std::string_view Data1) {
  platform::LocalTime now = platform_.clock.Now();
  std::string line = StampLine(now, platform_.clock.ShortDate(now), Data1);
  if (window_ != nullptr) {
    // A line logged is shown at once, and no older step line may cover it later.
    status_waiting_ = false;
    window_->SetStatusText(line);
  }
  log_.WriteLine(line);
}

void FrmMain::SetStatus(std::string_view caption) {
  waiting_status_.assign(caption);
  status_waiting_ = true;
  // Once a slice is over the label takes the line at once: a step may work on a while before
  // it yields, or not yield after this line at all.
  if (SliceOver(platform_.clock.TickCount()))
    ShowWaitingStatus();
}

void FrmMain::DoEvents() {
  const std::uint32_t now = platform_.clock.TickCount();
  if (SliceOver(now))
    HandOverSlice(now);
}

void FrmMain::DoEventsDuring(const std::function<void()>& work) {
  const bool open = !ended_;
  aside_ = true;
  platform_.system.RunAside(work, [this] { HandOverSlice(platform_.clock.TickCount()); });
  aside_ = false;
  if (open && ended_)
    window_->EndProgram();
}

bool FrmMain::SliceOver(std::uint32_t now) const {
  return !yielded_ || now - last_yield_ >= kSliceMs;
}

void FrmMain::ShowWaitingStatus() {
  if (!status_waiting_)
    return;
  status_waiting_ = false;
  window_->SetStatusText(waiting_status_);
}

void FrmMain::HandOverSlice(std::uint32_t now) {
  yielded_ = true;
  last_yield_ = now;
  ShowWaitingStatus();
  window_->PumpMessages();
}

platform::ListControl& FrmMain::List(platform::ScratchList which) {
  return window_->List(which);
}
platform::ListControl& FrmMain::lstKeys() {
  return List(platform::ScratchList::kKeys);
}
platform::ListControl& FrmMain::lstValNames() {
  return List(platform::ScratchList::kValNames);
}
platform::ListControl& FrmMain::lstValues() {
  return List(platform::ScratchList::kValues);
}

void FrmMain::ShowMessage(std::string_view text, std::string_view caption) {
  window_->ShowMessage(text, caption);
}

}  // namespace scourix
