#include "update/ShellOpen.h"

#include <windows.h>
// After windows.h, which they need.
#include <exdisp.h>
#include <servprov.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <string>

#include "update/LinkFilter.h"
#include "win32/ComInitialization.h"
#include "win32/WideText.h"

namespace {

using Microsoft::WRL::ComPtr;

// The desktop's own shell, which runs with the user's ordinary rights: a browser started
// from this elevated process would run elevated, and so would whatever is downloaded and
// opened in it. Null when the desktop shell cannot be reached.
ComPtr<IShellDispatch2> DesktopShell() {
  ComPtr<IShellWindows> windows;
  if (FAILED(::CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_PPV_ARGS(&windows)))) {
    return nullptr;
  }
  VARIANT desktop{};
  desktop.vt = VT_I4;
  desktop.lVal = CSIDL_DESKTOP;
  VARIANT root{};
  LONG window = 0;
  ComPtr<IDispatch> dispatch;
  if (windows->FindWindowSW(&desktop, &root, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, &dispatch) != S_OK || !dispatch) {
    return nullptr;
  }
  ComPtr<IServiceProvider> services;
  ComPtr<IShellBrowser> browser;
  ComPtr<IShellView> view;
  ComPtr<IDispatch> background;
  ComPtr<IShellFolderViewDual> folderView;
  ComPtr<IDispatch> application;
  ComPtr<IShellDispatch2> shell;
  if (FAILED(dispatch.As(&services)) || FAILED(services->QueryService(SID_STopLevelBrowser, IID_PPV_ARGS(&browser))) ||
      !browser || FAILED(browser->QueryActiveShellView(&view)) || !view ||
      FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_PPV_ARGS(&background))) || !background ||
      FAILED(background.As(&folderView)) || FAILED(folderView->get_Application(&application)) || !application ||
      FAILED(application.As(&shell))) {
    return nullptr;
  }
  return shell;
}

void OpenWithShell(const wchar_t* target) {
  const TComInitialization com(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  if (!com.Succeeded()) return;
  const ComPtr<IShellDispatch2> shell = DesktopShell();
  // No elevated fallback: where the desktop shell is out of reach, nothing opens.
  if (!shell) return;
  BSTR file = ::SysAllocString(target);
  BSTR verb = ::SysAllocString(L"open");
  if (file != nullptr && verb != nullptr) {
    VARIANT none{};
    VARIANT operation{};
    operation.vt = VT_BSTR;
    operation.bstrVal = verb;
    VARIANT show{};
    show.vt = VT_I4;
    show.lVal = SW_SHOWNORMAL;
    shell->ShellExecute(file, none, none, operation, show);
  }
  ::SysFreeString(verb);
  ::SysFreeString(file);
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
