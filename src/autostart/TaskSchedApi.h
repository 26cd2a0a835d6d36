#pragma once

#include <taskschd.h>
#include <windows.h>

// The Task Scheduler 2.0 identifiers the logon task uses, written out so that no GUID
// library has to be linked.
inline constexpr CLSID ClsidTaskScheduler = {
    0x0F87369F, 0xA4E5, 0x4CFC, {0xBD, 0x3E, 0x73, 0xE6, 0x15, 0x45, 0x72, 0xDD}};
inline constexpr IID IidTaskService = {0x2FABA4C7, 0x4DA9, 0x4013, {0x96, 0x97, 0x20, 0xCC, 0x3F, 0xD4, 0x0F, 0x85}};
inline constexpr IID IidExecAction = {0x4C3D624D, 0xFD6B, 0x49A3, {0xB9, 0xB7, 0x09, 0xCB, 0x3C, 0xD3, 0xF0, 0x47}};
inline constexpr IID IidLogonTrigger = {0x72DADE38, 0xFAE4, 0x4B3E, {0xBA, 0xF4, 0x5D, 0x00, 0x9A, 0xF0, 0x2B, 0x1C}};

// mingw-w64's taskschd.h stops at ITrigger. The logon trigger adds four slots after
// ITrigger's thirteen, in this order.
struct ILogonTrigger : public ITrigger {
  virtual HRESULT STDMETHODCALLTYPE get_Delay(BSTR* delay) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Delay(BSTR delay) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_UserId(BSTR* user) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_UserId(BSTR user) = 0;
};

// The scheduler's service object.
struct CoTaskScheduler {
  // A new service object, not yet connected. On failure *service is null.
  static HRESULT Create(ITaskService** service);
};
