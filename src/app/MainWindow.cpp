#include "app/MainWindow.h"

#include "app/DebugBuild.h"
#include "app/InstanceName.h"
#include "autostart/AutoStart.h"
#include "tray/WindowHelpers.h"
#include "win32/ComInitialization.h"

namespace {

// Layout is written at 96 DPI and scaled to the window's DPI.
constexpr int ClientWidth96 = 500;
constexpr int ClientHeight96 = 450;
constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD WindowExStyle = 0;

ATOM RegisterMainWindowClass(HINSTANCE instance, WNDPROC windowProc) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = InstanceName;
  return ::RegisterClassExW(&windowClass);
}

}  // namespace

TFrmOrvanta::TFrmOrvanta(TStartMode startMode) : FStartMode(startMode) {}

TFrmOrvanta::~TFrmOrvanta() {
  if (FHandle != nullptr) ::DestroyWindow(FHandle);
}

bool TFrmOrvanta::Create(HINSTANCE instance) {
  if (RegisterMainWindowClass(instance, &TFrmOrvanta::WindowProc) == 0) return false;
  ::CreateWindowExW(WindowExStyle, InstanceName, L"Orvanta", WindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr,
                    nullptr, instance, this);
  if (FHandle == nullptr) return false;
  ApplyDpiSize();
  CentreOnScreen();
  FormCreate();
  return true;
}

void TFrmOrvanta::ShowFirstTime() {
  ShowMainWindow(FHandle);
}

void TFrmOrvanta::Close() {
  if (FHandle != nullptr) ::SendMessageW(FHandle, WM_CLOSE, 0, 0);
}

void TFrmOrvanta::FormCreate() {
  FCanClose = false;
  FCreationDone = true;
  if (FStartMode == TStartMode::Start) HideMainWindow(FHandle);
}

bool TFrmOrvanta::FormCloseQuery() {
  const bool canClose = FCanClose || DebugBuild;
  if (!canClose) HideMainWindow(FHandle);
  return canClose;
}

void TFrmOrvanta::OnInstanceMessage(WPARAM wParam) {
  if (!FCreationDone) return;
  switch (InstanceCommandOf(wParam)) {
    case TInstanceCommand::Show:
      ShowMainWindow(FHandle);
      break;
    case TInstanceCommand::Quit: {
      {
        // The logon task is removed only when COM is available; the quit happens anyway.
        TComInitialization com(COINIT_APARTMENTTHREADED);
        if (com.Succeeded()) SetAutoStart(AutoStartTaskName, false, 0);
      }
      FCanClose = true;
      Close();
      break;
    }
    case TInstanceCommand::None:
      break;
  }
}

LRESULT TFrmOrvanta::OnQueryEndSession() {
  // Log-off or shutdown: close for real rather than hide, and never block the session.
  FCanClose = true;
  Close();
  return TRUE;
}

void TFrmOrvanta::ApplyDpiSize() {
  const UINT dpi = ::GetDpiForWindow(FHandle);
  RECT frame{0, 0, ::MulDiv(ClientWidth96, static_cast<int>(dpi), 96),
             ::MulDiv(ClientHeight96, static_cast<int>(dpi), 96)};
  ::AdjustWindowRectExForDpi(&frame, WindowStyle, FALSE, WindowExStyle, dpi);
  ::SetWindowPos(FHandle, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFrmOrvanta::CentreOnScreen() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (!::GetMonitorInfoW(::MonitorFromWindow(FHandle, MONITOR_DEFAULTTOPRIMARY), &monitor)) return;
  RECT bounds{};
  ::GetWindowRect(FHandle, &bounds);
  const RECT& work = monitor.rcWork;
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  ::SetWindowPos(FHandle, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK TFrmOrvanta::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<TFrmOrvanta*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->FHandle = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TFrmOrvanta*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->FHandle = nullptr;
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  // No C++ error may unwind through the system's message dispatch.
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

LRESULT TFrmOrvanta::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      if (FormCloseQuery()) ::DestroyWindow(FHandle);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    case WM_QUERYENDSESSION:
      return OnQueryEndSession();
    case WM_DPICHANGED: {
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      ::SetWindowPos(FHandle, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_USER:
      OnInstanceMessage(wParam);
      return 0;
    default:
      return ::DefWindowProcW(FHandle, message, wParam, lParam);
  }
}
