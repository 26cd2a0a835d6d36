#include "app/ToastNotification.h"

#include <limits>

#include "app/ToastXml.h"
#include "app/WinRtObject.h"
#include "win32/ProcAddress.h"

namespace {

// The C-layout declarations, not the C++ ones of the SDK headers.
using winrtabi::IInspectable;
using winrtabi::IToastNotification;
using winrtabi::IToastNotificationFactory;
using winrtabi::IToastNotificationManagerStatics;
using winrtabi::IToastNotifier;
using winrtabi::IXmlDocument;
using winrtabi::IXmlDocumentIO;

HRESULT WINAPI MissingRoInitialize(RO_INIT_TYPE) {
  return E_NOTIMPL;
}
void WINAPI MissingRoUninitialize() {}
HRESULT WINAPI MissingRoGetActivationFactory(HSTRING, REFIID, void** factory) {
  if (factory != nullptr) *factory = nullptr;
  return E_NOTIMPL;
}
HRESULT WINAPI MissingRoActivateInstance(HSTRING, IInspectable** instance) {
  if (instance != nullptr) *instance = nullptr;
  return E_NOTIMPL;
}
HRESULT WINAPI MissingWindowsCreateString(LPCWSTR, UINT32, HSTRING* string) {
  if (string != nullptr) *string = nullptr;
  return E_NOTIMPL;
}
HRESULT WINAPI MissingWindowsDeleteString(HSTRING) {
  return S_OK;
}

constexpr TWinRtApi MissingWinRtApi{&MissingRoInitialize,           &MissingRoUninitialize,
                                    &MissingRoGetActivationFactory, &MissingRoActivateInstance,
                                    &MissingWindowsCreateString,    &MissingWindowsDeleteString};

TWinRtApi BindSystemWinRtApi() {
  // Never unloaded: the table lives as long as the process.
  const HMODULE combase = LoadSystemLibrary(L"combase.dll");
  TWinRtApi api{};
  api.RoInitialize = ProcAddress<decltype(TWinRtApi::RoInitialize)>(combase, "RoInitialize");
  api.RoUninitialize = ProcAddress<decltype(TWinRtApi::RoUninitialize)>(combase, "RoUninitialize");
  api.RoGetActivationFactory =
      ProcAddress<decltype(TWinRtApi::RoGetActivationFactory)>(combase, "RoGetActivationFactory");
  api.RoActivateInstance = ProcAddress<decltype(TWinRtApi::RoActivateInstance)>(combase, "RoActivateInstance");
  api.WindowsCreateString = ProcAddress<decltype(TWinRtApi::WindowsCreateString)>(combase, "WindowsCreateString");
  api.WindowsDeleteString = ProcAddress<decltype(TWinRtApi::WindowsDeleteString)>(combase, "WindowsDeleteString");
  const bool complete = api.RoInitialize != nullptr && api.RoUninitialize != nullptr &&
                        api.RoGetActivationFactory != nullptr && api.RoActivateInstance != nullptr &&
                        api.WindowsCreateString != nullptr && api.WindowsDeleteString != nullptr;
  return complete ? api : MissingWinRtApi;
}

// The Windows Runtime on the calling thread for one scope, undone only if this scope did it.
class TRuntimeInitialization {
 public:
  explicit TRuntimeInitialization(const TWinRtApi& api)
      : FApi(api), FResult(api.RoInitialize(RO_INIT_SINGLETHREADED)) {}
  TRuntimeInitialization(const TRuntimeInitialization&) = delete;
  TRuntimeInitialization& operator=(const TRuntimeInitialization&) = delete;
  ~TRuntimeInitialization() {
    // S_OK and S_FALSE each count one initialisation; RPC_E_CHANGED_MODE counts none.
    if (SUCCEEDED(FResult)) FApi.RoUninitialize();
  }

  // RPC_E_CHANGED_MODE: the thread is in the multithreaded apartment, where the toast
  // objects work as well.
  bool Usable() const { return SUCCEEDED(FResult) || FResult == RPC_E_CHANGED_MODE; }

 private:
  const TWinRtApi& FApi;
  HRESULT FResult;
};

// Owns one HSTRING. An empty text is a valid null HSTRING, so success is kept apart.
class THString {
 public:
  THString(const TWinRtApi& api, std::u16string_view text) : FApi(api) {
    if (text.size() > std::numeric_limits<UINT32>::max()) return;
    FCreated = SUCCEEDED(
        api.WindowsCreateString(reinterpret_cast<LPCWSTR>(text.data()), static_cast<UINT32>(text.size()), &FString));
    if (!FCreated) FString = nullptr;
  }
  THString(const THString&) = delete;
  THString& operator=(const THString&) = delete;
  ~THString() {
    if (FString != nullptr) FApi.WindowsDeleteString(FString);
  }

