#pragma once

#include <windows.h>

#include "app/CommandLine.h"

// The main window. It owns the taskbar button; its close button only hides it, and the
// program ends when it is closed for real (FCanClose set first).
class TFrmOrvanta {
 public:
  explicit TFrmOrvanta(TStartMode startMode);
  TFrmOrvanta(const TFrmOrvanta&) = delete;
  TFrmOrvanta& operator=(const TFrmOrvanta&) = delete;
  ~TFrmOrvanta();

  // Creates the window hidden and runs the creation step. False if no window could be made.
  bool Create(HINSTANCE instance);
  // The first show: centred on the screen and brought to the front.
  void ShowFirstTime();
  // A close request: closes for real when FCanClose is set, otherwise hides to the tray.
  void Close();

  HWND Handle() const { return FHandle; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void FormCreate();
  bool FormCloseQuery();
  void OnInstanceMessage(WPARAM wParam);
  LRESULT OnQueryEndSession();
  void ApplyDpiSize();
  void CentreOnScreen();

  HWND FHandle = nullptr;
  TStartMode FStartMode;
  bool FCanClose = false;
  // Instance messages are ignored until the creation step has got this far; the tray
  // icon will mark that point once it exists.
  bool FCreationDone = false;
};
