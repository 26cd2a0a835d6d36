#include "WindowDriver.h"

#include <objidl.h>
// GDI+ wants min and max, which NOMINMAX keeps out of windows.h.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include <cstdint>
#include <memory>
#include <vector>

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

namespace {

// The window's pixels as the screen shows them.
std::vector<std::uint32_t> CapturePixels(HWND window, HBITMAP& bitmap, int& width, int& height) {
  RECT bounds{};
  ::GetWindowRect(window, &bounds);
  width = bounds.right - bounds.left;
  height = bounds.bottom - bounds.top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const HDC screen = ::GetDC(nullptr);
  bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HDC memory = ::CreateCompatibleDC(screen);
  const HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY);
  ::GdiFlush();
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  const auto* first = static_cast<const std::uint32_t*>(bits);
  return std::vector<std::uint32_t>(first, first + static_cast<std::size_t>(width) * height);
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
  // Two captures in a row that agree: painting is over.
  HBITMAP bitmap = nullptr;
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> previous;
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (bitmap != nullptr) ::DeleteObject(bitmap);
    std::vector<std::uint32_t> current = CapturePixels(window, bitmap, width, height);
    if (!previous.empty() && current == previous) break;
    previous = std::move(current);
    ::Sleep(100);
  }

  bool saved = false;
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok) {
    {
      Gdiplus::Bitmap image(bitmap, nullptr);
      CLSID encoder{};
      saved = PngEncoder(encoder) && image.Save(path.c_str(), &encoder, nullptr) == Gdiplus::Ok;
    }
    Gdiplus::GdiplusShutdown(token);
  }
  ::DeleteObject(bitmap);
  return saved;
}
