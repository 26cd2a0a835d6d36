#include "app/MainWindow.h"

#include "app/AppUserModelId.h"
#include "app/ApplicationTitle.h"
#include "app/CleanRules.h"
#include "app/DebugBuild.h"
#include "app/InstanceName.h"
#include "app/Links.h"
#include "app/MainWindowControls.h"
#include "app/StatusDisplay.h"
#include "app/ToastNotification.h"
#include "app/UserNumberFormat.h"
#include "appearance/ThemeHelper.h"
#include "autostart/AutoStart.h"
#include "i18n/TextRules.h"
#include "i18n/TranslateComponent.h"
#include "i18n/Translation.h"
#include "memory/MemoryPurge.h"
#include "memory/MemorySampler.h"
#include "tray/WindowHelpers.h"
#include "ui/CrashReport.h"
#include "update/ShellOpen.h"
#include "update/UpdateCheck.h"
#include "update/UpdateDialog.h"
#include "update/VersionText.h"
#include "win32/ComInitialization.h"

namespace {

constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// The self-drawn controls paint through off-screen buffers of their own. WS_EX_COMPOSITED is
// left out on purpose: it repaints the whole window for every animated control.
constexpr DWORD WindowExStyle = 0;
constexpr COLORREF Grey = RGB(128, 128, 128);

const TFormWindow::TFormStyle MainWindowStyle{InstanceName, WindowStyle, WindowExStyle, 500, 450};

const TStyledToolBar::TToolBarStyle HeaderStyle{70, 30, 10, "Quiremo", "Header", 4};

std::vector<std::u16string> UsageItems() {
  return {u"30", u"40", u"50", u"60", u"70", u"80", u"90"};
}
std::vector<std::u16string> MinuteItems() {
  return {u"5", u"10", u"20", u"30", u"40", u"50", u"60"};
}

// The product's web service; the main window asks it once per start. The build sets it.
constexpr char16_t UpdateServiceAddress[] = ORVANTA_UPDATE_URL;

}  // namespace

