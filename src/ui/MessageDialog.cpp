#include "ui/MessageDialog.h"

#include <algorithm>

#include "ui/Fonts.h"
#include "ui/Geometry.h"
#include "win32/WideText.h"

void (*TMessageDialog::ShownHook)(HWND dialog) = nullptr;

namespace {

constexpr wchar_t ClassName[] = L"TOrvantaMessageDialog";
constexpr DWORD Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD ExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

// A lone carriage return (the texts join paragraphs so) breaks the line like CR LF.
std::u16string WithLineBreaks(const std::u16string& text) {
  std::u16string result;
  for (std::size_t i = 0; i < text.size(); ++i) {
    result += text[i];
    if (text[i] == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n')) result += u'\n';
  }
  return result;
}

SIZE MeasureText(HWND window, HFONT font, const std::u16string& text, int maxWidth, UINT flags) {
  const HDC dc = ::GetDC(window);
  RECT bounds{0, 0, maxWidth, 0};
  {
    TSelectObject select(dc, font);
    ::DrawTextW(dc, text.empty() ? L" " : AsWide(text), -1, &bounds, flags | DT_CALCRECT | DT_NOPREFIX);
  }
  ::ReleaseDC(window, dc);
  return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}

}  // namespace

TMessageDialog::TMessageDialog(HWND owner, const std::u16string& caption, const std::u16string& text,
                               const std::u16string& yes, const std::u16string& no)
    : FOwner(owner) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = &TMessageDialog::StaticWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = ClassName;
  if (::RegisterClassExW(&windowClass) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return;

  // Made on the primary monitor first, so that its DPI is known before anything is measured.
  const POINT origin{0, 0};
  const HMONITOR monitor = ::MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  ::GetMonitorInfoW(monitor, &info);
  ::CreateWindowExW(ExStyle, ClassName, AsWide(caption), Style, (info.rcMonitor.left + info.rcMonitor.right) / 2,
                    (info.rcMonitor.top + info.rcMonitor.bottom) / 2, 0, 0, owner, nullptr, instance, this);
  if (FHandle == nullptr) return;
  const UINT dpi = Dpi();
  FFont = CreateFontFor(TFontDescription{}, dpi);
  LOGFONTW underlined{};
  ::GetObjectW(FFont.Get(), sizeof(underlined), &underlined);
  underlined.lfUnderline = TRUE;
  FLinkFont = TGdiObject<HFONT>(::CreateFontIndirectW(&underlined));

  const int margin = ScaleToDpi(12, dpi);
  const int iconSize = ScaleToDpi(32, dpi);
  const int buttonWidth = ScaleToDpi(80, dpi);
  const int buttonHeight = ScaleToDpi(26, dpi);
  const int gap = ScaleToDpi(8, dpi);
  const std::u16string message = WithLineBreaks(text);
  const SIZE textSize = MeasureText(FHandle, FFont.Get(), message, ScaleToDpi(340, dpi), DT_WORDBREAK);
  const int textLeft = margin + iconSize + margin;
  const int contentHeight = std::max<int>(iconSize, textSize.cy);
  const int clientWidth =
      std::max<int>(textLeft + textSize.cx + margin, margin + buttonWidth + gap + buttonWidth + margin);
  const int buttonTop = margin + contentHeight + ScaleToDpi(20, dpi);
  // A little more room under the buttons than around the text: a row added at the bottom is
  // placed from the outer height, and a thin title bar must not pull it onto the buttons.
  const int clientHeight = buttonTop + buttonHeight + ScaleToDpi(16, dpi);

  const HWND icon = AddChild(L"STATIC", u"", SS_ICON | SS_REALSIZECONTROL, MessageDialogIcon,
                             {margin, margin, margin + iconSize, margin + iconSize});
  const auto warning =
      static_cast<HICON>(::LoadImageW(nullptr, IDI_WARNING, IMAGE_ICON, iconSize, iconSize, LR_SHARED));
  ::SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(warning), 0);
  AddChild(L"STATIC", message, SS_LEFT | SS_NOPREFIX, MessageDialogText,
           {textLeft, margin, textLeft + textSize.cx, margin + textSize.cy});
  const int noLeft = clientWidth - margin - buttonWidth;
  const int yesLeft = noLeft - gap - buttonWidth;
  AddChild(L"BUTTON", yes, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, MessageDialogYes,
           {yesLeft, buttonTop, yesLeft + buttonWidth, buttonTop + buttonHeight});
  AddChild(L"BUTTON", no, BS_PUSHBUTTON | WS_TABSTOP, MessageDialogNo,
           {noLeft, buttonTop, noLeft + buttonWidth, buttonTop + buttonHeight});

