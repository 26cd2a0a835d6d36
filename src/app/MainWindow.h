#pragma once

#include <windows.h>

#include <chrono>
#include <string>

#include "app/CommandLine.h"
#include "ui/ActivityIndicator.h"
#include "ui/Form.h"
#include "ui/Panel.h"
#include "ui/PopupMenu.h"
#include "ui/StandardControls.h"
#include "ui/StyledButton.h"
#include "ui/StyledToolBar.h"
#include "ui/Timer.h"

// The main window: a header toolbar over two pages, home and settings. It owns the
// taskbar button; its close button only hides it, and the program ends when it is
// closed for real (FCanClose set first).
class TFrmOrvanta : public TFormWindow {
 public:
  explicit TFrmOrvanta(TStartMode startMode);
  ~TFrmOrvanta() override;

  // Creates the window hidden and runs the creation step. False if no window could be made.
  bool Create();
  // The first show: centred on the screen and brought to the front.
  void ShowFirstTime();
  // A close request: closes for real when FCanClose is set, otherwise hides to the tray.
  void Close();

 protected:
  bool HandleMessage(TMessage& message) override;
  const wchar_t* ErrorContext() const override { return L"the main window"; }

 private:
  void FormCreate();
  bool FormCloseQuery();
  void BtnHomeClick(TComponent* sender);
  void SVGIconImage1Click(TComponent* sender);
  void EditInfoClick(TComponent* sender);
  void BtnCleanClick(TComponent* sender);
  void TmrStatusTimer(TComponent* sender);
  void LoadConfig();
  void CreateTrayIcon();
  void UpdateCallback(bool launched, const std::u16string& data);
  void OnInstanceMessage(WPARAM wParam);
  LRESULT OnQueryEndSession();
  void CentreOnScreen();

  TStartMode FStartMode;
  bool FCanClose = false;
  // Instance messages are ignored until the creation step has made the tray icon.
  bool FHasTrayIcon = false;
  std::chrono::system_clock::time_point NextTime;
  std::u16string FmtPhysStatus;

  // Components, in ownership order: the translation walk visits them in this order.
  TPanel PnlHead;
  TStyledToolBar BtnHead;
  TStyledToolButton BtnHome;
  TStyledToolButton BtnConfig;
  TStyledToolButton BtnDonate;
  TPanel PnlLogo;
  TClickableImage SVGIconImage1;
  TCardPanel PnlMain;
  TCard Card1;
  TLabel LblTitle;
  TProgressBar ProgressBar;
  TLabel LblPhys;
  TLabel LblPhysStatus;
  TLabel LblVirtual;
  TLabel LblVirtualStatus;
  TLabel LblWorking;
  TLabel LblWorkingStatus;
  TStyledButton BtnClean;
  TActivityIndicator Indicator;
  TCard Card2;
  TGroupBox GroupBox1;
  TCheckBox ChkUsagePhys;
  TDropDownList EditUsagePhys;
  TCheckBox ChkUsagePage;
  TDropDownList EditUsagePage;
  TCheckBox ChkUsageWork;
  TDropDownList EditUsageWork;
  TCheckBox ChkMinute;
  TDropDownList EditMinute;
  TGroupBox GroupBox3;
  TCheckBox ChkAutoStart;
  TCheckBox ChkCleanOnTray;
  TReadOnlyEdit EditInfo;
  TTimer TmrStatus;
  TPopup Popup;
  TMenuEntry BtnOpen;
  TMenuEntry N2;
  TMenuEntry BtnCopyright;
  TMenuEntry BtnClose;
};