TFrmOrvanta::TFrmOrvanta(TStartMode startMode, const TMainWindowSeams& seams)
    : TFormWindow(u"FrmOrvanta", MainWindowStyle),
      FStartMode(startMode),
      FSeams(seams),
      // The 2-pixel accent line of the frame sits above the header; the pages follow it.
      PnlHead(this, u"PnlHead", this, {0, 2, 500, 50}),
      BtnHead(this, u"BtnHead", &PnlHead, {10, 10, 360, 30}, HeaderStyle),
      BtnHome(this, u"BtnHome", &BtnHead, IdBtnHome),
      BtnConfig(this, u"BtnConfig", &BtnHead, IdBtnConfig),
      BtnDonate(this, u"BtnDonate", &BtnHead, IdBtnDonate),
      PnlLogo(this, u"PnlLogo", &PnlHead, {380, 0, 120, 50}),
      SVGIconImage1(this, u"SVGIconImage1", &PnlLogo, {0, 0, 112, 50}, IdLogoImage),
      PnlMain(this, u"PnlMain", this, {0, 52, 500, 398}),
      Card1(this, u"Card1", &PnlMain, {0, 0, 500, 398}),
      LblTitle(this, u"LblTitle", &Card1, {8, 40, 484, 81}, IdLblTitle),
      ProgressBar(this, u"ProgressBar", &Card1, {56, 192, 393, 25}, IdProgressBar),
      LblPhys(this, u"LblPhys", &Card1, {56, 223, 70, 13}, IdLblPhys),
      LblPhysStatus(this, u"LblPhysStatus", &Card1, {132, 223, 317, 13}, IdLblPhysStatus),
      LblVirtual(this, u"LblVirtual", &Card1, {56, 242, 70, 13}, IdLblVirtual),
      LblVirtualStatus(this, u"LblVirtualStatus", &Card1, {134, 242, 120, 13}, IdLblVirtualStatus),
      LblWorking(this, u"LblWorking", &Card1, {263, 242, 70, 13}, IdLblWorking),
      LblWorkingStatus(this, u"LblWorkingStatus", &Card1, {341, 242, 108, 13}, IdLblWorkingStatus),
      BtnClean(this, u"BtnClean", &Card1, {168, 298, 164, 68}, IdBtnClean),
      Indicator(this, u"Indicator", &Card1, {233, 316, 32, 32}, IdIndicator),
      Card2(this, u"Card2", &PnlMain, {0, 0, 500, 398}),
      GroupBox1(this, u"GroupBox1", &Card2, {15, 14, 474, 155}, IdGroupBox1),
      ChkUsagePhys(this, u"ChkUsagePhys", &GroupBox1, {17, 32, 328, 17}, IdChkUsagePhys),
      EditUsagePhys(this, u"EditUsagePhys", &GroupBox1, {372, 31, 81, 21}, IdEditUsagePhys, UsageItems()),
      ChkUsagePage(this, u"ChkUsagePage", &GroupBox1, {17, 62, 328, 17}, IdChkUsagePage),
      EditUsagePage(this, u"EditUsagePage", &GroupBox1, {372, 62, 81, 21}, IdEditUsagePage, UsageItems()),
      ChkUsageWork(this, u"ChkUsageWork", &GroupBox1, {17, 92, 328, 17}, IdChkUsageWork),
      EditUsageWork(this, u"EditUsageWork", &GroupBox1, {372, 89, 81, 21}, IdEditUsageWork, UsageItems()),
      ChkMinute(this, u"ChkMinute", &GroupBox1, {17, 122, 328, 17}, IdChkMinute),
      EditMinute(this, u"EditMinute", &GroupBox1, {372, 116, 81, 21}, IdEditMinute, MinuteItems()),
      GroupBox3(this, u"GroupBox3", &Card2, {15, 192, 474, 73}, IdGroupBox3),
      ChkAutoStart(this, u"ChkAutoStart", &GroupBox3, {17, 32, 208, 17}, IdChkAutoStart),
      ChkCleanOnTray(this, u"ChkCleanOnTray", &GroupBox3, {245, 32, 208, 17}, IdChkCleanOnTray),
      EditInfo(this, u"EditInfo", &Card2, {15, 368, 170, 21}, IdEditInfo),
      TmrStatus(this, u"TmrStatus", 1000, true),
      Popup(this, u"Popup"),
      BtnOpen(this, u"BtnOpen", u"Orvanta"),
      N2(this, u"N2", u"-"),
      BtnCopyright(this, u"BtnCopyright", u"만든이 Talvane"),
      BtnClose(this, u"BtnClose", u"종료") {
  if (FSeams.Memory == nullptr) FSeams.Memory = &SystemMemoryApi();
  if (FSeams.Scheduler == nullptr) FSeams.Scheduler = &SystemTaskSchedulerApi();
  SetCaption(u"Orvanta");

  BtnHome.SetCaption(u"처음화면");
  BtnHome.SetDown(true);
  BtnConfig.SetCaption(u"환경설정");
  BtnDonate.SetCaption(u"후원하기");
  BtnDonate.SetVisible(false);
  BtnHead.Arrange();
  for (TStyledToolButton* button : {&BtnHome, &BtnConfig, &BtnDonate}) {
    button->OnClick = [this](TStyledButton& sender) { BtnHomeClick(&sender); };
  }

  SVGIconImage1.SetVisible(false);
  SVGIconImage1.OnClick = [this](TClickableImage& sender) { SVGIconImage1Click(&sender); };

  PnlMain.AddCard(&Card1);
  PnlMain.AddCard(&Card2);
  PnlMain.SetActiveCard(0);

  LblTitle.SetCaption(u"Orvanta");
  LblTitle.SetAlignment(TLabel::TAlignment::Centre);
  LblTitle.SetFont({L"Tahoma", 59, false, true});
  LblPhys.SetCaption(u"실제 메모리");
  LblPhys.SetRightToLeftReading(true);
  LblVirtual.SetCaption(u"가상 메모리");
  LblWorking.SetCaption(u"워킹 셋");

  BtnClean.SetCaption(u"정리하기");
  BtnClean.SetStyle("Quiremo", "Outline", std::nullopt, btRoundRect);
  BtnClean.OnClick = [this](TStyledButton& sender) { BtnCleanClick(&sender); };

  GroupBox1.SetCaption(u"메모리 관리");
  ChkUsagePhys.SetCaption(u"실제 메모리 사용률(%) 이상일 때 정리하기");
  ChkUsagePage.SetCaption(u"가상 메모리 사용률(%) 이상일 때 정리하기");
  ChkUsageWork.SetCaption(u"워킹셋 사용률(%) 이상일 때 정리하기");
  ChkMinute.SetCaption(u"다음 시간(분) 마다 정리하기");
  GroupBox3.SetCaption(u"기본 설정");
  ChkAutoStart.SetCaption(u"부팅시 실행하기");
  ChkCleanOnTray.SetCaption(u"트레이 아이콘 클릭시 정리하기");
  EditInfo.OnClick = [this](TReadOnlyEdit& sender) { EditInfoClick(&sender); };
  ChkUsagePhys.OnClick = [this](TCheckBox& sender) { ChkUsagePhysClick(&sender); };
  ChkUsagePage.OnClick = [this](TCheckBox& sender) { ChkUsagePageClick(&sender); };
  ChkUsageWork.OnClick = [this](TCheckBox& sender) { ChkUsageWorkClick(&sender); };
  ChkMinute.OnClick = [this](TCheckBox& sender) { ChkMinuteClick(&sender); };
  ChkCleanOnTray.OnClick = [this](TCheckBox& sender) { ChkCleanOnTrayClick(&sender); };
  ChkAutoStart.OnClick = [this](TCheckBox& sender) { ChkAutoStartClick(&sender); };
  EditUsagePhys.OnChange = [this](TDropDownList& sender) { EditUsagePhysChange(&sender); };
  EditUsagePage.OnChange = [this](TDropDownList& sender) { EditUsagePageChange(&sender); };
  EditUsageWork.OnChange = [this](TDropDownList& sender) { EditUsageWorkChange(&sender); };
  EditMinute.OnChange = [this](TDropDownList& sender) { EditMinuteChange(&sender); };

  TmrStatus.OnTimer = [this](TTimer& sender) { TmrStatusTimer(&sender); };

  for (TMenuEntry* item : {&BtnOpen, &N2, &BtnCopyright, &BtnClose}) Popup.Add(item);
  BtnOpen.OnClick = [this](TMenuEntry& sender) { BtnOpenClick(&sender); };
  BtnCopyright.OnClick = [this](TMenuEntry& sender) { BtnCopyrightClick(&sender); };
  BtnClose.OnClick = [this](TMenuEntry& sender) { BtnCloseClick(&sender); };
}

