#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace scourix::platform {

// An ordered list of strings with clear and append: what the registry listing fills. The
// window's scratch lists are never shown, and kept in memory (platform/memory_list.h).
class ListControl {
 public:
  virtual ~ListControl() = default;
  virtual void Clear() = 0;
  virtual void AddItem(std::string_view text) = 0;
  [[nodiscard]] virtual std::size_t Count() const = 0;
  [[nodiscard]] virtual std::string Item(std::size_t index) const = 0;
};

enum class ScratchList { kKeys, kValNames, kValues };

// What the window tells the program: the user's presses and the close.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  virtual void OnScourClicked() = 0;
  virtual void OnCheckAllClicked() = 0;
  virtual void OnClose() = 0;
};

// The main window as the program drives it. The check boxes keep their own state, so a box
// that the user changes while a run yields is read as it is when the run reaches it.
class MainWindow {
 public:
  virtual ~MainWindow() = default;
  virtual void SetStatusText(std::string_view text) = 0;
  [[nodiscard]] virtual std::string StatusText() const = 0;
  [[nodiscard]] virtual int BoxState(std::size_t box) const = 0;
  virtual void SetBoxState(std::size_t box, int state) = 0;
  virtual ListControl& List(ScratchList which) = 0;
  // Processes the pending window messages (repaint, input), then returns.
  virtual void PumpMessages() = 0;
  // An OK-only message box without an icon.
  virtual void ShowMessage(std::string_view text, std::string_view caption) = 0;
  // Ends the process at once (the user closed the window).
  virtual void EndProgram() = 0;
};

}  // namespace scourix::platform
