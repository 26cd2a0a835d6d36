#pragma once

#include <windows.h>

#include <chrono>
#include <memory>
#include <string>

#include "app/CleanJob.h"
#include "app/CommandLine.h"
#include "app/MainWindowSeams.h"
#include "app/NumberFormat.h"
#include "memory/MemoryStatus.h"
#include "tray/TrayIcon.h"
#include "tray/TrayPictures.h"
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
  explicit TFrmOrvanta(TStartMode startMode, const TMainWindowSeams& seams = {});
  ~TFrmOrvanta() override;

  // Creates the window hidden and runs the creation step. False if no window could be made.
  bool Create();
  // The first show: centred on the screen and brought to the front.
  void ShowFirstTime();
  // A close request: closes for real when FCanClose is set, otherwise hides to the tray.
  void Close();

  // A clean job is under way. Read and written on the user-interface thread only.
  bool IsRunning() const { return FIsRunning; }
  // The time of the last clean or rule change: no automatic clean comes within 300 s of it.
  std::chrono::system_clock::time_point NextTime() const { return FNextTime; }
  const TTrayIcon* TrayIcon() const { return FTrayIcon.get(); }
  const TPopup& TrayMenu() const { return Popup; }

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
  // Samples the memory figures and shows them in the status lines and the bar.
  MemoryStatus ShowStatus();
  void TrayIconClick(TComponent* sender);
  void BtnOpenClick(TComponent* sender);
  void BtnCopyrightClick(TComponent* sender);
  void BtnCloseClick(TComponent* sender);
  // Starts a clean unless one runs; Alarm asks for the completion notice.
  void Clean(bool alarm);
  void SetIsRunning(bool running);
  void CleanDone(const TCleanJob* job);
  void ShowNotification(std::u16string_view text);
  std::chrono::system_clock::time_point Now() const;
  void LoadConfig();
  void SaveConfig(const wchar_t* name, int value);
  void SaveConfig(const wchar_t* name, bool value);
  void SaveConfig(const wchar_t* name, std::u16string_view value);
  // A rule's box: its list is enabled exactly when it is checked, and that state is saved.
  void RuleBoxClick(TCheckBox& box, TDropDownList& list, const wchar_t* valueName);
  // A rule's list: the user picked an item, whose index is saved.
  void RuleListChange(TDropDownList& list, const wchar_t* valueName);
  void ChkUsagePhysClick(TComponent* sender);
  void ChkUsagePageClick(TComponent* sender);
  void ChkUsageWorkClick(TComponent* sender);
  void ChkMinuteClick(TComponent* sender);
  void ChkCleanOnTrayClick(TComponent* sender);
  void ChkAutoStartClick(TComponent* sender);
  void EditUsagePhysChange(TComponent* sender);
  void EditUsagePageChange(TComponent* sender);
  void EditUsageWorkChange(TComponent* sender);
  void EditMinuteChange(TComponent* sender);
  void CreateTrayIcon();
  void UpdateCallback(bool launched, const std::u16string& data);
  void OnInstanceMessage(WPARAM wParam);
  void QuitForUninstall();
  LRESULT OnQueryEndSession();
  void CentreOnScreen();

  TStartMode FStartMode;
  TMainWindowSeams FSeams;
  bool FCanClose = false;
  // The creation step has run to its end; until then a quit or a log-off only waits.
  bool FCreationDone = false;
  bool FQuitPending = false;
  bool FEndSessionPending = false;
  bool FIsRunning = false;
  // The job whose completion this window waits for; a stale hand-over is ignored.
  std::shared_ptr<TCleanJob> FCurrentJob;
  std::chrono::system_clock::time_point FNextTime;
  std::u16string FmtPhysStatus;
  // The user's thousands and decimal separators, read once at start.
  TNumberFormat FNumberFormat;

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
  TTrayPictures ListIcon;
  // Made by the creation step; instance messages are ignored until it exists.
  std::unique_ptr<TTrayIcon> FTrayIcon;
};
