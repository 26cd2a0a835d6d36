#include "update/UpdateDialog.h"

#include <windows.h>

#include "app/ApplicationTitle.h"
#include "app/InstanceName.h"
#include "i18n/Translation.h"
#include "ui/MessageDialog.h"
#include "update/AnswerReader.h"
#include "update/PromptLayout.h"
#include "update/PromptText.h"
#include "update/ShellOpen.h"
#include "update/UpdateCheck.h"

namespace {

bool StartedHidden = false;

BOOL CALLBACK FindMainWindow(HWND window, LPARAM found) {
  wchar_t className[64] = {};
  ::GetClassNameW(window, className, 64);
  if (::lstrcmpW(className, InstanceName) != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// The prompt belongs to the main window of this thread, when there is one.
HWND MainWindow() {
  HWND found = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), &FindMainWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

HICON SmallApplicationIcon(UINT dpi) {
  return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON,
                                         ::GetSystemMetricsForDpi(SM_CXSMICON, dpi),
                                         ::GetSystemMetricsForDpi(SM_CYSMICON, dpi), LR_SHARED));
}

}  // namespace

void SetStartedHidden(bool hidden) {
  StartedHidden = hidden;
}

bool UpdateDialog(const std::u16string& data) {
  TServiceAnswer answer;
  try {
    answer = ReadServiceAnswer(data);
  } catch (const TUnescapeError&) {
    return false;
  }
  const std::u16string& language = CurrentLanguage();
  TMessageDialog dialog(MainWindow(), TranslateText(ApplicationTitle()), PromptText(0, language),
                        PromptText(1, language), PromptText(2, language));
  if (dialog.Handle() == nullptr) return false;
  if (answer.Flag.find(u"stayontop") != std::u16string::npos) {
    dialog.KeepOnTop();
    if (StartedHidden) dialog.StandAlone(SmallApplicationIcon(dialog.Dpi()));
  }
  if (!answer.Style.empty()) {
    const int dpi = static_cast<int>(dialog.Dpi());
    const TNoticeLayout row = NoticeLayout(dialog.OuterHeight(), dpi, UpdateLayoutAdjust());
    dialog.GrowBy(row.ExtraHeight);
    dialog.AddLine(row.LineTop, RGB(204, 204, 204));
    if (answer.Style == u"hold") {
      dialog.AddTickBox(answer.Text, row.RowLeft, row.RowTop, dialog.OuterWidth());
    } else if (answer.Style == u"note") {
      dialog.AddLink(answer.Text, row.RowLeft, row.RowTop, [url = answer.Url] { ShellOpen(url); });
    }
  }
  const TDialogOutcome outcome = dialog.ShowModal();
  // The user asked to hold the update, whatever the button.
  if (dialog.Ticked()) SendHoldCommand();
  return outcome == TDialogOutcome::Yes;
}
