#include "WindowDriver.h"

#include <objidl.h>
// GDI+ wants min and max, which NOMINMAX keeps out of windows.h.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Canvas.h"
#include "OrvantaProcess.h"
#include "app/MainWindowControls.h"

RECT ControlRect(HWND form, int controlId) {
  RECT rect{};
  const HWND control = ::GetDlgItem(form, controlId);
  if (control == nullptr) return rect;
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::wstring WindowText(HWND window) {
  wchar_t text[512] = {};
  DWORD_PTR length = 0;
  ::SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &length);
  return std::wstring(text, length);
}

SIZE ClientSize(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  return {client.right, client.bottom};
}

void ClickControl(HWND form, int controlId) {
  const HWND control = ::GetDlgItem(form, controlId);
  RECT client{};
  ::GetClientRect(control, &client);
  const LPARAM middle = MAKELPARAM(client.right / 2, client.bottom / 2);
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(control, WM_MOUSEMOVE, 0, middle, SMTO_ABORTIFHUNG, 5000, &ignored);
  ::SendMessageTimeoutW(control, WM_LBUTTONDOWN, MK_LBUTTON, middle, SMTO_ABORTIFHUNG, 5000, &ignored);
  ::SendMessageTimeoutW(control, WM_LBUTTONUP, 0, middle, SMTO_ABORTIFHUNG, 5000, &ignored);
}

bool TickBox(HWND form, int boxId) {
  using namespace std::chrono_literals;
  ClickControl(form, IdBtnConfig);
  if (!WaitUntil([&] { return ::IsWindowVisible(::GetDlgItem(form, boxId)) != FALSE; }, 5s)) return false;
  ClickControl(form, boxId);
  return WaitUntil(
      [&] {
        LRESULT state = 0;
        return SendWithTimeout(::GetDlgItem(form, boxId), BM_GETCHECK, 0, 0, &state) && state == BST_CHECKED;
      },
      5s);
}

HWND FocusedWindowOf(HWND form) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(form, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

std::size_t VisibleTopLevelWindowsOf(DWORD processId) {
  struct TCount {
    DWORD Process;
    std::size_t Visible;
  } count{processId, 0};
  ::EnumWindows(
      [](HWND window, LPARAM state) -> BOOL {
        auto* count = reinterpret_cast<TCount*>(state);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == count->Process && ::IsWindowVisible(window)) ++count->Visible;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count.Visible;
}

HWND VisibleWindowOf(DWORD processId, const wchar_t* className) {
  HWND found = nullptr;
  for (HWND window = ::FindWindowW(className, nullptr); window != nullptr;
       window = ::FindWindowExW(nullptr, window, className, nullptr)) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == processId && ::IsWindowVisible(window)) found = window;
  }
  return found;
}

HWND WaitForPopupMenu() {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        found = ::FindWindowW(PopupMenuClass, nullptr);
        return found != nullptr && ::IsWindowVisible(found);
      },
      std::chrono::seconds(5));
  return found;
}

namespace {

// Copies what the screen shows of an area into a canvas of its size.
std::unique_ptr<TCanvas> CaptureArea(const RECT& bounds) {
  auto canvas = std::make_unique<TCanvas>(bounds.right - bounds.left, bounds.bottom - bounds.top);
  const HDC screen = ::GetDC(nullptr);
  ::BitBlt(canvas->DC(), 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top, screen, bounds.left, bounds.top,
           SRCCOPY);
  ::ReleaseDC(nullptr, screen);
  return canvas;
}

bool PngEncoder(CLSID& encoder) {
  UINT count = 0;
  UINT size = 0;
  Gdiplus::GetImageEncodersSize(&count, &size);
  if (size == 0) return false;
  std::vector<unsigned char> buffer(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  Gdiplus::GetImageEncoders(count, size, codecs);
  for (UINT i = 0; i < count; ++i) {
    if (std::wstring(codecs[i].MimeType) == L"image/png") {
      encoder = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

}  // namespace

bool SaveWindowScreenshot(HWND window, const std::wstring& path) {
  RECT bounds{};
  ::GetWindowRect(window, &bounds);
  return SaveScreenshot(bounds, path);
}

bool SaveScreenshot(const RECT& area, const std::wstring& path, bool waitUntilSettled) {
  // Two captures 100 ms apart that agree: painting is over.
  std::unique_ptr<TCanvas> capture = CaptureArea(area);
  for (int attempt = 0; waitUntilSettled && attempt < 50; ++attempt) {
    ::Sleep(100);
    std::unique_ptr<TCanvas> again = CaptureArea(area);
    const bool settled = again->Pixels() == capture->Pixels();
    capture = std::move(again);
    if (settled) break;
  }

  bool saved = false;
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok) {
    {
      // Built from the pixels, not from the bitmap, which stays selected into its DC.
      std::vector<std::uint32_t> pixels = capture->Pixels();
      const RECT size = capture->Bounds();
      Gdiplus::Bitmap image(size.right, size.bottom, size.right * 4, PixelFormat32bppRGB,
                            reinterpret_cast<BYTE*>(pixels.data()));
      CLSID encoder{};
      saved = PngEncoder(encoder) && image.Save(path.c_str(), &encoder, nullptr) == Gdiplus::Ok;
    }
    Gdiplus::GdiplusShutdown(token);
  }
  return saved;
}

const char* ScreenshotFolder() {
  const char* language = std::getenv("ORVANTA_TEST_LANGUAGE");
  if (language == nullptr || std::string(language) != "en") return nullptr;
  return std::getenv("ORVANTA_SCREENSHOT_DIR");
}
