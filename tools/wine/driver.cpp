// Drives a running scourix.exe from outside by window messages, as a user's clicks would,
// and prints what the window shows. Usage: driver.exe step [step...], where a step is
//   wait[:copies]         wait (up to 60 s) for the main window, or for that many copies' windows
//   boxes                 print "state<TAB>caption" for every check box, in tab order
//   layout                print every control: class, caption, visible, rectangle (pixels)
//   check:<caption>       set a box; uncheck:<caption> clears it
//   press:<caption>       click a push button (posted, so a long run does not block us)
//   scour[:seconds]       press "Scour" and wait until the label reads "Finished in ..."
//   timed-scour:<seconds>:<ms>  the same, reading the label every <ms> ms, then print
//                         "scour_s=<seconds from the press to the line>"
//   until:<text>[:seconds] wait until the label contains <text>, then print the label
//   status                print the status label
//   close                 close the window and wait for the program to end
//   sleep:<ms>
//   key:tab | key:space   post a key press to the control that has the keyboard focus
//   focus                 print the caption of the control that has the keyboard focus
// Exit code 0 when every step succeeded.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"

namespace {

HWND g_main = nullptr;

using scourix::win32::Utf8ToWide;
using scourix::win32::WideToUtf8;

// WM_GETTEXT with a timeout, so a hung program fails the step instead of the whole test.
std::wstring TextOf(HWND window) {
  wchar_t buffer[1024] = {};
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer),
                           SMTO_ABORTIFHUNG, 5000, &result)) {
    return L"<no answer>";
  }
  return buffer;
}

std::wstring ClassOf(HWND window) {
  wchar_t buffer[64] = {};
  GetClassNameW(window, buffer, 64);
  return buffer;
}

std::vector<HWND> Children() {
  std::vector<HWND> children;
  for (HWND child = GetWindow(g_main, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

bool IsCheckBox(HWND window) {
  return _wcsicmp(ClassOf(window).c_str(), L"Button") == 0 &&
         (GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX;
}

HWND FindChild(const std::wstring& caption) {
  for (HWND child : Children()) {
    if (TextOf(child) == caption)
      return child;
  }
  std::fprintf(stderr, "driver: no control with caption \"%s\"\n", WideToUtf8(caption).c_str());
  return nullptr;
}

HWND StatusLabel() {
  for (HWND child : Children()) {
    if (_wcsicmp(ClassOf(child).c_str(), L"Static") == 0)
      return child;
  }
  return nullptr;
}

int ShownMainWindows() {
  int shown = 0;
  for (HWND window = FindWindowExW(nullptr, nullptr, L"ScourixMainWindow", nullptr);
       window != nullptr; window = FindWindowExW(nullptr, window, L"ScourixMainWindow", nullptr)) {
    shown += IsWindowVisible(window) ? 1 : 0;
  }
  return shown;
}

// The later steps act on the first main window found.
bool Wait(int copies) {
  for (int i = 0; i < 600; ++i) {
    g_main = FindWindowW(L"ScourixMainWindow", nullptr);
    if (g_main != nullptr && IsWindowVisible(g_main) && ShownMainWindows() >= copies)
      return true;
    Sleep(100);
  }
  std::fprintf(stderr, "driver: %d main window(s) did not appear\n", copies);
  return false;
}

// Polls the label until it contains `text`; prints the label that did.
bool UntilLabel(const std::wstring& text, int seconds, int poll_ms = 10) {
  HWND status = StatusLabel();
  if (status == nullptr) {
    std::fprintf(stderr, "driver: the window has no status label\n");
    return false;
  }
  for (int i = 0; i < seconds * 1000 / poll_ms; ++i) {
    std::wstring label = TextOf(status);
    if (label.find(text) != std::wstring::npos) {
      std::printf("%s\n", WideToUtf8(label).c_str());
      return true;
    }
    Sleep(static_cast<DWORD>(poll_ms));
  }
  std::fprintf(stderr, "driver: the label never showed \"%s\"; label: %s\n",
               WideToUtf8(text).c_str(), WideToUtf8(TextOf(status)).c_str());
  return false;
}

bool Scour(int seconds, int poll_ms = 10) {
  HWND scour = FindChild(L"Scour");
  if (scour == nullptr)
    return false;
  PostMessageW(scour, BM_CLICK, 0, 0);
  return UntilLabel(L"Finished in ", seconds, poll_ms);
}

// The whole run as a user waits for it, for the benchmark.
bool TimedScour(int seconds, int poll_ms) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  if (!Scour(seconds, poll_ms))
    return false;
  QueryPerformanceCounter(&end);
  std::printf("scour_s=%.3f\n", static_cast<double>(end.QuadPart - start.QuadPart) /
                                    static_cast<double>(frequency.QuadPart));
  return true;
}

bool Close() {
  DWORD process_id = 0;
  GetWindowThreadProcessId(g_main, &process_id);
  scourix::win32::UniqueKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, process_id));
  PostMessageW(g_main, WM_CLOSE, 0, 0);
  if (!process)
    return true;
  DWORD waited = WaitForSingleObject(process.get(), 30000);
  if (waited != WAIT_OBJECT_0)
    std::fprintf(stderr, "driver: the program did not end\n");
  return waited == WAIT_OBJECT_0;
}

void Layout() {
  for (HWND child : Children()) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, g_main, reinterpret_cast<POINT*>(&rect), 2);
    std::printf("%s\t%s\t%d\t%ld,%ld,%ld,%ld\n", WideToUtf8(ClassOf(child)).c_str(),
                WideToUtf8(TextOf(child)).c_str(), IsWindowVisible(child) ? 1 : 0, rect.left,
                rect.top, rect.right - rect.left, rect.bottom - rect.top);
  }
  RECT client;
  GetClientRect(g_main, &client);
  std::printf("client\t%s\t1\t0,0,%ld,%ld\n", WideToUtf8(TextOf(g_main)).c_str(), client.right,
              client.bottom);
}