TFrmOrvanta::~TFrmOrvanta() {
  DestroyHandle();
}

bool TFrmOrvanta::Create() {
  if (!CreateWindowAndControls()) return false;
  CentreOnScreen();
  // An error in the creation step is reported like any other; the window stays usable.
  RunGuarded(Handle(), L"starting up", 0, [this] {
    FormCreate();
    return 0;
  });
  FCreationDone = true;
  // A quit or a log-off that came in while the creation step waited on the scheduler.
  if (FQuitPending) {
    QuitForUninstall();
  } else if (FEndSessionPending) {
    FCanClose = true;
    Close();
  }
  return true;
}

void TFrmOrvanta::ShowFirstTime() {
  ShowMainWindow(Handle());
}

void TFrmOrvanta::Close() {
  if (Handle() != nullptr) ::SendMessageW(Handle(), WM_CLOSE, 0, 0);
}

void TFrmOrvanta::FormCreate() {
  AttachThemeHelper(this);
  TranslateComponent(this, u"");
  SetApplicationTitle(Caption());
  RegisterAppUserModelId(Caption());
  FNumberFormat = ReadUserNumberFormat();
  EditInfo.SetWindowCaption(TranslateText(u"버전") + u": " + GetVersionText(u"%d.%d.%d"));
  FmtPhysStatus = TranslateText(u"%.0n MB / %.0n MB (%n%% 사용중)");
  Indicator.SetVisible(false);
  for (TLabel* label : {&LblVirtual, &LblVirtualStatus, &LblWorking, &LblWorkingStatus}) label->SetFontColor(Grey);
  PnlMain.SetActiveCard(0);
  CreateTrayIcon();

  if (FStartMode == TStartMode::Install) {
    TComInitialization com(COINIT_APARTMENTTHREADED);
    if (com.Succeeded()) SetAutoStart(*FSeams.Scheduler, AutoStartTaskName, true, 60);
  }
  LoadConfig();
  FCanClose = false;
  FNextTime = Now();
  // Without elevation these stay off and the purge steps that need them fail quietly.
  EnablePrivilege(L"SeIncreaseQuotaPrivilege", true);
  EnablePrivilege(L"SeProfileSingleProcessPrivilege", true);
  TmrStatusTimer(this);
  if (FStartMode == TStartMode::Start) HideMainWindow(Handle());
  // A prompt that must stay on top gets a taskbar button of its own when the window is hidden.
  SetStartedHidden(FStartMode == TStartMode::Start);
  CheckUpdate(
      FSeams.UpdateUrl != nullptr ? std::u16string(FSeams.UpdateUrl) : std::u16string(UpdateServiceAddress),
      [this](bool launched, const std::u16string& data) { UpdateCallback(launched, data); }, 10);
}

