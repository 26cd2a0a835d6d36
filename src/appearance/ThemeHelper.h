#pragma once

#include <functional>

#include "i18n/Component.h"
#include "ui/Color.h"
#include "ui/Form.h"
#include "ui/Shape.h"

// The main window's own touches: a dark title bar and a 2-pixel accent line across the
// top of the client area, blue while the window is active and grey while it is not.
class TThemeHelper : public TComponent {
 public:
  // Owner must be a form; anything else is refused with "TThemeHelper Owner must be a TForm".
  explicit TThemeHelper(TComponent* owner);
  ~TThemeHelper() override;

  TShape& AccentLine() { return *FShape; }

 private:
  void ThemeWindowProc(TMessage& message);
  void UpdateAccentLine();

  TFormWindow* FForm;
  TColor FActiveColor;
  bool FIsActive = true;
  TShape* FShape;  // belongs to the form and goes with it
  std::function<void(TMessage&)> FOldWindowProc;
};

// Creates the helper for a form; the form holds it from then on.
TThemeHelper* AttachThemeHelper(TComponent* form);
