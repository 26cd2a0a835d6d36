// The settings page of the main window: loading the stored settings into its controls,
// and the handlers that write each change at once.
#include "app/MainWindow.h"
#include "autostart/AutoStart.h"
#include "settings/Config.h"
#include "win32/ComInitialization.h"

void TFrmOrvanta::LoadConfig() {
  bool autoStart = false;
  {
    TComInitialization com(COINIT_APARTMENTTHREADED);
    if (com.Succeeded()) autoStart = IsAutoStart(*FSeams.Scheduler, AutoStartTaskName);
  }
  const TConfig config(SettingsPath);
  EditUsagePhys.SetEnabled(config.ReadBoolean(L"enabled_usage_phys", false));
  EditUsagePage.SetEnabled(config.ReadBoolean(L"enabled_usage_page", false));
  EditUsageWork.SetEnabled(config.ReadBoolean(L"enabled_usage_work", false));
  // Indexes out of range leave a list without selection (and its rule with its fallback).
  EditUsagePhys.SetItemIndex(config.ReadInteger(L"limit_usage_phys", 6));
  EditUsagePage.SetItemIndex(config.ReadInteger(L"limit_usage_page", 6));
  EditUsageWork.SetItemIndex(config.ReadInteger(L"limit_usage_work", 6));
  EditMinute.SetEnabled(config.ReadBoolean(L"enabled_minute", false));
  EditMinute.SetItemIndex(config.ReadInteger(L"limit_minute", 3));
  // Checking a box here is a click: each box that turns on runs its handler, which writes
  // its value again (and re-registers the logon task for the autostart box).
  ChkCleanOnTray.SetChecked(config.ReadBoolean(L"cleanontray", false));
  ChkUsagePhys.SetChecked(EditUsagePhys.Enabled());
  ChkUsagePage.SetChecked(EditUsagePage.Enabled());
  ChkUsageWork.SetChecked(EditUsageWork.Enabled());
  ChkMinute.SetChecked(EditMinute.Enabled());
  ChkAutoStart.SetChecked(autoStart);
}

void TFrmOrvanta::SaveConfig(const wchar_t* name, int value) {
  TConfig(SettingsPath).WriteInteger(name, value);
}

void TFrmOrvanta::SaveConfig(const wchar_t* name, bool value) {
  TConfig(SettingsPath).WriteBoolean(name, value);
}

void TFrmOrvanta::SaveConfig(const wchar_t* name, std::u16string_view value) {
  TConfig(SettingsPath).WriteString(name, value);
}

void TFrmOrvanta::RuleBoxClick(TCheckBox& box, TDropDownList& list, const wchar_t* valueName) {
  list.SetEnabled(box.Checked());
  FNextTime = Now();
  SaveConfig(valueName, list.Enabled());
}

void TFrmOrvanta::RuleListChange(TDropDownList& list, const wchar_t* valueName) {
  FNextTime = Now();
  SaveConfig(valueName, list.ItemIndex());
}

void TFrmOrvanta::ChkUsagePhysClick(TComponent*) {
  RuleBoxClick(ChkUsagePhys, EditUsagePhys, L"enabled_usage_phys");
}

void TFrmOrvanta::ChkUsagePageClick(TComponent*) {
  RuleBoxClick(ChkUsagePage, EditUsagePage, L"enabled_usage_page");
}

void TFrmOrvanta::ChkUsageWorkClick(TComponent*) {
  RuleBoxClick(ChkUsageWork, EditUsageWork, L"enabled_usage_work");
}

void TFrmOrvanta::ChkMinuteClick(TComponent*) {
  RuleBoxClick(ChkMinute, EditMinute, L"enabled_minute");
}

void TFrmOrvanta::ChkCleanOnTrayClick(TComponent*) {
  SaveConfig(L"cleanontray", ChkCleanOnTray.Checked());
}

void TFrmOrvanta::ChkAutoStartClick(TComponent*) {
  TComInitialization com(COINIT_APARTMENTTHREADED);
  if (!com.Succeeded()) return;
  SetAutoStart(*FSeams.Scheduler, AutoStartTaskName, ChkAutoStart.Checked(), 0);
}

void TFrmOrvanta::EditUsagePhysChange(TComponent*) {
  RuleListChange(EditUsagePhys, L"limit_usage_phys");
}

void TFrmOrvanta::EditUsagePageChange(TComponent*) {
  RuleListChange(EditUsagePage, L"limit_usage_page");
}

void TFrmOrvanta::EditUsageWorkChange(TComponent*) {
  RuleListChange(EditUsageWork, L"limit_usage_work");
}

void TFrmOrvanta::EditMinuteChange(TComponent*) {
  RuleListChange(EditMinute, L"limit_minute");
}
