#include "JourneySteps.h"

#include <algorithm>
#include <string>

#include "RealInput.h"
#include "TrayDriver.h"
#include "WindowDriver.h"

using namespace std::chrono_literals;

void Journey::SetUp() {
  EndAnyInstance();
  ForgetSettings();
}

void Journey::TearDown() {
  EndAnyInstance();
  ForgetSettings();
}

HWND WaitForShownWindow(TOrvantaProcess& program) {
  const HWND form = program.WaitForInstanceWindow();
  return form != nullptr && WaitForVisibility(form, true) ? form : nullptr;
}

RECT ScreenRect(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return rect;
}

POINT Middle(const RECT& rect) {
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

bool ClickControlOf(HWND window, int controlId) {
  const HWND control = ::GetDlgItem(window, controlId);
  return control != nullptr && ClickAt(Middle(ScreenRect(control)));
}

bool ClickCloseButton(HWND window) {
  // Found by asking the window what lies under points of its title bar's right end, so
  // that the frame's metrics at any DPI need not be known here.
  const RECT frame = ScreenRect(window);
  RECT button{frame.right, frame.bottom, frame.left, frame.top};
  for (int y = frame.top; y < frame.top + 80 && y < frame.bottom; y += 2) {
    for (int x = frame.right - 1; x > frame.right - 120 && x > frame.left; x -= 2) {
      LRESULT hit = HTNOWHERE;
      if (!SendWithTimeout(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), &hit) || hit != HTCLOSE) continue;
      button = {std::min(button.left, static_cast<LONG>(x)), std::min(button.top, static_cast<LONG>(y)),
                std::max(button.right, static_cast<LONG>(x)), std::max(button.bottom, static_cast<LONG>(y))};
    }
  }
  return button.left <= button.right && ClickAt(Middle(button));
}

bool ClickTrayIcon(bool rightButton) {
  if (!WaitForTrayColour(TrayIdleBody)) return false;
  const auto icon = FindTaskbarColour(TrayIdleBody);
  return icon.has_value() && ClickAt(*icon, rightButton);
}

HWND OpenQuitConfirmation(DWORD processId) {
  if (!ClickTrayIcon(true) || WaitForPopupMenu() == nullptr || !PressKeys(L"Up Return")) return nullptr;
  HWND question = nullptr;
  WaitUntil([&] { return (question = VisibleWindowOf(processId, MessageBoxClass)) != nullptr; }, 5s);
  return question;
}

bool IsChecked(HWND form, int boxId) {
  LRESULT state = 0;
  return SendWithTimeout(::GetDlgItem(form, boxId), BM_GETCHECK, 0, 0, &state) && state == BST_CHECKED;
}

bool WaitForVisibility(HWND window, bool visible, std::chrono::milliseconds limit) {
  return WaitUntil([&] { return (::IsWindowVisible(window) != FALSE) == visible; }, limit);
}

bool WaitForChildText(HWND window, const std::wstring& text, std::chrono::milliseconds limit) {
  return WaitUntil(
      [&] {
        for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
          if (::IsWindowVisible(child) && WindowText(child) == text) return true;
        }
        return false;
      },
      limit);
}

bool WaitForTrayColour(TColor colour, std::chrono::milliseconds limit) {
  return WaitUntil([&] { return FindTaskbarColour(colour).has_value(); }, limit);
}

RECT NotificationArea() {
  RECT area = TaskbarRect();
  area.left = std::max(area.left, area.right - 200);
  return area;
}

bool SaveJourneyShot(const RECT& area, const std::wstring& name) {
  // The build folder's screenshots folder may not exist yet in a run of this suite alone.
  const std::string folder = ORVANTA_JOURNEY_SHOT_DIR;
  ::CreateDirectoryA(folder.substr(0, folder.find_last_of('/')).c_str(), nullptr);
  ::CreateDirectoryA(folder.c_str(), nullptr);
  return SaveScreenshot(area, std::wstring(folder.begin(), folder.end()) + L"/" + name + L".png");
}
