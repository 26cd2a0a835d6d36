#include "FakeTaskScheduler.h"

#include <oleauto.h>
#include <taskschd.h>

#include <initializer_list>
#include <string_view>
#include <utility>

#include "autostart/TaskSchedApi.h"

namespace {

using TFake = TFakeTaskScheduler;

GUID GuidOf(const wchar_t* text) {
  GUID guid{};
  // A typo here leaves GUID_NULL, which answers nothing, so the tests would show it.
  if (FAILED(::IIDFromString(text, &guid))) guid = GUID{};
  return guid;
}

struct TNamedIid {
  std::wstring_view Name;
  GUID Iid;
};

const std::vector<TNamedIid>& KnownIids() {
  static const std::vector<TNamedIid> known = {
      {L"IUnknown", GuidOf(L"{00000000-0000-0000-C000-000000000046}")},
      {L"IDispatch", GuidOf(L"{00020400-0000-0000-C000-000000000046}")},
      {L"ITaskService", GuidOf(L"{2FABA4C7-4DA9-4013-9697-20CC3FD40F85}")},
      {L"ITaskFolder", GuidOf(L"{8CFAC062-A080-4C15-9A88-AA7C2AF80DFC}")},
      {L"ITaskDefinition", GuidOf(L"{F5BC8FC5-536D-4F77-B852-FBC1356FDEB6}")},
      {L"IPrincipal", GuidOf(L"{D98D51E5-C9B4-496A-A9C1-18980261CF0F}")},
      {L"ITriggerCollection", GuidOf(L"{85DF5081-1B24-4F32-878A-D9D14DF4CB77}")},
      {L"ITrigger", GuidOf(L"{09941815-EA89-4B5B-89E0-2A773801FAC3}")},
      {L"ILogonTrigger", GuidOf(L"{72DADE38-FAE4-4B3E-BAF4-5D009AF02B1C}")},
      {L"IActionCollection", GuidOf(L"{02820E19-7B98-4ED2-B2E8-FDCCCEFF619B}")},
      {L"IAction", GuidOf(L"{BAE54997-48B1-4CBE-9965-D6BE263EBEA4}")},
      {L"IExecAction", GuidOf(L"{4C3D624D-FD6B-49A3-B9B7-09CB3CD3F047}")},
      {L"ITaskSettings", GuidOf(L"{8FD4711D-2D02-4C8C-87E3-EFF699DE127E}")},
      {L"IIdleSettings", GuidOf(L"{84594461-0053-4342-A8FD-088FABF11F32}")},
      {L"IRegisteredTaskCollection", GuidOf(L"{86627EB4-42A7-41E4-A4D9-AC33A72F2D52}")},
      {L"IRegisteredTask", GuidOf(L"{9C86F320-DEE3-4DD1-B972-A303F26B061E}")},
  };
  return known;
}

std::wstring IidName(REFIID iid) {
  for (const TNamedIid& known : KnownIids()) {
    if (known.Iid == iid) return std::wstring(known.Name);
  }
  wchar_t text[40] = {};
  ::StringFromGUID2(iid, text, 40);
  return text;
}

// Argument texts of the record.
std::wstring Quoted(std::wstring_view text) {
  return L"\"" + std::wstring(text) + L"\"";
}
std::wstring TextOf(BSTR text) {
  return text == nullptr ? L"null" : Quoted(std::wstring_view(text, ::SysStringLen(text)));
}
std::wstring NumberOf(long long value) {
  return std::to_wstring(value);
}
std::wstring BoolOf(VARIANT_BOOL value) {
  if (value == VARIANT_TRUE) return L"VARIANT_TRUE";
  if (value == VARIANT_FALSE) return L"VARIANT_FALSE";
  return NumberOf(value);
}
std::wstring PointerOf(const void* pointer) {
  return pointer == nullptr ? L"null" : L"pointer";
}
std::wstring VariantOf(const VARIANT& value) {
  switch (value.vt) {
    case VT_EMPTY:
      return L"VT_EMPTY";
    case VT_BSTR:
      return L"VT_BSTR " + TextOf(value.bstrVal);
    case VT_I4:
      return L"VT_I4 " + NumberOf(value.lVal);
    default:
      return L"VT_" + NumberOf(value.vt);
  }
}

// Records one call; true when it is the one chosen to fail.
bool Record(std::wstring call) {
  const bool fails = TFake::Calls.size() == TFake::FailingCall;
  TFake::Calls.push_back(std::move(call));
  if (TFake::OnCall) TFake::OnCall(TFake::Calls.back());
  return fails;
}

bool Record(std::wstring_view method, std::initializer_list<std::wstring> arguments) {
  std::wstring call(method);
  call += L"(";
  for (const std::wstring& argument : arguments) {
    if (&argument != arguments.begin()) call += L", ";
    call += argument;
  }
  return Record(call + L")");
}

HRESULT Answer(bool fails) {
  return fails ? TFake::FailingResult : S_OK;
}

// Hands out a new object with one reference, unless this call fails.
template <typename TObject, typename TInterface, typename... TArguments>
HRESULT HandOut(bool fails, TInterface** out, TArguments&&... arguments) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (fails) return TFake::FailWithNullObject ? S_OK : TFake::FailingResult;
  *out = new TObject(std::forward<TArguments>(arguments)...);
  return S_OK;
}

