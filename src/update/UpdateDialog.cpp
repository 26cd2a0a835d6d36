#include "update/UpdateDialog.h"

// The prompt is not built yet: no update is offered, and the check reports (false, data).
bool UpdateDialog(const std::u16string&) {
  return false;
}