void TFrmOrvanta::CreateTrayIcon() {
  FTrayIcon = std::make_unique<TTrayIcon>(this, u"TrayIcon", Handle());
  FTrayIcon->SetImages(&ListIcon);
  FTrayIcon->OnClick = [this](TTrayIcon& sender) { TrayIconClick(&sender); };
  FTrayIcon->SetPopupMenu(&Popup);
  FTrayIcon->SetVisible(true);
  FTrayIcon->Repaint(FStartMode == TStartMode::Start);
  FTrayIcon->SetHint(Caption() + u" " + GetVersionText(u"%d.%d.%d"));
  FTrayIcon->SetIconIndex(0);
}

std::chrono::system_clock::time_point TFrmOrvanta::Now() const {
  return FSeams.Now != nullptr ? FSeams.Now() : std::chrono::system_clock::now();
}

void TFrmOrvanta::TmrStatusTimer(TComponent*) {
  TmrStatus.SetEnabled(false);
  // The limits are read in place: a tick allocates nothing beyond its three texts.
  const TRuleControls rules{{ChkUsagePhys.Checked(), EditUsagePhys.SelectedText()},
                            {ChkUsagePage.Checked(), EditUsagePage.SelectedText()},
                            {ChkUsageWork.Checked(), EditUsageWork.SelectedText()},
                            {ChkMinute.Checked(), EditMinute.SelectedText()}};
  // Hidden in the tray with no usage rule on, nobody reads the figures: the tick measures
  // nothing then, so an idle program costs next to no CPU. Showing the window brings the
  // figures up to date before it appears.
  MemoryStatus status{};
  const bool usageRuleOn = rules.UsagePhys.Checked || rules.UsagePage.Checked || rules.UsageWork.Checked;
  if (usageRuleOn || ::IsWindowVisible(Handle())) status = ShowStatus();

  if (!FIsRunning && RulesAskForClean(status, rules, Now(), FNextTime, FIsRunning)) Clean(false);
  // Only a tick that ran to its end switches the timer on again.
  TmrStatus.SetEnabled(true);
}

