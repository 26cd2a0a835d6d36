#include "ui/CustomControl.h"

#include "ui/CrashReport.h"
#include "win32/GdiObject.h"

namespace {

void RegisterCustomClass(const wchar_t* className, WNDPROC windowProc) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  if (::GetClassInfoExW(instance, className, &existing)) return;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = className;
  ::RegisterClassExW(&windowClass);
}

// The off-screen bitmap of one paint, selected into a memory DC of its own.
class TPaintBuffer {
 public:
  TPaintBuffer(HDC target, const RECT& client)
      : FDc(::CreateCompatibleDC(target)),
        FBitmap(::CreateCompatibleBitmap(target, client.right - client.left, client.bottom - client.top)),
        FSelected(FDc.Get(), FBitmap.Get()) {}
  TPaintBuffer(const TPaintBuffer&) = delete;
  TPaintBuffer& operator=(const TPaintBuffer&) = delete;
  ~TPaintBuffer() = default;
  HDC Dc() const { return FDc.Get(); }

 private:
  // Declared in the order of creation; destroyed in reverse: unselect, bitmap, DC.
  TMemoryDc FDc;
  TGdiObject<HBITMAP> FBitmap;
  TSelectObject FSelected;
};

}  // namespace

TWindowedControl::TCreateParams TCustomControl::CreateParams() const {
  RegisterCustomClass(CustomClassName(), &TCustomControl::StaticWindowProc);
  // Clipped to its siblings, so a control never paints over one lying on top of it (the
  // activity indicator over the clean button).
  return {CustomClassName(), CustomStyle() | WS_CLIPSIBLINGS, 0};
}

void TCustomControl::Repaint() {
  if (Handle() != nullptr) ::InvalidateRect(Handle(), nullptr, FALSE);
}

void TCustomControl::PaintWindow() {
  PAINTSTRUCT paint{};
  const HDC dc = ::BeginPaint(Handle(), &paint);
  RECT client{};
  ::GetClientRect(Handle(), &client);
  if (client.right > 0 && client.bottom > 0) {
    const TPaintBuffer buffer(dc, client);
    PaintBuffered(buffer.Dc(), client);
    ::BitBlt(dc, 0, 0, client.right, client.bottom, buffer.Dc(), 0, 0, SRCCOPY);
  }
  ::EndPaint(Handle(), &paint);
}

LRESULT CALLBACK TCustomControl::StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* created = static_cast<TWindowedControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(static_cast<TCustomControl*>(created)));
  }
  auto* self = reinterpret_cast<TCustomControl*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr || message == WM_NCDESTROY) {
    if (message == WM_NCDESTROY) ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  return RunGuarded(window, L"a control of the window", LRESULT{0}, [&] {
    LRESULT result = 0;
    if (message == WM_ERASEBKGND) return LRESULT{1};  // the buffered paint covers everything
    if (message == WM_PAINT && self->Handle() == window) {
      self->PaintWindow();
      return LRESULT{0};
    }
    if (message == WM_PRINTCLIENT) {
      // Drawing into a caller's DC: printing, and pictures of the control in tests.
      RECT client{};
      ::GetClientRect(window, &client);
      self->PaintBuffered(reinterpret_cast<HDC>(wParam), client);
      return LRESULT{0};
    }
    if (self->HandleWindowMessage(message, wParam, lParam, result)) return result;
    return ::DefWindowProcW(window, message, wParam, lParam);
  });
}
