#pragma once

#include <windows.h>

#include <functional>

#include "i18n/Component.h"

class TFormWindow;

// A window timer of the form; it ticks while enabled and the form's window exists.
class TTimer : public TComponent {
 public:
  TTimer(TFormWindow* form, std::u16string name, UINT intervalMs, bool enabled);
  ~TTimer() override;

  std::function<void(TTimer&)> OnTimer;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  UINT_PTR TimerId() const { return reinterpret_cast<UINT_PTR>(this); }
  // The form's window now exists (or is gone): start or stop the system timer.
  void HandleWindowChanged();

 private:
  TFormWindow* FForm;
  UINT FInterval;
  bool FEnabled;
};
