#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "win32/GdiObject.h"

// Fixed ids of the dialog's parts, by which callers and tests find them.
enum TMessageDialogId : int {
  MessageDialogYes = IDYES,
  MessageDialogNo = IDNO,
  MessageDialogIcon = 100,
  MessageDialogText = 101,
  MessageDialogLine = 102,
  MessageDialogTickBox = 103,
  MessageDialogLink = 104,
};

enum class TDialogOutcome {
  Yes,
  No,         // No, Escape or the close box
  OwnerGone,  // the owner was destroyed, or the thread is quitting
};

// A warning message with Yes and No buttons, white, centred on the screen, and an optional
// row under the buttons. Yes is the default (Enter), No the cancel button (Escape). While it
// runs its owner is disabled; its loop ends when the owner is destroyed.
class TMessageDialog {
 public:
  TMessageDialog(HWND owner, const std::u16string& caption, const std::u16string& text, const std::u16string& yes,
                 const std::u16string& no);
  ~TMessageDialog();
  TMessageDialog(const TMessageDialog&) = delete;
  TMessageDialog& operator=(const TMessageDialog&) = delete;

  HWND Handle() const { return FHandle; }
  UINT Dpi() const;
  // The outer size, frame and title bar included.
  int OuterWidth() const;
  int OuterHeight() const;

  void GrowBy(int pixels);
  void KeepOnTop();
  // Shows the dialog with its own taskbar button and the given small icon, owned by nobody.
  // Its loop still ends with the window it was made for.
  void StandAlone(HICON smallIcon);

  // Parts below the buttons, in client coordinates at the dialog's DPI.
  void AddLine(int top, COLORREF colour);
  void AddTickBox(const std::u16string& caption, int left, int top, int width);
  void AddLink(const std::u16string& caption, int left, int top, std::function<void()> onClick);

  TDialogOutcome ShowModal();
  bool Ticked() const { return FTicked; }

  // Runs with the dialog on screen, before its loop: tests find and drive it from here.
  static void (*ShownHook)(HWND dialog);

 private:
  static LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  bool HandleKey(const MSG& message);
  void DrawLink(const DRAWITEMSTRUCT& item);
  HWND AddChild(const wchar_t* className, const std::u16string& text, DWORD style, int id, RECT bounds);
  void Finish(TDialogOutcome outcome);

  HWND FHandle = nullptr;
  HWND FOwner = nullptr;
  TGdiObject<HFONT> FFont;
  TGdiObject<HFONT> FLinkFont;
  TGdiObject<HBRUSH> FLineBrush;
  std::function<void()> FOnLinkClick;
  TDialogOutcome FOutcome = TDialogOutcome::No;
  bool FDone = false;
  bool FTicked = false;
};
