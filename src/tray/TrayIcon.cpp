#include "tray/TrayIcon.h"

#include <windowsx.h>

#include <atomic>

#include "ui/PopupMenu.h"

namespace {

constexpr DWORD ReshowDelayMs = 1000;

// Sent by Explorer to every top-level window when its taskbar (re)appears.
UINT TaskbarCreatedMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

// The re-show thread asks the user-interface thread to run one round with this message.
UINT ReshowMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"Orvanta.TrayIcon.Reshow");
  return message;
}

}  // namespace

// What the icon and its re-show thread share. The thread keeps it alive on its own, so the
// icon may go at any time; the icon sets Stop on its way out.
struct TTrayIcon::TReshowShared {
  TUniqueHandle Stop{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  HWND Host = nullptr;
};

TTrayIcon::TTrayIcon(TComponent* owner, std::u16string name, HWND host, TShellNotifyIcon shellNotifyIcon)
    : TComponent(owner, std::move(name)), FHost(host), FShellNotifyIcon(shellNotifyIcon) {
  // The program runs elevated; without this the broadcast of a non-elevated Explorer
  // would be filtered out and the icon would not come back after an Explorer restart.
  ::ChangeWindowMessageFilterEx(FHost, TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);
}

TTrayIcon::~TTrayIcon() {
  if (FReshow) ::SetEvent(FReshow->Stop.Get());
  if (FVisible) Notify(NIM_DELETE, 0);
}

bool TTrayIcon::Notify(DWORD message, UINT flags) const {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = FHost;
  data.uID = IconId;
  data.uFlags = flags;
  data.uCallbackMessage = CallbackMessage;
  if (flags & NIF_ICON) data.hIcon = FImages != nullptr ? FImages->Picture(FIconIndex) : nullptr;
  if (flags & NIF_TIP) {
    // The shell shows at most 127 characters and a terminating zero.
    const std::u16string& hint = Hint();
    const std::size_t length = std::min<std::size_t>(hint.size(), std::size(data.szTip) - 1);
    for (std::size_t i = 0; i < length; ++i) data.szTip[i] = static_cast<wchar_t>(hint[i]);
  }
  if (message == NIM_SETVERSION) data.uVersion = NOTIFYICON_VERSION_4;
  return FShellNotifyIcon(message, &data) != FALSE;
}

bool TTrayIcon::Add() const {
  if (!Notify(NIM_ADD, NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP)) return false;
  // Version 4: clicks arrive as NIN_SELECT, NIN_KEYSELECT and WM_CONTEXTMENU.
  Notify(NIM_SETVERSION, 0);
  return true;
}

bool TTrayIcon::SetVisible(bool visible) {
  if (visible == FVisible) return true;
  FVisible = visible;
  if (visible) {
    Add();
    return true;
  }
  return Notify(NIM_DELETE, 0);
}

void TTrayIcon::SetIconIndex(int index) {
  if (index == FIconIndex) return;
  FIconIndex = index;
  if (FVisible) Notify(NIM_MODIFY, NIF_ICON);
}

void TTrayIcon::SetHint(std::u16string_view hint) {
  TComponent::SetHint(hint);
  if (FVisible) Notify(NIM_MODIFY, NIF_TIP | NIF_SHOWTIP);
}

void TTrayIcon::Repaint(bool startedByLogon) {
  if (!startedByLogon || FReshow) return;
  auto shared = std::make_shared<TReshowShared>();
  shared->Host = FHost;
  if (shared->Stop.Get() == nullptr) return;
  // The thread owns one reference; it frees it when it ends.
  auto* threadShare = new std::shared_ptr<TReshowShared>(shared);
  const auto loop = [](void* parameter) -> DWORD {
    const std::unique_ptr<std::shared_ptr<TReshowShared>> own(static_cast<std::shared_ptr<TReshowShared>*>(parameter));
    const TReshowShared& state = **own;
    for (;;) {
      // Waiting on Stop instead of sleeping lets a destroyed icon end the loop at once.
      if (::WaitForSingleObject(state.Stop.Get(), ReshowDelayMs) != WAIT_TIMEOUT) return 0;
      // The round runs on the user-interface thread; this one waits for its answer. A window
      // that is gone answers 0, and Stop is set by then.
      const LRESULT done = ::SendMessageW(state.Host, ReshowMessage(), IconId, reinterpret_cast<LPARAM>(&state));
      if (done == 1 || !::IsWindow(state.Host)) return 0;
    }
  };
  HANDLE thread = ::CreateThread(nullptr, 0, loop, threadShare, 0, nullptr);
  if (thread == nullptr) {
    delete threadShare;
    return;
  }
  FReshow = std::move(shared);
  FReshowThread.Reset(thread);
}

bool TTrayIcon::ReshowStep() {
  // A failed removal (the shell never took the icon) ends this round with the icon marked
  // hidden; the next round then only adds it.
  if (!SetVisible(false)) return false;
  SetVisible(true);
  return true;
}

void TTrayIcon::ShowMenu(POINT anchor) {
  if (FPopup == nullptr) return;
  // The menu closes properly only when its window is in front, and messages that were
  // waiting (a repaint, the click's own follow-ups) run before the menu's loop starts.
  ::SetForegroundWindow(FHost);
  MSG pending{};
  for (int i = 0; i < 64 && ::PeekMessageW(&pending, nullptr, 0, 0, PM_REMOVE); ++i) {
    if (pending.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(pending.wParam));
      return;
    }
    ::TranslateMessage(&pending);
    ::DispatchMessageW(&pending);
  }
  FPopup->PopupAt(FHost, anchor);
}

bool TTrayIcon::HandleHostMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == CallbackMessage && HIWORD(lParam) == IconId) {
    switch (LOWORD(lParam)) {
      case NIN_SELECT:
      case NIN_KEYSELECT:
        if (OnClick) OnClick(*this);
        break;
      case WM_CONTEXTMENU:
        // Version 4 puts the anchor (cursor, or the icon for the menu key) into wParam.
        ShowMenu({GET_X_LPARAM(wParam), GET_Y_LPARAM(wParam)});
        break;
      default:
        break;
    }
    result = 0;
    return true;
  }
  if (message == TaskbarCreatedMessage() && TaskbarCreatedMessage() != 0) {
    // Explorer restarted and forgot every icon: add ours again with its picture and hint.
    if (FVisible) Add();
    result = 0;
    return false;  // other parts of the window may want to hear it too
  }
  if (message == WM_DPICHANGED || message == WM_DISPLAYCHANGE) {
    // The pictures are drawn for the tray's size: a new scale gets new pictures, not scaled ones.
    if (FVisible) Notify(NIM_MODIFY, NIF_ICON);
    return false;
  }
  if (message == ReshowMessage() && wParam == IconId && FReshow && lParam == reinterpret_cast<LPARAM>(FReshow.get())) {
    result = ReshowStep() ? 1 : 0;
    return true;
  }
  return false;
}
