#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "i18n/ComponentKinds.h"
#include "ui/Fonts.h"
#include "ui/LayoutNode.h"
#include "ui/Message.h"

class TTimer;

// A top-level window with a layout of parts at 96 DPI, scaled to its DPI. Messages pass
// through WindowProc, which a helper may replace for a while and put back.
class TFormWindow : public TForm, public TLayoutNode {
 public:
  struct TFormStyle {
    const wchar_t* ClassName;
    DWORD Style;
    DWORD ExStyle;
    int ClientWidth96;
    int ClientHeight96;
    bool Borderless = false;
  };

  TFormWindow(std::u16string name, const TFormStyle& style);
  ~TFormWindow() override;

  // Creates the window (hidden) and the windows of every part.
  bool CreateWindowAndControls();

  HWND Handle() const { return FHandle; }
  UINT Dpi() const;
  HFONT FontFor(const TFontDescription& description);
  bool Borderless() const { return FStyle.Borderless; }
  int ClientWidth96() const { return FStyle.ClientWidth96; }

  bool HasCaption() const override { return true; }
  std::u16string Caption() const override { return FCaption; }
  void SetCaption(std::u16string_view caption) override;

  TFormWindow* Form() override { return this; }

  // The form's message handling; replace it only by a handler that passes messages on.
  std::function<void(TMessage&)> WindowProc;
  // What WindowProc starts as: the form's own handling.
  void DefaultWindowProc(TMessage& message);

  // Gives the form a component to keep until it is destroyed itself.
  template <typename TOwned>
  TOwned* Adopt(std::unique_ptr<TOwned> component) {
    TOwned* kept = component.get();
    FAdopted.push_back(std::move(component));
    return kept;
  }
  // Destroys an adopted component before the form.
  void DestroyAdopted(TComponent* component);

  // Destroys the window while the whole form object still exists. A derived form calls
  // this first in its destructor, so no message reaches a half-destroyed object.
  void DestroyHandle();

  void RegisterTimer(TTimer* timer);
  void UnregisterTimer(TTimer* timer);

 protected:
  // The derived form's own messages; false passes the message on to the defaults.
  virtual bool HandleMessage(TMessage& message) = 0;
  // Where a C++ error raised while handling a message is reported from.
  virtual const wchar_t* ErrorContext() const { return L"a window message"; }

 private:
  static LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool HandleControlMessage(TMessage& message);
  void ApplyDpi(const RECT* suggested);

  HWND FHandle = nullptr;
  // The scale the last WM_DPICHANGED announced, 0 until one came: the window follows the
  // scale the message carries rather than asking the system again.
  UINT FAnnouncedDpi = 0;
  TFormStyle FStyle;
  std::u16string FCaption;
  struct TCachedFont {
    TFontDescription Description;
    UINT Dpi;
    TGdiObject<HFONT> Font;
  };
  std::vector<TCachedFont> FFonts;  // a handful: one per face and size in use
  std::vector<TTimer*> FTimers;
  HBRUSH FBackground;
  // Declared last: destroyed first, while WindowProc, which a helper may restore, still exists.
  std::vector<std::unique_ptr<TComponent>> FAdopted;
};
