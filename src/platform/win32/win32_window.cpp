#include "platform/win32/win32_window.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "platform/win32/win32_text.h"

namespace scourix::win32 {
namespace {

using platform::TwipsToPixels;

constexpr int kScourId = 20;
constexpr int kCheckAllId = 21;
constexpr int kStatusId = 22;
constexpr int kBoxIdBase = 100;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kStatusGrey = RGB(64, 64, 64);

// The screen's dots per inch; the twips layout scales with it.
int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr)
    ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

bool Win32Window::Create(HINSTANCE instance,
                         const platform::WindowLayout& layout,
                         platform::WindowEvents& events) {
  events_ = &events;
  dpi_ = ScreenDpi();
  background_.reset(CreateSolidBrush(kWhite));

  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = &Win32Window::WindowProc;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  window_class.hIconSm = static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                 GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  window_class.hbrBackground = background_.get();
  window_class.lpszClassName = kClassName;
  if (RegisterClassExW(&window_class) == 0)
    return false;

  // A fixed layout: no resizing border and no maximise button.
  constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
  RECT frame{0, 0, TwipsToPixels(layout.client_width, dpi_),
             TwipsToPixels(layout.client_height, dpi_)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  int width = frame.right - frame.left;
  int height = frame.bottom - frame.top;
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  int left = work.left + std::max(0, static_cast<int>(work.right - work.left - width) / 2);
  int top = work.top + std::max(0, static_cast<int>(work.bottom - work.top - height) / 2);

  std::wstring caption = Utf8ToWide(layout.caption);
  // The window procedure takes the handle at WM_NCCREATE, before this call returns; a window
  // that fails later in its creation is already gone, so it is only forgotten.
  if (CreateWindowExW(kExStyle, kClassName, caption.c_str(), kStyle, left, top, width, height,
                      nullptr, nullptr, instance, this) == nullptr) {
    window_.release();
    return false;
  }

  // Verdana 8.25 points, normal weight, for every control.
  font_.reset(CreateFontW(-MulDiv(825, dpi_, 7200), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                          DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, L"Verdana"));
  CreateControls(instance, layout);
  return true;
}

HWND Win32Window::MakeControl(HINSTANCE instance,
                              const wchar_t* window_class,
                              std::string_view caption,
                              DWORD style,
                              const platform::TwipsRect& place,
                              int id) {
  std::wstring text = Utf8ToWide(caption);
  HWND control = CreateWindowExW(
      0, window_class, text.c_str(), WS_CHILD | style, TwipsToPixels(place.left, dpi_),
      TwipsToPixels(place.top, dpi_), TwipsToPixels(place.width, dpi_),
      TwipsToPixels(place.height, dpi_), window_.get(),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (control != nullptr)
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), 0);
  return control;
}

void Win32Window::CreateControls(HINSTANCE instance, const platform::WindowLayout& layout) {
  // The keyboard follows creation order, so every control is made in its tab order.
  std::vector<std::pair<int, std::function<void()>>> makers;
  boxes_.assign(layout.boxes.size(), nullptr);
  for (std::size_t i = 0; i < layout.boxes.size(); ++i) {
    const platform::BoxSpec& box = layout.boxes[i];
    makers.emplace_back(box.tab_index, [this, instance, &box, i] {
      boxes_[i] =
          MakeControl(instance, L"BUTTON", box.caption, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                      box.place, kBoxIdBase + static_cast<int>(i));
      SendMessageW(boxes_[i], BM_SETCHECK, box.default_state == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
    });
  }
  for (const platform::ControlSpec& control : layout.controls) {
    makers.emplace_back(control.tab_index, [this, instance, &control] {
      switch (control.kind) {
        case platform::ControlKind::kScratchList:
          break;  // kept in memory: lists_
        case platform::ControlKind::kScourButton:
        case platform::ControlKind::kCheckAllButton:
          MakeControl(instance, L"BUTTON", control.caption, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                      control.place,
                      control.kind == platform::ControlKind::kScourButton ? kScourId : kCheckAllId);
          break;
        case platform::ControlKind::kStatusLabel:
          status_ = MakeControl(instance, L"STATIC", control.caption,
                                WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, control.place,
                                kStatusId);
          break;
      }
    });
  }
  std::stable_sort(makers.begin(), makers.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (auto& maker : makers)
    maker.second();
  AddBoxTips(instance, layout);
}

void Win32Window::AddBoxTips(HINSTANCE instance, const platform::WindowLayout& layout) {
  tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                          WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, window_.get(), nullptr, instance, nullptr);
  if (tips_ == nullptr)
    return;  // the window works as before, without its tips
  // Long descriptions wrap at about half the window's width, and stay while the pointer rests.
  SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, TwipsToPixels(layout.client_width / 2, dpi_));
  SendMessageW(tips_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(32000, 0));
  for (std::size_t i = 0; i < layout.boxes.size() && i < boxes_.size(); ++i) {
    if (boxes_[i] == nullptr || layout.boxes[i].description.empty())
      continue;
    std::wstring text = Utf8ToWide(layout.boxes[i].description);
    TTTOOLINFOW tool{};
    // The size that every common-controls version since Internet Explorer 4 accepts.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_.get();
    tool.uId = reinterpret_cast<UINT_PTR>(boxes_[i]);
    tool.lpszText = text.data();
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void Win32Window::Show() {
  ShowWindow(window_.get(), SW_SHOWNORMAL);
  UpdateWindow(window_.get());
}

bool Win32Window::TranslateForDialog(MSG* message) {
  return window_ && IsDialogMessageW(window_.get(), message);
}

int Win32Window::RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (TranslateForDialog(&message))
      continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

void Win32Window::PumpMessages() {
  // The program calls this once per time slice (FrmMain::DoEvents), so every call drains.
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Leave it for the main loop.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (TranslateForDialog(&message))
      continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void Win32Window::SetStatusText(std::string_view text) {
  SetWindowTextW(status_, Utf8ToWide(text).c_str());
}

std::string Win32Window::StatusText() const {
  int length = GetWindowTextLengthW(status_);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  int copied = GetWindowTextW(status_, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return WideToUtf8(text);
}

int Win32Window::BoxState(std::size_t box) const {
  return static_cast<int>(SendMessageW(boxes_[box], BM_GETCHECK, 0, 0));
}

void Win32Window::SetBoxState(std::size_t box, int state) {
  SendMessageW(boxes_[box], BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

platform::ListControl& Win32Window::List(platform::ScratchList which) {
  return lists_[static_cast<std::size_t>(which)];
}

void Win32Window::ShowMessage(std::string_view text, std::string_view caption) {
  MessageBoxW(window_.get(), Utf8ToWide(text).c_str(), Utf8ToWide(caption).c_str(), MB_OK);
}

void Win32Window::EndProgram() {
  ExitProcess(0);
}

LRESULT CALLBACK Win32Window::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    auto* self = static_cast<Win32Window*>(create->lpCreateParams);
    self->window_.reset(window);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr)
    return DefWindowProcW(window, message, wparam, lparam);
  return self->Handle(message, wparam, lparam);
}

LRESULT Win32Window::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wparam) == BN_CLICKED) {
        if (LOWORD(wparam) == kScourId) {
          events_->OnScourClicked();
          return 0;
        }
        if (LOWORD(wparam) == kCheckAllId) {
          events_->OnCheckAllClicked();
          return 0;
        }
      }
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      HDC dc = reinterpret_cast<HDC>(wparam);
      SetBkColor(dc, kWhite);
      SetTextColor(dc, reinterpret_cast<HWND>(lparam) == status_ ? kStatusGrey : RGB(0, 0, 0));
      return reinterpret_cast<LRESULT>(background_.get());
    }
    case WM_CLOSE:
      events_->OnClose();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_.get(), message, wparam, lparam);
}

}  // namespace scourix::win32
