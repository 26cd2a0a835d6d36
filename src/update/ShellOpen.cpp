#include "update/ShellOpen.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <string>

#include "update/LinkFilter.h"
#include "win32/ComInitialization.h"
#include "win32/WideText.h"

namespace {

void OpenWithShell(const wchar_t* target) {
  // The shell may hand the link to a COM server; it asks for an apartment without DDE.
  const TComInitialization com(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  ::ShellExecuteW(nullptr, L"open", target, nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

TShellApi& ShellApi() {
  static TShellApi api{&OpenWithShell};
  return api;
}

void ShellOpen(std::u16string_view target) {
  if (!IsWebLink(target)) return;
  try {
    const std::u16string terminated(target);
    ShellApi().Open(AsWide(terminated));
  } catch (...) {
    // Opening a link reports nothing, not even running out of memory.
  }
}
