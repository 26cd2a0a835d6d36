#pragma once

#include <windows.h>

#include <hstring.h>
#include <roapi.h>

#include <string_view>

#include "app/ToastAbi.h"

// The Windows Runtime calls of a toast. Tests pass a table of their own to record what a
// toast is given; the program uses SystemWinRtApi().
struct TWinRtApi {
  HRESULT(WINAPI* RoInitialize)(RO_INIT_TYPE initType);
  void(WINAPI* RoUninitialize)();
  HRESULT(WINAPI* RoGetActivationFactory)(HSTRING activatableClassId, REFIID iid, void** factory);
  HRESULT(WINAPI* RoActivateInstance)(HSTRING activatableClassId, winrtabi::IInspectable** instance);
  HRESULT(WINAPI* WindowsCreateString)(LPCWSTR sourceString, UINT32 length, HSTRING* string);
  HRESULT(WINAPI* WindowsDeleteString)(HSTRING string);
};

// Bound once to System32's combase.dll, loaded at run time: the import library would
// bring in api-set DLLs that are not KnownDLLs. When combase or any of its entry points
// is missing, every entry is a stub that fails, so no toast starts half-way.
const TWinRtApi& SystemWinRtApi();

// Shows one toast of the application appUserModelId with a title line and a body line.
// Every failure is dropped: without a toast service (as under Wine), with notifications
// turned off, or with any call failing, nothing is shown and nothing is raised. The
// calling thread is initialised single-threaded for the Windows Runtime only for the
// call and uninitialised again, so later COM users of the thread find it as it was; a
// thread already in the multithreaded apartment stays there.
void ShowToast(const TWinRtApi& api, std::u16string_view appUserModelId, std::u16string_view title,
               std::u16string_view body);