HRESULT Unexpected(std::wstring_view method) {
  Record(method, {});
  return E_NOTIMPL;
}

// The IUnknown and IDispatch part of every object. Interfaces names what the object answers
// to; Label names it in the record of QueryInterface.
template <typename TInterface>
class TFakeObject : public TInterface {
 public:
  TFakeObject(std::wstring_view label, std::initializer_list<std::wstring_view> interfaces)
      : FLabel(label), FInterfaces(interfaces) {
    ++TFake::LiveObjects;
  }
  TFakeObject(const TFakeObject&) = delete;
  TFakeObject& operator=(const TFakeObject&) = delete;
  virtual ~TFakeObject() { --TFake::LiveObjects; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    const std::wstring name = IidName(iid);
    if (Record(std::wstring(FLabel) + L".QueryInterface", {name})) {
      return TFake::FailWithNullObject ? S_OK : E_NOINTERFACE;
    }
    for (std::wstring_view answered : FInterfaces) {
      if (answered == name) {
        AddRef();
        *object = static_cast<TInterface*>(this);
        return S_OK;
      }
    }
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++FReferences; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --FReferences;
    if (left == 0) delete this;
    return left;
  }

  // The code calls the interfaces directly, never by name.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return Unexpected(L"IDispatch.GetTypeInfoCount"); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
    return Unexpected(L"IDispatch.GetTypeInfo");
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return Unexpected(L"IDispatch.GetIDsOfNames");
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return Unexpected(L"IDispatch.Invoke");
  }

 private:
  std::wstring_view FLabel;
  std::vector<std::wstring_view> FInterfaces;
  ULONG FReferences = 1;
};

