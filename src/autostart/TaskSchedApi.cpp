#include "autostart/TaskSchedApi.h"

#include <wrl/client.h>

HRESULT CoTaskScheduler::Create(ITaskService** service) {
  if (service == nullptr) return E_POINTER;
  *service = nullptr;
  // The service may live in-process or in the scheduler's own process, depending on the system.
  Microsoft::WRL::ComPtr<IUnknown> unknown;
  const HRESULT created = ::CoCreateInstance(ClsidTaskScheduler, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                             IID_IUnknown, reinterpret_cast<void**>(unknown.GetAddressOf()));
  if (FAILED(created)) return created;
  if (!unknown) return E_NOINTERFACE;
  const HRESULT asked = unknown->QueryInterface(IidTaskService, reinterpret_cast<void**>(service));
  if (SUCCEEDED(asked) && *service == nullptr) return E_NOINTERFACE;
  return asked;
}
