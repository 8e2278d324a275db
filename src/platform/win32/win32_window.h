#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/memory_list.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"
#include "platform/window.h"
#include "platform/window_layout.h"

namespace scourix::win32 {

// The main window and its controls, placed as the layout says in twips at the screen's DPI.
class Win32Window : public platform::MainWindow {
 public:
  static constexpr const wchar_t* kClassName = L"ScourixMainWindow";

  Win32Window() = default;
  ~Win32Window() override = default;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  // Creates the window and its controls (hidden); false when the window system refuses.
  bool Create(HINSTANCE instance,
              const platform::WindowLayout& layout,
              platform::WindowEvents& events);
  void Show();
  // Runs the message loop until the program ends; returns the exit code.
  int RunMessageLoop();

  // MainWindow
  void SetStatusText(std::string_view text) override;
  std::string StatusText() const override;
  int BoxState(std::size_t box) const override;
  void SetBoxState(std::size_t box, int state) override;
  platform::ListControl& List(platform::ScratchList which) override;
  void PumpMessages() override;
  void ShowMessage(std::string_view text, std::string_view caption) override;
  void EndProgram() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void CreateControls(HINSTANCE instance, const platform::WindowLayout& layout);
  void AddBoxTips(HINSTANCE instance, const platform::WindowLayout& layout);
  HWND MakeControl(HINSTANCE instance,
                   const wchar_t* window_class,
                   std::string_view caption,
                   DWORD style,
                   const platform::TwipsRect& place,
                   int id);
  bool TranslateForDialog(MSG* message);

  UniqueBrush background_;
  UniqueFont font_;
  // The controls are the window's children and go with it.
  HWND status_ = nullptr;
  std::vector<HWND> boxes_;
  HWND tips_ = nullptr;  // owned by the window, and destroyed with it
  // The scratch lists. Nobody ever sees them, so they are no list boxes: Wine's list box
  // takes about 1 KiB of private memory an item, 19 MiB for a key of 10,000 values.
  std::array<platform::MemoryList, 3> lists_;
  int dpi_ = 96;
  platform::WindowEvents* events_ = nullptr;
  // Last, so that it is destroyed first: its final messages still reach Handle, and the font
  // and the brush outlive it.
  UniqueWindow window_;
};

}  // namespace scourix::win32
