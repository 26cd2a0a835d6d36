#include "autostart/AutoStart.h"

// The Task Scheduler session is not wired in yet: nothing is registered, nothing is found.
bool IsAutoStart(const std::wstring&) {
  return false;
}

void SetAutoStart(const std::wstring&, bool, int) {}
