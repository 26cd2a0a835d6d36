#pragma once

#include <windows.h>
// after windows.h, which it relies on
#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>

#include "i18n/Component.h"
#include "tray/TrayPictures.h"
#include "win32/UniqueHandle.h"

class TPopup;

// The shell call behind the icon. Tests replace it to see every add, change and removal.
using TShellNotifyIcon = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAW data);

// One icon in the notification area, hosted by a top-level window (which hears the
// TaskbarCreated broadcast after Explorer restarts; a message-only window would not). The
// icon is known to the shell by its window and number, never by a GUID: Windows ties a GUID
// icon to the exe's path, so a moved or updated exe would silently lose it.
class TTrayIcon : public TComponent {
 public:
  TTrayIcon(TComponent* owner, std::u16string name, HWND host, TShellNotifyIcon shellNotifyIcon = &::Shell_NotifyIconW);
  ~TTrayIcon() override;  // removes the icon; a re-show thread still sleeping ends on its own

  // Left click or keyboard activation; a double click counts as one click.
  std::function<void(TTrayIcon&)> OnClick;

  void SetImages(TTrayPictures* images) { FImages = images; }
  void SetPopupMenu(TPopup* popup) { FPopup = popup; }

  bool Visible() const { return FVisible; }
  // Adds the icon to the notification area or removes it. A failed removal is reported
  // (false); a failed add is not: the icon counts as shown and comes back with the shell.
  bool SetVisible(bool visible);

  int IconIndex() const { return FIconIndex; }
  void SetIconIndex(int index);

  void SetHint(std::u16string_view hint) override;

  // After a logon start the shell may not be ready for icons yet: about a second later the
  // icon is removed and added again, on a background thread that ends after one good round.
  void Repaint(bool startedByLogon);
  // The re-show thread, while this icon knows it; tests wait for its end.
  HANDLE ReshowThread() const { return FReshowThread.Get(); }

  // The host window hands every message here first; true when it was the icon's.
  bool HandleHostMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  static constexpr UINT IconId = 1;
  static constexpr UINT CallbackMessage = WM_APP + 0x51;

 private:
  struct TReshowShared;
  bool Notify(DWORD message, UINT flags) const;
  bool Add() const;
  void ShowMenu(POINT anchor);
  bool ReshowStep();

  HWND FHost;
  TShellNotifyIcon FShellNotifyIcon;
  TTrayPictures* FImages = nullptr;
  TPopup* FPopup = nullptr;
  bool FVisible = false;
  int FIconIndex = 0;
  std::shared_ptr<TReshowShared> FReshow;
  TUniqueHandle FReshowThread;
};
