#include "app/frm_main.h"
#include "app/main_window_layout.h"
#include "platform/win32/win32_machine.h"
#include "platform/win32/win32_window.h"
#include "platform/win32/windows_api.h"

int WINAPI WinMain(HINSTANCE instance,
                   HINSTANCE /*previous*/,
                   LPSTR /*command_line*/,
                   int /*show*/) {
  scourix::win32::Win32Machine machine;
  scourix::FrmMain frm(machine.platform);
  frm.Form_Initialize();
  scourix::win32::Win32Window window;
  if (!window.Create(instance, scourix::MainWindowLayout(), frm))
    return 1;
  frm.AttachWindow(window);
  frm.Form_Load();
  window.Show();
  return window.RunMessageLoop();
}
