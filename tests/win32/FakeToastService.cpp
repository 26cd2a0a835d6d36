#include "FakeToastService.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

// The C-layout declarations, not the C++ ones of the SDK headers.
using winrtabi::IInspectable;
using winrtabi::IInspectableVtbl;
using winrtabi::IToastNotification;
using winrtabi::IToastNotificationFactory;
using winrtabi::IToastNotificationFactoryVtbl;
using winrtabi::IToastNotificationManagerStatics;
using winrtabi::IToastNotificationManagerStaticsVtbl;
using winrtabi::IToastNotifier;
using winrtabi::IToastNotifierVtbl;
using winrtabi::IXmlDocument;
using winrtabi::IXmlDocumentIO;
using winrtabi::IXmlDocumentIOVtbl;
using TService = TFakeToastService;
using TStep = TFakeToastService::TStep;

GUID GuidOf(const wchar_t* text) {
  GUID guid{};
  EXPECT_EQ(::IIDFromString(text, &guid), S_OK) << "bad GUID text in the test double";
  return guid;
}

const GUID& IidInspectable() {
  static const GUID iid = GuidOf(L"{AF86E2E0-B12D-4C6A-9C5A-D7AA65101E90}");
  return iid;
}
const GUID& IidXmlDocument() {
  static const GUID iid = GuidOf(L"{F7F3A506-1E87-42D6-BCFB-B8C809FA5494}");
  return iid;
}
const GUID& IidXmlDocumentIO() {
  static const GUID iid = GuidOf(L"{6CD0E74E-EE65-4489-9EBF-CA43E87BA637}");
  return iid;
}
const GUID& IidToastNotificationManagerStatics() {
  static const GUID iid = GuidOf(L"{50AC103F-D235-4598-BBEF-98FE4D1A3AD4}");
  return iid;
}
const GUID& IidToastNotificationFactory() {
  static const GUID iid = GuidOf(L"{04124B20-82C6-4229-B109-FD9ED4662B53}");
  return iid;
}

// The fake's strings: an HSTRING is a pointer to one of these.
struct TFakeString {
  std::u16string Text;
};

std::u16string TextOf(HSTRING string) {
  return string == nullptr ? std::u16string() : reinterpret_cast<TFakeString*>(string)->Text;
}

bool Fails(TStep step) {
  return TService::FailingStep == step;
}

// The result of a call that hands back an object, failing as chosen.
template <typename TOut>
HRESULT HandOut(TStep step, TFakeObject& object, TOut* value, TOut** out) {
  *out = nullptr;
  if (Fails(step)) {
    if (TService::FailWithNullObject) return S_OK;
    return TService::FailingResult;
  }
  ++object.References;
  ++object.Made;
  *out = value;
  return S_OK;
}