MemoryStatus TFrmOrvanta::ShowStatus() {
  // A fresh record each time: a failed file-cache query shows zeros, not the last figures.
  MemoryStatus status{};
  QueryMemoryStatus(status, *FSeams.Memory);
  const TStatusDisplay display = ComposeStatusDisplay(status, FmtPhysStatus, FNumberFormat);
  LblPhysStatus.SetCaption(display.PhysStatus);
  if (LblVirtual.Visible()) LblVirtualStatus.SetCaption(display.VirtualStatus);
  if (LblWorking.Visible()) LblWorkingStatus.SetCaption(display.WorkingStatus);
  ProgressBar.SetPosition(display.ProgressPosition);
  return status;
}

void TFrmOrvanta::BtnCleanClick(TComponent* sender) {
  if (FIsRunning) return;
  Clean(dynamic_cast<const TTrayIcon*>(sender) != nullptr);
}

void TFrmOrvanta::Clean(bool alarm) {
  auto job = std::make_shared<TCleanJob>(TCleanJob{alarm});
  if (FIsRunning) return;
  SetIsRunning(true);
  FCurrentJob = job;
  if (!StartCleanWorker(Handle(), std::move(job), *FSeams.Memory)) {
    // No thread, no purge: the display must not stay busy for ever.
    FCurrentJob.reset();
    SetIsRunning(false);
  }
}

void TFrmOrvanta::CleanDone(const TCleanJob* job) {
  if (job == nullptr || job != FCurrentJob.get()) return;
  const bool alarm = job->Alarm;
  FCurrentJob.reset();
  FNextTime = Now();
  SetIsRunning(false);
  if (alarm) ShowNotification(TranslateText(u"메모리를 정리하였습니다."));
}

void TFrmOrvanta::SetIsRunning(bool running) {
  FIsRunning = running;
  BtnClean.SetCaption(running ? u"" : TranslateText(u"정리하기"));
  BtnClean.SetEnabled(!running);
  // Decided once, here: a job started while the window is hidden or inactive shows no spinner.
  const bool spin = running && Handle() != nullptr && ::GetActiveWindow() == Handle() && ::IsWindowVisible(Handle());
  Indicator.SetVisible(spin);
  Indicator.SetAnimating(spin);
  if (FTrayIcon) FTrayIcon->SetIconIndex(running ? 1 : 0);
}

void TFrmOrvanta::ShowNotification(std::u16string_view text) {
  if (FSeams.ShowNotification != nullptr) {
    FSeams.ShowNotification(Caption(), text);
    return;
  }
  ShowToast(SystemWinRtApi(), reinterpret_cast<const char16_t*>(OrvantaAppUserModelId), Caption(), text);
}

void TFrmOrvanta::TrayIconClick(TComponent* sender) {
  if (ChkCleanOnTray.Checked()) {
    BtnCleanClick(sender);
  } else {
    ShowMainWindow(Handle());
  }
}

void TFrmOrvanta::BtnOpenClick(TComponent*) {
  ShowMainWindow(Handle());
}

void TFrmOrvanta::BtnCopyrightClick(TComponent*) {
  ShellOpen(CopyrightLink());
}

void TFrmOrvanta::BtnCloseClick(TComponent*) {
  const std::u16string question = TranslateText(u"정말 종료하시겠습니까?");
  const std::u16string& title = ApplicationTitle();
  // Yes/No, question icon, No as the default, brought to the front and kept on top.
  constexpr UINT QuitConfirmationStyle = 0x50124;
  const int answer = ::MessageBoxW(Handle(), reinterpret_cast<const wchar_t*>(question.c_str()),
                                   reinterpret_cast<const wchar_t*>(title.c_str()), QuitConfirmationStyle);
  if (answer != IDYES) return;
  FCanClose = true;
  Close();
}

void TFrmOrvanta::UpdateCallback(bool launched, const std::u16string&) {
  if (!launched) return;
  FCanClose = true;
  Close();
}