  RECT frame{0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectExForDpi(&frame, Style, FALSE, ExStyle, dpi);
  ::SetWindowPos(FHandle, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TMessageDialog::~TMessageDialog() {
  if (FHandle == nullptr) return;
  ::SetWindowLongPtrW(FHandle, GWLP_USERDATA, 0);
  ::DestroyWindow(FHandle);
}

UINT TMessageDialog::Dpi() const {
  return FHandle != nullptr ? ::GetDpiForWindow(FHandle) : 96;
}

int TMessageDialog::OuterWidth() const {
  RECT bounds{};
  ::GetWindowRect(FHandle, &bounds);
  return bounds.right - bounds.left;
}

int TMessageDialog::OuterHeight() const {
  RECT bounds{};
  ::GetWindowRect(FHandle, &bounds);
  return bounds.bottom - bounds.top;
}

void TMessageDialog::GrowBy(int pixels) {
  ::SetWindowPos(FHandle, nullptr, 0, 0, OuterWidth(), OuterHeight() + pixels,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMessageDialog::KeepOnTop() {
  ::SetWindowPos(FHandle, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TMessageDialog::StandAlone(HICON smallIcon) {
  ::SendMessageW(FHandle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
  ::SetWindowLongPtrW(FHandle, GWLP_HWNDPARENT, 0);
}

HWND TMessageDialog::AddChild(const wchar_t* className, const std::u16string& text, DWORD style, int id, RECT bounds) {
  const HWND child = ::CreateWindowExW(0, className, AsWide(text), WS_CHILD | WS_VISIBLE | style, bounds.left,
                                       bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, FHandle,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  if (child != nullptr) ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Get()), FALSE);
  return child;
}

void TMessageDialog::AddLine(int top, COLORREF colour) {
  FLineBrush = TGdiObject<HBRUSH>(::CreateSolidBrush(colour));
  AddChild(L"STATIC", u"", SS_LEFT, MessageDialogLine, {0, top, OuterWidth(), top + 1});
}

void TMessageDialog::AddTickBox(const std::u16string& caption, int left, int top, int width) {
  const SIZE size = MeasureText(FHandle, FFont.Get(), caption, width, DT_SINGLELINE);
  const int height = size.cy + ScaleToDpi(6, Dpi());
  AddChild(L"BUTTON", caption, BS_AUTOCHECKBOX | WS_TABSTOP, MessageDialogTickBox,
           {left, top, left + width, top + height});
}

void TMessageDialog::AddLink(const std::u16string& caption, int left, int top, std::function<void()> onClick) {
  FOnLinkClick = std::move(onClick);
  const SIZE size = MeasureText(FHandle, FLinkFont.Get(), caption, 0, DT_SINGLELINE);
  const int pad = ScaleToDpi(2, Dpi());
  AddChild(L"BUTTON", caption, BS_OWNERDRAW | WS_TABSTOP, MessageDialogLink,
           {left, top, left + size.cx + 2 * pad, top + size.cy + 2 * pad});
}

void TMessageDialog::DrawLink(const DRAWITEMSTRUCT& item) {
  RECT bounds = item.rcItem;
  ::FillRect(item.hDC, &bounds, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  wchar_t text[512] = {};
  ::GetWindowTextW(item.hwndItem, text, 512);
  TSelectObject select(item.hDC, FLinkFont.Get());
  ::SetTextColor(item.hDC, RGB(0, 0, 255));
  ::SetBkMode(item.hDC, TRANSPARENT);
  ::DrawTextW(item.hDC, text, -1, &bounds, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
  if ((item.itemState & ODS_FOCUS) != 0) ::DrawFocusRect(item.hDC, &item.rcItem);
}

void TMessageDialog::Finish(TDialogOutcome outcome) {
  if (FDone) return;
  FOutcome = outcome;
  FDone = true;
}

bool TMessageDialog::HandleKey(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_RETURN) return false;
  if (message.hwnd != FHandle && !::IsChild(FHandle, message.hwnd)) return false;
  // Enter acts on the focused button or link, otherwise on the default button, Yes.
  const int focused = ::GetDlgCtrlID(::GetFocus());
  if (focused == MessageDialogLink) {
    if (FOnLinkClick) FOnLinkClick();
  } else {
    Finish(focused == MessageDialogNo ? TDialogOutcome::No : TDialogOutcome::Yes);
  }
  return true;
}

TDialogOutcome TMessageDialog::ShowModal() {
  if (FHandle == nullptr) return TDialogOutcome::No;
  const HWND owner = FOwner;
  // Centred on the monitor it stands on, with everything added.
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  ::GetMonitorInfoW(::MonitorFromWindow(FHandle, MONITOR_DEFAULTTOPRIMARY), &info);
  const int width = OuterWidth();
  const int height = OuterHeight();
  ::SetWindowPos(FHandle, nullptr, (info.rcMonitor.left + info.rcMonitor.right - width) / 2,
                 (info.rcMonitor.top + info.rcMonitor.bottom - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const bool ownerWasEnabled = owner != nullptr && ::IsWindowEnabled(owner);
  if (ownerWasEnabled) ::EnableWindow(owner, FALSE);
  ::ShowWindow(FHandle, SW_SHOW);
  ::SetForegroundWindow(FHandle);
  ::SetFocus(::GetDlgItem(FHandle, MessageDialogYes));
  if (ShownHook != nullptr) ShownHook(FHandle);

  while (!FDone) {
    if (owner != nullptr && !::IsWindow(owner)) {
      Finish(TDialogOutcome::OwnerGone);
      break;
    }
    MSG message{};
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      // The outer loop must still see the quit request and end the program.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      Finish(TDialogOutcome::OwnerGone);
      break;
    }
    if (got < 0) {
      Finish(TDialogOutcome::No);
      break;
    }
    if (HandleKey(message)) continue;
    if (FHandle != nullptr && ::IsDialogMessageW(FHandle, &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  // The owner takes the activation back before the dialog disappears.
  if (ownerWasEnabled && ::IsWindow(owner)) ::EnableWindow(owner, TRUE);
  if (FHandle != nullptr) ::ShowWindow(FHandle, SW_HIDE);
  return FOutcome;
}

LRESULT CALLBACK TMessageDialog::StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* created = static_cast<TMessageDialog*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    created->FHandle = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* self = reinterpret_cast<TMessageDialog*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // Destroyed with its owner: the loop ends and nothing touches the window again.
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->FHandle = nullptr;
    self->Finish(TDialogOutcome::OwnerGone);
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  try {
    return self->WindowProc(message, wParam, lParam);
  } catch (...) {
    // No C++ error may unwind through the system's message dispatch.
    return 0;
  }
}

LRESULT TMessageDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
        case MessageDialogYes:
          Finish(TDialogOutcome::Yes);
          return 0;
        case IDCANCEL:
        case MessageDialogNo:
          Finish(TDialogOutcome::No);
          return 0;
        case MessageDialogTickBox:
          FTicked = ::IsDlgButtonChecked(FHandle, MessageDialogTickBox) == BST_CHECKED;
          return 0;
        case MessageDialogLink:
          if (HIWORD(wParam) == BN_CLICKED && FOnLinkClick) FOnLinkClick();
          return 0;
        default:
          break;
      }
      break;
    case WM_CLOSE:
      Finish(TDialogOutcome::No);
      return 0;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlID != MessageDialogLink) break;
      DrawLink(*item);
      return TRUE;
    }
    case WM_SETCURSOR:
      if (::GetDlgCtrlID(reinterpret_cast<HWND>(wParam)) == MessageDialogLink && LOWORD(lParam) == HTCLIENT) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      const auto dc = reinterpret_cast<HDC>(wParam);
      if (::GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == MessageDialogLine && FLineBrush.Get() != nullptr) {
        return reinterpret_cast<LRESULT>(FLineBrush.Get());
      }
      ::SetBkColor(dc, RGB(255, 255, 255));
      return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
    }
    default:
      break;
  }
  return ::DefWindowProcW(FHandle, message, wParam, lParam);
}
