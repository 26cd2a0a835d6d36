#include "update/FormHelper.h"

#include "update/ShellOpen.h"

void TFormHelper::OpenURL(const TComponent* sender) {
  if (sender != nullptr) ShellOpen(sender->Hint());
}