  bool Created() const { return FCreated; }
  HSTRING Get() const { return FString; }

 private:
  const TWinRtApi& FApi;
  HSTRING FString = nullptr;
  bool FCreated = false;
};

// Every step below ends the toast on failure; a success that hands back no object counts
// as a failure too, so no null pointer is ever called.
template <typename TInterface>
bool Received(HRESULT result, const TWinRtObject<TInterface>& object) {
  return SUCCEEDED(result) && object;
}

template <typename TFactory>
bool GetActivationFactory(const TWinRtApi& api, const wchar_t* className, REFIID iid, TWinRtObject<TFactory>& factory) {
  const THString name(api, reinterpret_cast<const char16_t*>(className));
  if (!name.Created()) return false;
  const HRESULT result =
      api.RoGetActivationFactory(name.Get(), iid, reinterpret_cast<void**>(static_cast<TFactory**>(factory.Receive())));
  return Received(result, factory);
}

// A Windows.Data.Xml.Dom.XmlDocument holding xml.
TWinRtObject<IXmlDocument> LoadXmlDocument(const TWinRtApi& api, std::u16string_view xml) {
  const THString name(api, reinterpret_cast<const char16_t*>(winrtabi::XmlDocumentClass));
  if (!name.Created()) return {};
  TWinRtObject<IInspectable> instance;
  HRESULT result = api.RoActivateInstance(name.Get(), instance.Receive());
  if (!Received(result, instance)) return {};
  TWinRtObject<IXmlDocumentIO> loader;
  result = instance.QueryInterface(winrtabi::IID_IXmlDocumentIO, loader);
  if (!Received(result, loader)) return {};
  const THString text(api, xml);
  if (!text.Created() || FAILED(loader->lpVtbl->LoadXml(loader.Get(), text.Get()))) return {};
  TWinRtObject<IXmlDocument> document;
  result = instance.QueryInterface(winrtabi::IID_IXmlDocument, document);
  if (!Received(result, document)) return {};
  return document;
}

void ShowToastOrFail(const TWinRtApi& api, std::u16string_view appUserModelId, std::u16string_view title,
                     std::u16string_view body) {
  // Declared first, so it is undone after every object below has been released.
  const TRuntimeInitialization runtime(api);
  if (!runtime.Usable()) return;

  // The toast service first: where it is missing, nothing else is worth building.
  TWinRtObject<IToastNotificationManagerStatics> manager;
  if (!GetActivationFactory(api, winrtabi::ToastNotificationManagerClass,
                            winrtabi::IID_IToastNotificationManagerStatics, manager))
    return;
  const THString applicationId(api, appUserModelId);
  if (!applicationId.Created()) return;
  TWinRtObject<IToastNotifier> notifier;
  HRESULT result = manager->lpVtbl->CreateToastNotifierWithId(manager.Get(), applicationId.Get(), notifier.Receive());
  if (!Received(result, notifier)) return;

  const TWinRtObject<IXmlDocument> document = LoadXmlDocument(api, ToastXml(title, body));
  if (!document) return;
  TWinRtObject<IToastNotificationFactory> factory;
  if (!GetActivationFactory(api, winrtabi::ToastNotificationClass, winrtabi::IID_IToastNotificationFactory, factory))
    return;
  TWinRtObject<IToastNotification> toast;
  result = factory->lpVtbl->CreateToastNotification(factory.Get(), document.Get(), toast.Receive());
  if (!Received(result, toast)) return;
  // Notifications turned off for the program or by policy fail here; that is no error to show.
  notifier->lpVtbl->Show(notifier.Get(), toast.Get());
}

}  // namespace

const TWinRtApi& SystemWinRtApi() {
  static const TWinRtApi api = BindSystemWinRtApi();
  return api;
}

void ShowToast(const TWinRtApi& api, std::u16string_view appUserModelId, std::u16string_view title,
               std::u16string_view body) {
  try {
    ShowToastOrFail(api, appUserModelId, title, body);
  } catch (...) {
    // A completion notice is not worth an error: out of memory here shows nothing.
  }
}
