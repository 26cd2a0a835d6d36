#include "ui/Form.h"

#include <algorithm>

#include "ui/CrashReport.h"
#include "ui/Timer.h"
#include "ui/WindowedControl.h"

TFormWindow::TFormWindow(std::u16string name, const TFormStyle& style)
    : TForm(nullptr, std::move(name)),
      TLayoutNode(nullptr, {0, 0, style.ClientWidth96, style.ClientHeight96}),
      FStyle(style),
      FBackground(static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH))) {
  WindowProc = [this](TMessage& message) { DefaultWindowProc(message); };
}

TFormWindow::~TFormWindow() {
  if (FHandle == nullptr) return;
  // The derived form is gone already: its handlers must not see the window's last messages.
  ::SetWindowLongPtrW(FHandle, GWLP_USERDATA, 0);
  TLayoutNode::ForgetHandles();
  ::DestroyWindow(FHandle);
}

void TFormWindow::DestroyHandle() {
  if (FHandle != nullptr) ::DestroyWindow(FHandle);
}

void TFormWindow::DestroyAdopted(TComponent* component) {
  std::erase_if(FAdopted, [component](const std::unique_ptr<TComponent>& kept) { return kept.get() == component; });
}

bool TFormWindow::CreateWindowAndControls() {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = &TFormWindow::StaticWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hIcon = ::LoadIconW(instance, L"MAINICON");
  windowClass.hbrBackground = FBackground;
  windowClass.lpszClassName = FStyle.ClassName;
  if (::RegisterClassExW(&windowClass) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

  // Created at no size; the real size follows from the DPI of the monitor it lands on.
  ::CreateWindowExW(FStyle.ExStyle | WS_EX_CONTROLPARENT, FStyle.ClassName, AsWide(FCaption), FStyle.Style,
                    CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, this);
  if (FHandle == nullptr) return false;
  ApplyDpi(nullptr);
  TLayoutNode::CreateHandles();
  TLayoutNode::Realize();
  for (TTimer* timer : FTimers) timer->HandleWindowChanged();
  return true;
}

UINT TFormWindow::Dpi() const {
  if (FHandle == nullptr) return 96;
  return FAnnouncedDpi != 0 ? FAnnouncedDpi : ::GetDpiForWindow(FHandle);
}

HFONT TFormWindow::FontFor(const TFontDescription& description) {
  const UINT dpi = Dpi();
  for (const auto& cached : FFonts) {
    if (cached.Dpi == dpi && cached.Description == description) return cached.Font.Get();
  }
  FFonts.push_back({description, dpi, CreateFontFor(description, dpi)});
  return FFonts.back().Font.Get();
}

void TFormWindow::SetCaption(std::u16string_view caption) {
  FCaption = caption;
  if (FHandle != nullptr) ::SetWindowTextW(FHandle, AsWide(FCaption));
}

void TFormWindow::RegisterTimer(TTimer* timer) {
  FTimers.push_back(timer);
}

void TFormWindow::UnregisterTimer(TTimer* timer) {
  std::erase(FTimers, timer);
}

void TFormWindow::ApplyDpi(const RECT* suggested) {
  const UINT dpi = Dpi();
  if (suggested != nullptr) {
    ::SetWindowPos(FHandle, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // The client area is exact at every DPI, whatever the suggested rectangle rounds to.
  RECT frame{0, 0, ScaleToDpi(FStyle.ClientWidth96, dpi), ScaleToDpi(FStyle.ClientHeight96, dpi)};
  ::AdjustWindowRectExForDpi(&frame, FStyle.Style, FALSE, FStyle.ExStyle | WS_EX_CONTROLPARENT, dpi);
  ::SetWindowPos(FHandle, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TFormWindow::HandleControlMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_COMMAND: {
      TWindowedControl* control = TWindowedControl::FromHandle(reinterpret_cast<HWND>(message.LParam));
      if (control == nullptr) return false;
      control->HandleCommand(HIWORD(message.WParam));
      message.Result = 0;
      return true;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
      TWindowedControl* control = TWindowedControl::FromHandle(header->hwndFrom);
      return control != nullptr && control->HandleNotify(*header, message.Result);
    }
    case WM_SETCURSOR: {
      const TWindowedControl* control = TWindowedControl::FromHandle(reinterpret_cast<HWND>(message.WParam));
      const HCURSOR cursor = control != nullptr ? control->Cursor() : nullptr;
      if (cursor == nullptr || LOWORD(message.LParam) != HTCLIENT) return false;
      ::SetCursor(cursor);
      message.Result = TRUE;
      return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT: {
      TWindowedControl* control = TWindowedControl::FromHandle(reinterpret_cast<HWND>(message.LParam));
      if (control == nullptr) return false;
      const auto dc = reinterpret_cast<HDC>(message.WParam);
      ::SetTextColor(dc, control->Enabled() ? control->FontColor() : ::GetSysColor(COLOR_GRAYTEXT));
      ::SetBkColor(dc, RGB(255, 255, 255));
      message.Result = reinterpret_cast<LRESULT>(FBackground);
      return true;
    }
    default:
      return false;
  }
}

void TFormWindow::DefaultWindowProc(TMessage& message) {
  switch (message.Msg) {
    case WM_TIMER:
      for (TTimer* timer : FTimers) {
        if (timer->TimerId() == message.WParam && timer->OnTimer) {
          timer->OnTimer(*timer);
          message.Result = 0;
          return;
        }
      }
      break;
    case WM_DPICHANGED: {
      if (const UINT announced = LOWORD(message.WParam); announced != 0) FAnnouncedDpi = announced;
      ApplyDpi(reinterpret_cast<const RECT*>(message.LParam));
      TLayoutNode::Realize();
      // Every control has its font for the new DPI now; the old ones can go.
      const UINT dpi = Dpi();
      std::erase_if(FFonts, [dpi](const TCachedFont& cached) { return cached.Dpi != dpi; });
      ::InvalidateRect(FHandle, nullptr, TRUE);
      message.Result = 0;
      return;
    }
    case WM_DESTROY:
      TLayoutNode::ForgetHandles();
      break;
    default:
      break;
  }
  if (HandleControlMessage(message)) return;
  if (HandleMessage(message)) return;
  message.Result = ::DefWindowProcW(FHandle, message.Msg, message.WParam, message.LParam);
}

LRESULT CALLBACK TFormWindow::StaticWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* created = static_cast<TFormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    created->FHandle = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* self = reinterpret_cast<TFormWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcW(window, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->FHandle = nullptr;
    for (TTimer* timer : self->FTimers) timer->HandleWindowChanged();
    return ::DefWindowProcW(window, msg, wParam, lParam);
  }
  // No C++ error may unwind through the system's message dispatch.
  return RunGuarded(window, self->ErrorContext(), LRESULT{0}, [&] {
    TMessage message{msg, wParam, lParam, 0};
    self->WindowProc(message);
    return message.Result;
  });
}