// A double's IUnknown part: one object, the interfaces it answers to, one count.
template <TFakeObject& Object>
ULONG STDMETHODCALLTYPE AddRef(IInspectable*) {
  return static_cast<ULONG>(++Object.References);
}
template <TFakeObject& Object>
ULONG STDMETHODCALLTYPE Release(IInspectable*) {
  EXPECT_GT(Object.References, 0) << "released once too often";
  return static_cast<ULONG>(--Object.References);
}
HRESULT STDMETHODCALLTYPE GetIids(IInspectable*, ULONG*, IID**) {
  return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE GetRuntimeClassName(IInspectable*, HSTRING*) {
  return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE GetTrustLevel(IInspectable*, int*) {
  return E_NOTIMPL;
}

bool IsBaseIid(REFIID iid) {
  return iid == IID_IUnknown || iid == IidInspectable();
}

// Objects with one interface besides IInspectable.
template <TFakeObject& Object, const GUID& (*Iid)()>
HRESULT STDMETHODCALLTYPE QuerySingle(IInspectable* self, REFIID iid, void** out) {
  if (!IsBaseIid(iid) && iid != Iid()) {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ++Object.References;
  *out = self;
  return S_OK;
}

// For objects that answer to IInspectable alone.
const GUID& NoIid() {
  static const GUID none{};
  return none;
}

template <TFakeObject& Object, const GUID& (*Iid)()>
constexpr IInspectableVtbl InspectableOf() {
  return {&QuerySingle<Object, Iid>, &AddRef<Object>, &Release<Object>, &GetIids, &GetRuntimeClassName, &GetTrustLevel};
}

// The notifier.
IToastNotifier NotifierInstance;
IToastNotification ToastInstance;

HRESULT STDMETHODCALLTYPE Show(IToastNotifier*, IToastNotification* toast) {
  ++TService::Shows;
  TService::ShownToastIsTheOneMade = toast == &ToastInstance && TService::Toast.References > 0;
  return Fails(TStep::Show) ? TService::FailingResult : S_OK;
}
constexpr IToastNotifierVtbl NotifierVtbl{InspectableOf<TService::Notifier, &NoIid>(), &Show};
constexpr IInspectableVtbl ToastVtbl = InspectableOf<TService::Toast, &NoIid>();

// The XML document: two interfaces of one object, each at its own address as on Windows.
struct TXmlDocumentObject {
  IXmlDocumentIO Io;
  IXmlDocument Document;
};
TXmlDocumentObject XmlDocumentInstance;

HRESULT STDMETHODCALLTYPE QueryXmlDocument(IInspectable*, REFIID iid, void** out) {
  *out = nullptr;
  if (IsBaseIid(iid)) {
    *out = &XmlDocumentInstance.Io;
  } else if (iid == IidXmlDocumentIO()) {
    if (Fails(TStep::QueryXmlDocumentIO)) return TService::FailWithNullObject ? S_OK : TService::FailingResult;
    *out = &XmlDocumentInstance.Io;
  } else if (iid == IidXmlDocument()) {
    if (Fails(TStep::QueryXmlDocument)) return TService::FailWithNullObject ? S_OK : TService::FailingResult;
    *out = &XmlDocumentInstance.Document;
  } else {
    return E_NOINTERFACE;
  }
  ++TService::XmlDocument.References;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LoadXml(IXmlDocumentIO* self, HSTRING xml) {
  EXPECT_EQ(self, &XmlDocumentInstance.Io);
  if (Fails(TStep::LoadXml)) return TService::FailingResult;
  TService::LoadedXml.push_back(TextOf(xml));
  return S_OK;
}

constexpr IInspectableVtbl XmlDocumentInspectable{
    &QueryXmlDocument, &AddRef<TService::XmlDocument>, &Release<TService::XmlDocument>,
    &GetIids,          &GetRuntimeClassName,           &GetTrustLevel};
constexpr IXmlDocumentIOVtbl XmlDocumentIOVtbl{XmlDocumentInspectable, &LoadXml};

// The two activation factories.
IToastNotificationManagerStatics ManagerInstance;
IToastNotificationFactory ToastFactoryInstance;

HRESULT STDMETHODCALLTYPE CreateToastNotifier(IToastNotificationManagerStatics*, IToastNotifier** notifier) {
  ADD_FAILURE() << "a toast of the exe itself, not of its registered identity";
  *notifier = nullptr;
  return E_FAIL;
}
HRESULT STDMETHODCALLTYPE CreateToastNotifierWithId(IToastNotificationManagerStatics*, HSTRING id,
                                                    IToastNotifier** notifier) {
  TService::NotifierApplicationId = TextOf(id);
  return HandOut(TStep::CreateNotifier, TService::Notifier, &NotifierInstance, notifier);
}
constexpr IToastNotificationManagerStaticsVtbl ManagerVtbl{
    InspectableOf<TService::Manager, &IidToastNotificationManagerStatics>(), &CreateToastNotifier,
    &CreateToastNotifierWithId};

HRESULT STDMETHODCALLTYPE CreateToastNotification(IToastNotificationFactory*, IXmlDocument* content,
                                                  IToastNotification** toast) {
  TService::ToastMadeFromTheLoadedDocument =
      content == &XmlDocumentInstance.Document && TService::XmlDocument.References > 0 && !TService::LoadedXml.empty();
  return HandOut(TStep::CreateToast, TService::Toast, &ToastInstance, toast);
}
constexpr IToastNotificationFactoryVtbl ToastFactoryVtbl{
    InspectableOf<TService::ToastFactory, &IidToastNotificationFactory>(), &CreateToastNotification};

// The runtime's entry points.
HRESULT WINAPI FakeRoInitialize(RO_INIT_TYPE type) {
  TService::Initializations.push_back(type);
  return TService::InitializeResult;
}
void WINAPI FakeRoUninitialize() {
  ++TService::Uninitializations;
  TService::EverythingReleasedAtUninitialize = TService::EverythingReleased();
}
HRESULT WINAPI FakeRoGetActivationFactory(HSTRING className, REFIID iid, void** factory) {
  const std::u16string name = TextOf(className);
  TService::FactoryClasses.push_back(name);
  *factory = nullptr;
  if (name == u"Windows.UI.Notifications.ToastNotificationManager") {
    if (iid != IidToastNotificationManagerStatics()) return E_NOINTERFACE;
    return HandOut(TStep::ManagerFactory, TService::Manager, &ManagerInstance,
                   reinterpret_cast<IToastNotificationManagerStatics**>(factory));
  }
  if (name == u"Windows.UI.Notifications.ToastNotification") {
    if (iid != IidToastNotificationFactory()) return E_NOINTERFACE;
    return HandOut(TStep::ToastFactory, TService::ToastFactory, &ToastFactoryInstance,
                   reinterpret_cast<IToastNotificationFactory**>(factory));
  }
  return REGDB_E_CLASSNOTREG;
}
HRESULT WINAPI FakeRoActivateInstance(HSTRING className, IInspectable** instance) {
  const std::u16string name = TextOf(className);
  TService::ActivatedClasses.push_back(name);
  *instance = nullptr;
  if (name != u"Windows.Data.Xml.Dom.XmlDocument") return REGDB_E_CLASSNOTREG;
  return HandOut(TStep::ActivateXmlDocument, TService::XmlDocument,
                 reinterpret_cast<IInspectable*>(&XmlDocumentInstance.Io), instance);
}
HRESULT WINAPI FakeWindowsCreateString(LPCWSTR text, UINT32 length, HSTRING* string) {
  *string = nullptr;
  if (Fails(TStep::CreateString)) return E_OUTOFMEMORY;
  if (length == 0) return S_OK;  // the empty string is the null HSTRING
  if (text == nullptr) return E_POINTER;
  ++TService::LiveStrings;
  *string = reinterpret_cast<HSTRING>(new TFakeString{std::u16string(reinterpret_cast<const char16_t*>(text), length)});
  return S_OK;
}
HRESULT WINAPI FakeWindowsDeleteString(HSTRING string) {
  if (string == nullptr) return S_OK;
  --TService::LiveStrings;
  delete reinterpret_cast<TFakeString*>(string);
  return S_OK;
}

}  // namespace

void TFakeToastService::Reset() {
  InitializeResult = S_OK;
  FailingStep = TStep::None;
  FailingResult = E_FAIL;
  FailWithNullObject = false;
  Initializations.clear();
  Uninitializations = 0;
  EverythingReleasedAtUninitialize = true;
  ActivatedClasses.clear();
  FactoryClasses.clear();
  NotifierApplicationId.clear();
  LoadedXml.clear();
  ToastMadeFromTheLoadedDocument = false;
  Shows = 0;
  ShownToastIsTheOneMade = false;
  LiveStrings = 0;
  Manager = ToastFactory = Notifier = XmlDocument = Toast = TFakeObject{};
  ManagerInstance.lpVtbl = &ManagerVtbl;
  ToastFactoryInstance.lpVtbl = &ToastFactoryVtbl;
  NotifierInstance.lpVtbl = &NotifierVtbl;
  ToastInstance.lpVtbl = &ToastVtbl;
  XmlDocumentInstance.Io.lpVtbl = &XmlDocumentIOVtbl;
  XmlDocumentInstance.Document.lpVtbl = &XmlDocumentInspectable;
}

TWinRtApi TFakeToastService::Api() {
  return {&FakeRoInitialize,       &FakeRoUninitialize,      &FakeRoGetActivationFactory,
          &FakeRoActivateInstance, &FakeWindowsCreateString, &FakeWindowsDeleteString};
}

bool TFakeToastService::EverythingReleased() {
  return Leaks().empty();
}

std::string TFakeToastService::Leaks() {
  std::string leaks;
  const auto add = [&](const char* name, int count) {
    if (count != 0) leaks += std::string(name) + "=" + std::to_string(count) + " ";
  };
  add("manager", Manager.References);
  add("toast-factory", ToastFactory.References);
  add("notifier", Notifier.References);
  add("xml-document", XmlDocument.References);
  add("toast", Toast.References);
  add("strings", LiveStrings);
  return leaks;
}
