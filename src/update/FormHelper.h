#pragma once

#include "i18n/Component.h"

// Stateless click handlers shared by the windows.
class TFormHelper {
 public:
  TFormHelper() = delete;
  // Opens the link that Sender keeps in its hint text; an empty hint opens nothing.
  static void OpenURL(const TComponent* sender);
};
