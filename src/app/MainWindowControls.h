#pragma once

// Control identifiers of the main window's child windows. Keyboard navigation, screen
// readers and test drivers find the controls by them.
enum TMainWindowControlId : int {
  IdBtnHome = 101,
  IdBtnConfig,
  IdBtnDonate,
  IdLogoImage,
  IdLblTitle = 201,
  IdProgressBar,
  IdLblPhys,
  IdLblPhysStatus,
  IdLblVirtual,
  IdLblVirtualStatus,
  IdLblWorking,
  IdLblWorkingStatus,
  IdBtnClean,
  IdIndicator,
  IdGroupBox1 = 301,
  IdChkUsagePhys,
  IdEditUsagePhys,
  IdChkUsagePage,
  IdEditUsagePage,
  IdChkUsageWork,
  IdEditUsageWork,
  IdChkMinute,
  IdEditMinute,
  IdGroupBox3,
  IdChkAutoStart,
  IdChkCleanOnTray,
  IdEditInfo,
};