// A method the code must not call: recorded, and refused.
#define FAKE_UNEXPECTED(Interface, Method, ...)            \
  HRESULT STDMETHODCALLTYPE Method(__VA_ARGS__) override { \
    return Unexpected(L"" #Interface L"." #Method);        \
  }

int DefinitionsMade = 0;

class TFakeRegisteredTask : public TFakeObject<IRegisteredTask> {
 public:
  explicit TFakeRegisteredTask(std::wstring name)
      : TFakeObject(L"IRegisteredTask", {L"IUnknown", L"IDispatch", L"IRegisteredTask"}), FName(std::move(name)) {}

  HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override {
    if (name == nullptr) return E_POINTER;
    *name = nullptr;
    if (Record(L"IRegisteredTask.get_Name", {})) return TFake::FailingResult;
    *name = ::SysAllocStringLen(FName.data(), static_cast<UINT>(FName.size()));
    return *name == nullptr ? E_OUTOFMEMORY : S_OK;
  }
  FAKE_UNEXPECTED(IRegisteredTask, get_Path, BSTR*)
  FAKE_UNEXPECTED(IRegisteredTask, get_State, TASK_STATE*)
  FAKE_UNEXPECTED(IRegisteredTask, get_Enabled, VARIANT_BOOL*)
  FAKE_UNEXPECTED(IRegisteredTask, put_Enabled, VARIANT_BOOL)
  FAKE_UNEXPECTED(IRegisteredTask, Run, VARIANT, IRunningTask**)
  FAKE_UNEXPECTED(IRegisteredTask, RunEx, VARIANT, LONG, LONG, BSTR, IRunningTask**)
  FAKE_UNEXPECTED(IRegisteredTask, GetInstances, LONG, IRunningTaskCollection**)
  FAKE_UNEXPECTED(IRegisteredTask, get_LastRunTime, DATE*)
  FAKE_UNEXPECTED(IRegisteredTask, get_LastTaskResult, LONG*)
  FAKE_UNEXPECTED(IRegisteredTask, get_NumberOfMissedRuns, LONG*)
  FAKE_UNEXPECTED(IRegisteredTask, get_NextRunTime, DATE*)
  FAKE_UNEXPECTED(IRegisteredTask, get_Definition, ITaskDefinition**)
  FAKE_UNEXPECTED(IRegisteredTask, get_Xml, BSTR*)
  FAKE_UNEXPECTED(IRegisteredTask, GetSecurityDescriptor, LONG, BSTR*)
  FAKE_UNEXPECTED(IRegisteredTask, SetSecurityDescriptor, BSTR, LONG)
  FAKE_UNEXPECTED(IRegisteredTask, Stop, LONG)
  FAKE_UNEXPECTED(IRegisteredTask, GetRunTimes, const LPSYSTEMTIME, const LPSYSTEMTIME, DWORD*, LPSYSTEMTIME*)

 private:
  std::wstring FName;
};

// Lists TFake::Tasks by position: 1 to the count, as a 32-bit integer. Any other index,
// a name among them, is refused: finding a task by its name is the code's work here.
class TFakeTaskCollection : public TFakeObject<IRegisteredTaskCollection> {
 public:
  TFakeTaskCollection()
      : TFakeObject(L"IRegisteredTaskCollection", {L"IUnknown", L"IDispatch", L"IRegisteredTaskCollection"}) {}

  HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    if (Record(L"IRegisteredTaskCollection.get_Count", {})) return TFake::FailingResult;
    *count = static_cast<LONG>(TFake::Tasks.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Item(VARIANT index, IRegisteredTask** task) override {
    const bool fails = Record(L"IRegisteredTaskCollection.get_Item", {VariantOf(index)});
    const bool listed = index.vt == VT_I4 && index.lVal >= 1 && index.lVal <= static_cast<LONG>(TFake::Tasks.size());
    if (!fails && !listed) {
      if (task != nullptr) *task = nullptr;
      return E_INVALIDARG;
    }
    return HandOut<TFakeRegisteredTask>(fails, task, listed ? TFake::Tasks[index.lVal - 1] : std::wstring());
  }
  FAKE_UNEXPECTED(IRegisteredTaskCollection, get__NewEnum, IUnknown**)
};

class TFakeIdleSettings : public TFakeObject<IIdleSettings> {
 public:
  TFakeIdleSettings() : TFakeObject(L"IIdleSettings", {L"IUnknown", L"IDispatch", L"IIdleSettings"}) {}

  HRESULT STDMETHODCALLTYPE put_StopOnIdleEnd(VARIANT_BOOL stop) override {
    return Answer(Record(L"IIdleSettings.put_StopOnIdleEnd", {BoolOf(stop)}));
  }
  FAKE_UNEXPECTED(IIdleSettings, get_IdleDuration, BSTR*)
  FAKE_UNEXPECTED(IIdleSettings, put_IdleDuration, BSTR)
  FAKE_UNEXPECTED(IIdleSettings, get_WaitTimeout, BSTR*)
  FAKE_UNEXPECTED(IIdleSettings, put_WaitTimeout, BSTR)
  FAKE_UNEXPECTED(IIdleSettings, get_StopOnIdleEnd, VARIANT_BOOL*)
  FAKE_UNEXPECTED(IIdleSettings, get_RestartOnIdle, VARIANT_BOOL*)
  FAKE_UNEXPECTED(IIdleSettings, put_RestartOnIdle, VARIANT_BOOL)
};

class TFakeSettings : public TFakeObject<ITaskSettings> {
 public:
  TFakeSettings() : TFakeObject(L"ITaskSettings", {L"IUnknown", L"IDispatch", L"ITaskSettings"}) {}

  HRESULT STDMETHODCALLTYPE put_StartWhenAvailable(VARIANT_BOOL start) override {
    return Answer(Record(L"ITaskSettings.put_StartWhenAvailable", {BoolOf(start)}));
  }
  HRESULT STDMETHODCALLTYPE put_ExecutionTimeLimit(BSTR limit) override {
    return Answer(Record(L"ITaskSettings.put_ExecutionTimeLimit", {TextOf(limit)}));
  }
  HRESULT STDMETHODCALLTYPE get_IdleSettings(IIdleSettings** settings) override {
    return HandOut<TFakeIdleSettings>(Record(L"ITaskSettings.get_IdleSettings", {}), settings);
  }
  HRESULT STDMETHODCALLTYPE put_DisallowStartIfOnBatteries(VARIANT_BOOL disallow) override {
    return Answer(Record(L"ITaskSettings.put_DisallowStartIfOnBatteries", {BoolOf(disallow)}));
  }
  HRESULT STDMETHODCALLTYPE put_StopIfGoingOnBatteries(VARIANT_BOOL stop) override {
    return Answer(Record(L"ITaskSettings.put_StopIfGoingOnBatteries", {BoolOf(stop)}));
  }
  FAKE_UNEXPECTED(ITaskSettings, get_AllowDemandStart, VARIANT_BOOL*)
  FAKE_UNEXPECTED(ITaskSettings, put_AllowDemandStart, VARIANT_BOOL)
  FAKE_UNEXPECTED(ITaskSettings, get_RestartInterval, BSTR*)
  FAKE_UNEXPECTED(ITaskSettings, put_RestartInterval, BSTR)
  FAKE_UNEXPECTED(ITaskSettings, get_RestartCount, INT*)
  FAKE_UNEXPECTED(ITaskSettings, put_RestartCount, INT)
  FAKE_UNEXPECTED(ITaskSettings, get_MultipleInstances, TASK_INSTANCES_POLICY*)
  FAKE_UNEXPECTED(ITaskSettings, put_MultipleInstances, TASK_INSTANCES_POLICY)
  FAKE_UNEXPECTED(ITaskSettings, get_StopIfGoingOnBatteries, VARIANT_BOOL*)
  FAKE_UNEXPECTED(ITaskSettings, get_DisallowStartIfOnBatteries, VARIANT_BOOL*)
  FAKE_UNEXPECTED(ITaskSettings, get_AllowHardTerminate, VARIANT_BOOL*)
  FAKE_UNEXPECTED(ITaskSettings, put_AllowHardTerminate, VARIANT_BOOL)
  FAKE_UNEXPECTED(ITaskSettings, get_StartWhenAvailable, VARIANT_BOOL*)
  FAKE_UNEXPECTED(ITaskSettings, get_XmlText, BSTR*)
  FAKE_UNEXPECTED(ITaskSettings, put_XmlText, BSTR)
  FAKE_UNEXPECTED(ITaskSettings, get_RunOnlyIfNetworkAvailable, VARIANT_BOOL*)
  FAKE_UNEXPECTED(ITaskSettings, put_RunOnlyIfNetworkAvailable, VARIANT_BOOL)
  FAKE_UNEXPECTED(ITaskSettings, get_ExecutionTimeLimit, BSTR*)
  FAKE_UNEXPECTED(ITaskSettings, get_Enabled, VARIANT_BOOL*)
  FAKE_UNEXPECTED(ITaskSettings, put_Enabled, VARIANT_BOOL)
  FAKE_UNEXPECTED(ITaskSettings, get_DeleteExpiredTaskAfter, BSTR*)
  FAKE_UNEXPECTED(ITaskSettings, put_DeleteExpiredTaskAfter, BSTR)
  FAKE_UNEXPECTED(ITaskSettings, get_Priority, INT*)
  FAKE_UNEXPECTED(ITaskSettings, put_Priority, INT)
  FAKE_UNEXPECTED(ITaskSettings, get_Compatibility, TASK_COMPATIBILITY*)
  FAKE_UNEXPECTED(ITaskSettings, put_Compatibility, TASK_COMPATIBILITY)
  FAKE_UNEXPECTED(ITaskSettings, get_Hidden, VARIANT_BOOL*)
  FAKE_UNEXPECTED(ITaskSettings, put_Hidden, VARIANT_BOOL)
  FAKE_UNEXPECTED(ITaskSettings, put_IdleSettings, IIdleSettings*)
  FAKE_UNEXPECTED(ITaskSettings, get_RunOnlyIfIdle, VARIANT_BOOL*)
  FAKE_UNEXPECTED(ITaskSettings, put_RunOnlyIfIdle, VARIANT_BOOL)
  FAKE_UNEXPECTED(ITaskSettings, get_WakeToRun, VARIANT_BOOL*)
  FAKE_UNEXPECTED(ITaskSettings, put_WakeToRun, VARIANT_BOOL)
  FAKE_UNEXPECTED(ITaskSettings, get_NetworkSettings, INetworkSettings**)
  FAKE_UNEXPECTED(ITaskSettings, put_NetworkSettings, INetworkSettings*)
};

// One object with both interfaces, as the scheduler's action is.
class TFakeExecAction : public TFakeObject<IExecAction> {
 public:
  TFakeExecAction() : TFakeObject(L"IAction", {L"IUnknown", L"IDispatch", L"IAction", L"IExecAction"}) {}

  HRESULT STDMETHODCALLTYPE put_Path(BSTR path) override {
    return Answer(Record(L"IExecAction.put_Path", {TextOf(path)}));
  }
  HRESULT STDMETHODCALLTYPE put_Arguments(BSTR arguments) override {
    return Answer(Record(L"IExecAction.put_Arguments", {TextOf(arguments)}));
  }
  HRESULT STDMETHODCALLTYPE put_WorkingDirectory(BSTR directory) override {
    return Answer(Record(L"IExecAction.put_WorkingDirectory", {TextOf(directory)}));
  }
  FAKE_UNEXPECTED(IAction, get_Id, BSTR*)
  FAKE_UNEXPECTED(IAction, put_Id, BSTR)
  FAKE_UNEXPECTED(IAction, get_Type, TASK_ACTION_TYPE*)
  FAKE_UNEXPECTED(IExecAction, get_Path, BSTR*)
  FAKE_UNEXPECTED(IExecAction, get_Arguments, BSTR*)
  FAKE_UNEXPECTED(IExecAction, get_WorkingDirectory, BSTR*)
};

class TFakeActions : public TFakeObject<IActionCollection> {
 public:
  TFakeActions() : TFakeObject(L"IActionCollection", {L"IUnknown", L"IDispatch", L"IActionCollection"}) {}

  HRESULT STDMETHODCALLTYPE Create(TASK_ACTION_TYPE type, IAction** action) override {
    return HandOut<TFakeExecAction>(Record(L"IActionCollection.Create", {NumberOf(type)}), action);
  }
  FAKE_UNEXPECTED(IActionCollection, get_Count, LONG*)
  FAKE_UNEXPECTED(IActionCollection, get_Item, LONG, IAction**)
  FAKE_UNEXPECTED(IActionCollection, get__NewEnum, IUnknown**)
  FAKE_UNEXPECTED(IActionCollection, get_XmlText, BSTR*)
  FAKE_UNEXPECTED(IActionCollection, put_XmlText, BSTR)
  FAKE_UNEXPECTED(IActionCollection, Remove, VARIANT)
  FAKE_UNEXPECTED(IActionCollection, Clear)
  FAKE_UNEXPECTED(IActionCollection, get_Context, BSTR*)
  FAKE_UNEXPECTED(IActionCollection, put_Context, BSTR)
};

// One object with both interfaces, as the scheduler's logon trigger is.
class TFakeLogonTrigger : public TFakeObject<ILogonTrigger> {
 public:
  TFakeLogonTrigger() : TFakeObject(L"ITrigger", {L"IUnknown", L"IDispatch", L"ITrigger", L"ILogonTrigger"}) {}

  HRESULT STDMETHODCALLTYPE put_Delay(BSTR delay) override {
    return Answer(Record(L"ILogonTrigger.put_Delay", {TextOf(delay)}));
  }
  FAKE_UNEXPECTED(ILogonTrigger, get_Delay, BSTR*)
  FAKE_UNEXPECTED(ILogonTrigger, get_UserId, BSTR*)
  FAKE_UNEXPECTED(ILogonTrigger, put_UserId, BSTR)
  FAKE_UNEXPECTED(ITrigger, get_Type, TASK_TRIGGER_TYPE2*)
  FAKE_UNEXPECTED(ITrigger, get_Id, BSTR*)
  FAKE_UNEXPECTED(ITrigger, put_Id, BSTR)
  FAKE_UNEXPECTED(ITrigger, get_Repetition, IRepetitionPattern**)
  FAKE_UNEXPECTED(ITrigger, put_Repetition, IRepetitionPattern*)
  FAKE_UNEXPECTED(ITrigger, get_ExecutionTimeLimit, BSTR*)
  FAKE_UNEXPECTED(ITrigger, put_ExecutionTimeLimit, BSTR)
  FAKE_UNEXPECTED(ITrigger, get_StartBoundary, BSTR*)
  FAKE_UNEXPECTED(ITrigger, put_StartBoundary, BSTR)
  FAKE_UNEXPECTED(ITrigger, get_EndBoundary, BSTR*)
  FAKE_UNEXPECTED(ITrigger, put_EndBoundary, BSTR)
  FAKE_UNEXPECTED(ITrigger, get_Enabled, VARIANT_BOOL*)
  FAKE_UNEXPECTED(ITrigger, put_Enabled, VARIANT_BOOL)
};

class TFakeTriggers : public TFakeObject<ITriggerCollection> {
 public:
  TFakeTriggers() : TFakeObject(L"ITriggerCollection", {L"IUnknown", L"IDispatch", L"ITriggerCollection"}) {}

  HRESULT STDMETHODCALLTYPE Create(TASK_TRIGGER_TYPE2 type, ITrigger** trigger) override {
    return HandOut<TFakeLogonTrigger>(Record(L"ITriggerCollection.Create", {NumberOf(type)}), trigger);
  }
  FAKE_UNEXPECTED(ITriggerCollection, get_Count, LONG*)
  FAKE_UNEXPECTED(ITriggerCollection, get_Item, LONG, ITrigger**)
  FAKE_UNEXPECTED(ITriggerCollection, get__NewEnum, IUnknown**)
  FAKE_UNEXPECTED(ITriggerCollection, Remove, VARIANT)
  FAKE_UNEXPECTED(ITriggerCollection, Clear)
};

class TFakePrincipal : public TFakeObject<IPrincipal> {
 public:
  TFakePrincipal() : TFakeObject(L"IPrincipal", {L"IUnknown", L"IDispatch", L"IPrincipal"}) {}

  HRESULT STDMETHODCALLTYPE put_RunLevel(TASK_RUNLEVEL_TYPE level) override {
    return Answer(Record(L"IPrincipal.put_RunLevel", {NumberOf(level)}));
  }
  FAKE_UNEXPECTED(IPrincipal, get_Id, BSTR*)
  FAKE_UNEXPECTED(IPrincipal, put_Id, BSTR)
  FAKE_UNEXPECTED(IPrincipal, get_DisplayName, BSTR*)
  FAKE_UNEXPECTED(IPrincipal, put_DisplayName, BSTR)
  FAKE_UNEXPECTED(IPrincipal, get_UserId, BSTR*)
  FAKE_UNEXPECTED(IPrincipal, put_UserId, BSTR)
  FAKE_UNEXPECTED(IPrincipal, get_LogonType, TASK_LOGON_TYPE*)
  FAKE_UNEXPECTED(IPrincipal, put_LogonType, TASK_LOGON_TYPE)
  FAKE_UNEXPECTED(IPrincipal, get_GroupId, BSTR*)
  FAKE_UNEXPECTED(IPrincipal, put_GroupId, BSTR)
  FAKE_UNEXPECTED(IPrincipal, get_RunLevel, TASK_RUNLEVEL_TYPE*)
};

class TFakeDefinition : public TFakeObject<ITaskDefinition> {
 public:
  TFakeDefinition()
      : TFakeObject(L"ITaskDefinition", {L"IUnknown", L"IDispatch", L"ITaskDefinition"}), Serial(++DefinitionsMade) {}

  const int Serial;

  HRESULT STDMETHODCALLTYPE get_Principal(IPrincipal** principal) override {
    return HandOut<TFakePrincipal>(Record(L"ITaskDefinition.get_Principal", {}), principal);
  }
  HRESULT STDMETHODCALLTYPE get_Triggers(ITriggerCollection** triggers) override {
    return HandOut<TFakeTriggers>(Record(L"ITaskDefinition.get_Triggers", {}), triggers);
  }
  HRESULT STDMETHODCALLTYPE get_Actions(IActionCollection** actions) override {
    return HandOut<TFakeActions>(Record(L"ITaskDefinition.get_Actions", {}), actions);
  }
  HRESULT STDMETHODCALLTYPE get_Settings(ITaskSettings** settings) override {
    return HandOut<TFakeSettings>(Record(L"ITaskDefinition.get_Settings", {}), settings);
  }
  FAKE_UNEXPECTED(ITaskDefinition, get_RegistrationInfo, IRegistrationInfo**)
  FAKE_UNEXPECTED(ITaskDefinition, put_RegistrationInfo, IRegistrationInfo*)
  FAKE_UNEXPECTED(ITaskDefinition, put_Triggers, ITriggerCollection*)
  FAKE_UNEXPECTED(ITaskDefinition, put_Settings, ITaskSettings*)
  FAKE_UNEXPECTED(ITaskDefinition, get_Data, BSTR*)
  FAKE_UNEXPECTED(ITaskDefinition, put_Data, BSTR)
  FAKE_UNEXPECTED(ITaskDefinition, put_Principal, IPrincipal*)
  FAKE_UNEXPECTED(ITaskDefinition, put_Actions, IActionCollection*)
  FAKE_UNEXPECTED(ITaskDefinition, get_XmlText, BSTR*)
  FAKE_UNEXPECTED(ITaskDefinition, put_XmlText, BSTR)
};

// Which definition a registration was given: the one NewTask handed out last, or another.
std::wstring DefinitionOf(ITaskDefinition* definition) {
  if (definition == nullptr) return L"null";
  const auto* made = dynamic_cast<const TFakeDefinition*>(definition);
  return made != nullptr && made->Serial == DefinitionsMade ? L"the new definition" : L"another definition";
}

class TFakeFolder : public TFakeObject<ITaskFolder> {
 public:
  TFakeFolder() : TFakeObject(L"ITaskFolder", {L"IUnknown", L"IDispatch", L"ITaskFolder"}) {}

  HRESULT STDMETHODCALLTYPE GetTasks(LONG flags, IRegisteredTaskCollection** tasks) override {
    return HandOut<TFakeTaskCollection>(Record(L"ITaskFolder.GetTasks", {NumberOf(flags)}), tasks);
  }
  HRESULT STDMETHODCALLTYPE DeleteTask(BSTR name, LONG flags) override {
    return Answer(Record(L"ITaskFolder.DeleteTask", {TextOf(name), NumberOf(flags)}));
  }
  HRESULT STDMETHODCALLTYPE RegisterTaskDefinition(BSTR path, ITaskDefinition* definition, LONG flags, VARIANT user,
                                                   VARIANT password, TASK_LOGON_TYPE logon, VARIANT sddl,
                                                   IRegisteredTask** task) override {
    const bool fails = Record(L"ITaskFolder.RegisterTaskDefinition",
                              {TextOf(path), DefinitionOf(definition), NumberOf(flags), VariantOf(user),
                               VariantOf(password), NumberOf(logon), VariantOf(sddl)});
    return HandOut<TFakeRegisteredTask>(fails, task, path == nullptr ? std::wstring() : std::wstring(path));
  }
  FAKE_UNEXPECTED(ITaskFolder, get_Name, BSTR*)
  FAKE_UNEXPECTED(ITaskFolder, get_Path, BSTR*)
  FAKE_UNEXPECTED(ITaskFolder, GetFolder, BSTR, ITaskFolder**)
  FAKE_UNEXPECTED(ITaskFolder, GetFolders, LONG, ITaskFolderCollection**)
  FAKE_UNEXPECTED(ITaskFolder, CreateFolder, BSTR, VARIANT, ITaskFolder**)
  FAKE_UNEXPECTED(ITaskFolder, DeleteFolder, BSTR, LONG)
  FAKE_UNEXPECTED(ITaskFolder, GetTask, BSTR, IRegisteredTask**)
  FAKE_UNEXPECTED(ITaskFolder, RegisterTask, BSTR, BSTR, LONG, VARIANT, VARIANT, TASK_LOGON_TYPE, VARIANT,
                  IRegisteredTask**)
  FAKE_UNEXPECTED(ITaskFolder, GetSecurityDescriptor, LONG, BSTR*)
  FAKE_UNEXPECTED(ITaskFolder, SetSecurityDescriptor, BSTR, LONG)
};

class TFakeService : public TFakeObject<ITaskService> {
 public:
  TFakeService() : TFakeObject(L"ITaskService", {L"IUnknown", L"IDispatch", L"ITaskService"}) {}

  HRESULT STDMETHODCALLTYPE Connect(VARIANT server, VARIANT user, VARIANT domain, VARIANT password) override {
    return Answer(
        Record(L"ITaskService.Connect", {VariantOf(server), VariantOf(user), VariantOf(domain), VariantOf(password)}));
  }
  HRESULT STDMETHODCALLTYPE GetFolder(BSTR path, ITaskFolder** folder) override {
    return HandOut<TFakeFolder>(Record(L"ITaskService.GetFolder", {TextOf(path)}), folder);
  }
  HRESULT STDMETHODCALLTYPE NewTask(DWORD flags, ITaskDefinition** definition) override {
    return HandOut<TFakeDefinition>(Record(L"ITaskService.NewTask", {NumberOf(flags)}), definition);
  }
  FAKE_UNEXPECTED(ITaskService, GetRunningTasks, LONG, IRunningTaskCollection**)
  FAKE_UNEXPECTED(ITaskService, get_Connected, VARIANT_BOOL*)
  FAKE_UNEXPECTED(ITaskService, get_TargetServer, BSTR*)
  FAKE_UNEXPECTED(ITaskService, get_ConnectedUser, BSTR*)
  FAKE_UNEXPECTED(ITaskService, get_ConnectedDomain, BSTR*)
  FAKE_UNEXPECTED(ITaskService, get_HighestVersion, DWORD*)
};

#undef FAKE_UNEXPECTED

// The seam's four entries.
HRESULT STDAPICALLTYPE FakeCoInitializeSecurity(PSECURITY_DESCRIPTOR securityDescriptor, LONG authenticationServices,
                                                SOLE_AUTHENTICATION_SERVICE* services, void* reserved1,
                                                DWORD authenticationLevel, DWORD impersonationLevel,
                                                void* authenticationList, DWORD capabilities, void* reserved3) {
  const bool fails = Record(L"CoInitializeSecurity",
                            {PointerOf(securityDescriptor), NumberOf(authenticationServices), PointerOf(services),
                             PointerOf(reserved1), NumberOf(authenticationLevel), NumberOf(impersonationLevel),
                             PointerOf(authenticationList), NumberOf(capabilities), PointerOf(reserved3)});
  return fails ? TFake::FailingResult : TFake::SecurityResult;
}

HRESULT FakeCreateTaskService(ITaskService** service) {
  return HandOut<TFakeService>(Record(L"CreateTaskService", {}), service);
}

std::wstring FakeExecutablePath() {
  return Record(L"ExecutablePath", {}) ? std::wstring() : TFake::ExePath;
}

bool FakeExecutableIsProtected(const std::wstring& exePath) {
  return !Record(L"ExecutableIsProtected", {Quoted(exePath)}) && TFake::ExeProtected;
}

}  // namespace

void TFakeTaskScheduler::Reset() {
  Tasks.clear();
  ExePath = L"C:\\Program Files\\Orvanta\\orvanta.exe";
  ExeProtected = true;
  SecurityResult = S_OK;
  FailingCall = NoFailure;
  FailingResult = E_FAIL;
  FailWithNullObject = false;
  Calls.clear();
  LiveObjects = 0;
}

TTaskSchedulerApi TFakeTaskScheduler::Api() {
  return {&FakeCoInitializeSecurity, &FakeCreateTaskService, &FakeExecutablePath, &FakeExecutableIsProtected};
}
