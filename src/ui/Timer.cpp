#include "ui/Timer.h"

#include "ui/Form.h"

TTimer::TTimer(TFormWindow* form, std::u16string name, UINT intervalMs, bool enabled)
    : TComponent(form, std::move(name)), FForm(form), FInterval(intervalMs), FEnabled(enabled) {
  FForm->RegisterTimer(this);
}

TTimer::~TTimer() {
  if (FForm->Handle() != nullptr) ::KillTimer(FForm->Handle(), TimerId());
  FForm->UnregisterTimer(this);
}

void TTimer::SetEnabled(bool enabled) {
  FEnabled = enabled;
  HandleWindowChanged();
}

void TTimer::HandleWindowChanged() {
  const HWND window = FForm->Handle();
  if (window == nullptr) return;
  if (FEnabled) {
    ::SetTimer(window, TimerId(), FInterval, nullptr);
  } else {
    ::KillTimer(window, TimerId());
  }
}