HWND Focused() {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  DWORD thread = GetWindowThreadProcessId(g_main, nullptr);
  if (!GetGUIThreadInfo(thread, &info))
    return nullptr;
  return info.hwndFocus;
}

// A key goes to the focused control as the keyboard would send it, down then up; the program's
// dialog-style message loop does the rest (Tab moves the focus, Space toggles a box). The step
// ends once the key has taken effect (or after 5 s): a fixed pause is too short on a loaded
// machine, and a message sent to ask would be answered before the posted key is handled.
bool Key(const std::string& name) {
  WPARAM key = name == "tab" ? VK_TAB : name == "space" ? VK_SPACE : 0;
  if (key == 0) {
    std::fprintf(stderr, "driver: unknown key %s\n", name.c_str());
    return false;
  }
  HWND target = Focused();
  if (target == nullptr)
    target = g_main;
  auto effect = [&] {
    return key == VK_TAB ? reinterpret_cast<LRESULT>(Focused())
                         : SendMessageW(target, BM_GETCHECK, 0, 0);
  };
  LRESULT before = effect();
  UINT scan = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
  PostMessageW(target, WM_KEYDOWN, key, 1 | (scan << 16));
  if (key == VK_SPACE)
    PostMessageW(target, WM_CHAR, L' ', 1 | (scan << 16));
  PostMessageW(target, WM_KEYUP, key, 1 | (scan << 16) | (1u << 30) | (1u << 31));
  for (int i = 0; i < 500 && effect() == before; ++i)
    Sleep(10);
  Sleep(20);  // the key-up
  return true;
}

bool Step(const std::string& step) {
  std::string name = step.substr(0, step.find(':'));
  std::string argument = step.find(':') == std::string::npos ? "" : step.substr(step.find(':') + 1);
  if (name == "wait")
    return Wait(argument.empty() ? 1 : std::stoi(argument));
  if (g_main == nullptr && !Wait(1))
    return false;
  if (name == "boxes") {
    for (HWND child : Children()) {
      if (!IsCheckBox(child))
        continue;
      LRESULT state = SendMessageW(child, BM_GETCHECK, 0, 0);
      std::printf("%d\t%s\n", static_cast<int>(state), WideToUtf8(TextOf(child)).c_str());
    }
    return true;
  }
  if (name == "layout") {
    Layout();
    return true;
  }
  if (name == "check" || name == "uncheck") {
    HWND box = FindChild(Utf8ToWide(argument));
    if (box == nullptr)
      return false;
    SendMessageW(box, BM_SETCHECK, name == "check" ? BST_CHECKED : BST_UNCHECKED, 0);
    return true;
  }
  if (name == "press") {
    HWND button = FindChild(Utf8ToWide(argument));
    if (button == nullptr)
      return false;
    PostMessageW(button, BM_CLICK, 0, 0);
    return true;
  }
  if (name == "scour")
    return Scour(argument.empty() ? 120 : std::stoi(argument));
  if (name == "timed-scour") {
    std::size_t colon = argument.find(':');
    if (colon == std::string::npos) {
      std::fprintf(stderr, "driver: timed-scour needs <seconds>:<ms>\n");
      return false;
    }
    return TimedScour(std::stoi(argument.substr(0, colon)), std::stoi(argument.substr(colon + 1)));
  }
  if (name == "until") {
    // A trailing ":<digits>" is the timeout; the text itself may hold colons ("C:\").
    std::size_t colon = argument.find_last_of(':');
    int seconds = 120;
    if (colon != std::string::npos && colon + 1 < argument.size() &&
        argument.find_first_not_of("0123456789", colon + 1) == std::string::npos) {
      seconds = std::stoi(argument.substr(colon + 1));
      argument.resize(colon);
    }
    return UntilLabel(Utf8ToWide(argument), seconds);
  }
  if (name == "status") {
    HWND status = StatusLabel();
    std::printf("%s\n", status != nullptr ? WideToUtf8(TextOf(status)).c_str() : "");
    return status != nullptr;
  }
  if (name == "close")
    return Close();
  if (name == "key")
    return Key(argument);
  if (name == "focus") {
    HWND focused = Focused();
    std::printf("%s\n", focused != nullptr ? WideToUtf8(TextOf(focused)).c_str() : "<none>");
    return true;
  }
  if (name == "sleep") {
    Sleep(static_cast<DWORD>(std::stoi(argument)));
    return true;
  }
  std::fprintf(stderr, "driver: unknown step %s\n", step.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (!Step(argv[i])) {
      std::fprintf(stderr, "driver: step %s failed\n", argv[i]);
      return 1;
    }
    std::fflush(stdout);
  }
  return 0;
}