bool TFrmOrvanta::FormCloseQuery() {
  const bool canClose = FCanClose || DebugBuild;
  if (!canClose) HideMainWindow(Handle());
  return canClose;
}

void TFrmOrvanta::BtnHomeClick(TComponent* sender) {
  if (sender == nullptr) return;
  if (SameTextAscii(sender->Name(), u"BtnHome")) {
    BtnHome.SetDown(true);
    PnlMain.SetActiveCard(0);
  } else if (SameTextAscii(sender->Name(), u"BtnConfig")) {
    BtnConfig.SetDown(true);
    PnlMain.SetActiveCard(1);
  } else if (SameTextAscii(sender->Name(), u"BtnDonate")) {
    ShellOpen(DonateLink());
  }
}

void TFrmOrvanta::SVGIconImage1Click(TComponent*) {
  ShellOpen(LogoLink());
}

void TFrmOrvanta::EditInfoClick(TComponent*) {
  // The read-only version field must not keep the keyboard focus.
  ::SetFocus(Handle());
}

void TFrmOrvanta::OnInstanceMessage(WPARAM wParam) {
  if (!FTrayIcon) return;
  switch (InstanceCommandOf(wParam)) {
    case TInstanceCommand::Show:
      ShowMainWindow(Handle());
      break;
    case TInstanceCommand::Quit:
      // A thread waiting on COM still takes messages sent from other processes: a quit in
      // the middle of the creation step waits for its end, or the step would go on against
      // a window that is gone (and might register the task the quit removes).
      if (FCreationDone) {
        QuitForUninstall();
      } else {
        FQuitPending = true;
      }
      break;
    case TInstanceCommand::None:
      break;
  }
}

void TFrmOrvanta::QuitForUninstall() {
  {
    // The logon task is removed only when COM is available; the quit happens anyway.
    TComInitialization com(COINIT_APARTMENTTHREADED);
    if (com.Succeeded()) SetAutoStart(*FSeams.Scheduler, AutoStartTaskName, false, 0);
  }
  FCanClose = true;
  Close();
}

LRESULT TFrmOrvanta::OnQueryEndSession() {
  // Log-off or shutdown: close for real rather than hide, and never block the session.
  if (!FCreationDone) {
    FEndSessionPending = true;
    return TRUE;
  }
  FCanClose = true;
  Close();
  return TRUE;
}

void TFrmOrvanta::CentreOnScreen() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (!::GetMonitorInfoW(::MonitorFromWindow(Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor)) return;
  RECT bounds{};
  ::GetWindowRect(Handle(), &bounds);
  const RECT& work = monitor.rcWork;
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  ::SetWindowPos(Handle(), nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TFrmOrvanta::HandleMessage(TMessage& message) {
  if (FTrayIcon && FTrayIcon->HandleHostMessage(message.Msg, message.WParam, message.LParam, message.Result)) {
    return true;
  }
  if (message.Msg == CleanDoneMessage()) {
    CleanDone(reinterpret_cast<const TCleanJob*>(message.LParam));
    message.Result = 0;
    return true;
  }
  switch (message.Msg) {
    case WM_CLOSE:
      if (FormCloseQuery()) ::DestroyWindow(Handle());
      message.Result = 0;
      return true;
    case WM_DESTROY:
      // The icon leaves the notification area with the window, and a job still running
      // finds no one to report to.
      FTrayIcon.reset();
      FCurrentJob.reset();
      SetApplicationTerminating(true);
      ::PostQuitMessage(0);
      message.Result = 0;
      return true;
    case WM_QUERYENDSESSION:
      message.Result = OnQueryEndSession();
      return true;
    case WM_SHOWWINDOW:
      // Hidden ticks may have left the figures behind; they are fresh before anyone sees them.
      if (message.WParam != FALSE) ShowStatus();
      return false;
    case WM_USER:
      OnInstanceMessage(message.WParam);
      message.Result = 0;
      return true;
    case WM_HELP:
      // F1 opens no help.
      message.Result = 0;
      return true;
    default:
      return false;
  }
}
