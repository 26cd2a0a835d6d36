#pragma once

// The few Windows Runtime interfaces that one toast needs, which mingw-w64 does not
// declare. They are written in the C layout of COM (an object is a pointer to a table of
// function pointers), so every slot's position can be checked at compile time and a test
// double is no more than a static table. A slot in the wrong place calls the wrong method
// on Windows, which ends in a crash: the IIDs and the slot order below were checked
// against the Windows SDK metadata as the windows-rs bindings publish it and against
// Wine's interface definitions. Only the slots up to the last one used are declared.

#include <windows.h>

#include <hstring.h>

#include <cstddef>

namespace winrtabi {

struct IInspectable;

// IUnknown's three slots, then IInspectable's three: every interface below starts so.
struct IInspectableVtbl {
  HRESULT(STDMETHODCALLTYPE* QueryInterface)(IInspectable* self, REFIID iid, void** object);
  ULONG(STDMETHODCALLTYPE* AddRef)(IInspectable* self);
  ULONG(STDMETHODCALLTYPE* Release)(IInspectable* self);
  HRESULT(STDMETHODCALLTYPE* GetIids)(IInspectable* self, ULONG* count, IID** iids);
  HRESULT(STDMETHODCALLTYPE* GetRuntimeClassName)(IInspectable* self, HSTRING* className);
  HRESULT(STDMETHODCALLTYPE* GetTrustLevel)(IInspectable* self, int* trustLevel);  // a TrustLevel enumeration
};

struct IInspectable {
  const IInspectableVtbl* lpVtbl;
};

// Windows.Data.Xml.Dom.IXmlDocument: only handed on, so only its identity is needed.
struct IXmlDocument {
  const IInspectableVtbl* lpVtbl;
};

// Windows.UI.Notifications.IToastNotification: likewise only handed on.
struct IToastNotification {
  const IInspectableVtbl* lpVtbl;
};

// Windows.Data.Xml.Dom.IXmlDocumentIO.
struct IXmlDocumentIO;
struct IXmlDocumentIOVtbl {
  IInspectableVtbl Inspectable;
  HRESULT(STDMETHODCALLTYPE* LoadXml)(IXmlDocumentIO* self, HSTRING xml);
};
struct IXmlDocumentIO {
  const IXmlDocumentIOVtbl* lpVtbl;
};

// Windows.UI.Notifications.IToastNotifier.
struct IToastNotifier;
struct IToastNotifierVtbl {
  IInspectableVtbl Inspectable;
  HRESULT(STDMETHODCALLTYPE* Show)(IToastNotifier* self, IToastNotification* notification);
};
struct IToastNotifier {
  const IToastNotifierVtbl* lpVtbl;
};

// Windows.UI.Notifications.IToastNotificationManagerStatics, the activation factory of
// ToastNotificationManager.
struct IToastNotificationManagerStatics;
struct IToastNotificationManagerStaticsVtbl {
  IInspectableVtbl Inspectable;
  HRESULT(STDMETHODCALLTYPE* CreateToastNotifier)(IToastNotificationManagerStatics* self, IToastNotifier** notifier);
  HRESULT(STDMETHODCALLTYPE* CreateToastNotifierWithId)
  (IToastNotificationManagerStatics* self, HSTRING applicationId, IToastNotifier** notifier);
};
struct IToastNotificationManagerStatics {
  const IToastNotificationManagerStaticsVtbl* lpVtbl;
};

// Windows.UI.Notifications.IToastNotificationFactory, the activation factory of ToastNotification.
struct IToastNotificationFactory;
struct IToastNotificationFactoryVtbl {
  IInspectableVtbl Inspectable;
  HRESULT(STDMETHODCALLTYPE* CreateToastNotification)
  (IToastNotificationFactory* self, IXmlDocument* content, IToastNotification** notification);
};
struct IToastNotificationFactory {
  const IToastNotificationFactoryVtbl* lpVtbl;
};

inline constexpr GUID IID_IXmlDocument = {0xf7f3a506, 0x1e87, 0x42d6, {0xbc, 0xfb, 0xb8, 0xc8, 0x09, 0xfa, 0x54, 0x94}};
inline constexpr GUID IID_IXmlDocumentIO = {
    0x6cd0e74e, 0xee65, 0x4489, {0x9e, 0xbf, 0xca, 0x43, 0xe8, 0x7b, 0xa6, 0x37}};
inline constexpr GUID IID_IToastNotificationManagerStatics = {
    0x50ac103f, 0xd235, 0x4598, {0xbb, 0xef, 0x98, 0xfe, 0x4d, 0x1a, 0x3a, 0xd4}};
inline constexpr GUID IID_IToastNotificationFactory = {
    0x04124b20, 0x82c6, 0x4229, {0xb1, 0x09, 0xfd, 0x9e, 0xd4, 0x66, 0x2b, 0x53}};

inline constexpr wchar_t XmlDocumentClass[] = L"Windows.Data.Xml.Dom.XmlDocument";
inline constexpr wchar_t ToastNotificationManagerClass[] = L"Windows.UI.Notifications.ToastNotificationManager";
inline constexpr wchar_t ToastNotificationClass[] = L"Windows.UI.Notifications.ToastNotification";

// Slot n of a table lies n pointers from its start.
constexpr std::size_t Slot(std::size_t index) {
  return index * sizeof(void*);
}

static_assert(offsetof(IInspectableVtbl, QueryInterface) == Slot(0));
static_assert(offsetof(IInspectableVtbl, AddRef) == Slot(1));
static_assert(offsetof(IInspectableVtbl, Release) == Slot(2));
static_assert(offsetof(IInspectableVtbl, GetIids) == Slot(3));
static_assert(offsetof(IInspectableVtbl, GetRuntimeClassName) == Slot(4));
static_assert(offsetof(IInspectableVtbl, GetTrustLevel) == Slot(5));
static_assert(sizeof(IInspectableVtbl) == Slot(6));
// IXmlDocumentIO: LoadXml, LoadXmlWithSettings, SaveToFileAsync.
static_assert(offsetof(IXmlDocumentIOVtbl, LoadXml) == Slot(6));
// IToastNotifier: Show, Hide, get_Setting, AddToSchedule, RemoveFromSchedule, GetScheduledToastNotifications.
static_assert(offsetof(IToastNotifierVtbl, Show) == Slot(6));
// IToastNotificationManagerStatics: CreateToastNotifier, CreateToastNotifierWithId, GetTemplateContent.
static_assert(offsetof(IToastNotificationManagerStaticsVtbl, CreateToastNotifier) == Slot(6));
static_assert(offsetof(IToastNotificationManagerStaticsVtbl, CreateToastNotifierWithId) == Slot(7));
// IToastNotificationFactory: CreateToastNotification.
static_assert(offsetof(IToastNotificationFactoryVtbl, CreateToastNotification) == Slot(6));
// An object is one pointer to its table.
static_assert(sizeof(IToastNotifier) == sizeof(void*) && offsetof(IToastNotifier, lpVtbl) == 0);

}  // namespace winrtabi
