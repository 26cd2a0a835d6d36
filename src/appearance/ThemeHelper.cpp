#include "appearance/ThemeHelper.h"

#include <memory>
#include <stdexcept>

#include "appearance/AccentBlue.h"
#include "win32/ProcAddress.h"

namespace {

constexpr DWORD UseImmersiveDarkMode = 20;  // DWMWA_USE_IMMERSIVE_DARK_MODE, missing from mingw-w64
constexpr int AccentLineHeight96 = 2;
constexpr TColor GrayTextColor = SystemColor(COLOR_GRAYTEXT);

TFormWindow* RequireForm(TComponent* owner) {
  auto* form = dynamic_cast<TFormWindow*>(owner);
  if (form == nullptr) throw std::invalid_argument("TThemeHelper Owner must be a TForm");
  return form;
}

// dwmapi is not a KnownDLL, so it is loaded from System32 only; a failure just leaves
// the system's title bar.
void RequestDarkTitleBar(HWND window) {
  using TDwmSetWindowAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
  static const HMODULE dwmapi = LoadSystemLibrary(L"dwmapi.dll");
  const auto setAttribute = ProcAddress<TDwmSetWindowAttribute>(dwmapi, "DwmSetWindowAttribute");
  if (setAttribute == nullptr || window == nullptr) return;
  const std::int32_t on = -1;
  setAttribute(window, UseImmersiveDarkMode, &on, sizeof(on));
}

class TAccentLine : public TShape {
 public:
  TAccentLine(TFormWindow* form) : TShape(form, u"", form, {0, 0, form->ClientWidth96(), AccentLineHeight96}, 0) {}
};

}  // namespace

TThemeHelper::TThemeHelper(TComponent* owner)
    : TComponent(RequireForm(owner), u""), FForm(static_cast<TFormWindow*>(owner)), FActiveColor(AccentBlue) {
  RequestDarkTitleBar(FForm->Handle());
  FShape = FForm->Adopt(std::make_unique<TAccentLine>(FForm));
  FShape->SetFillColor(FActiveColor);
  FShape->CreateHandles();
  FShape->Realize();
  FOldWindowProc = FForm->WindowProc;
  FForm->WindowProc = [this](TMessage& message) { ThemeWindowProc(message); };
  UpdateAccentLine();
}

TThemeHelper::~TThemeHelper() {
  if (FForm != nullptr) FForm->WindowProc = FOldWindowProc;
}

void TThemeHelper::ThemeWindowProc(TMessage& message) {
  if (message.Msg == WM_SIZE) {
    UpdateAccentLine();
  } else if (message.Msg == WM_ACTIVATE) {
    FIsActive = LOWORD(message.WParam) != WA_INACTIVE;
    UpdateAccentLine();
  }
  FOldWindowProc(message);
}

void TThemeHelper::UpdateAccentLine() {
  FShape->SetFillColor(FIsActive ? FActiveColor : GrayTextColor);
  FShape->SetVisible(!FForm->Borderless());
}

TThemeHelper* AttachThemeHelper(TComponent* form) {
  return RequireForm(form)->Adopt(std::make_unique<TThemeHelper>(form));
}
