#include "autostart/AutoStart.h"

#include <taskschd.h>
#include <wrl/client.h>

#include "autostart/DurationString.h"
#include "autostart/ExecutableProtection.h"
#include "autostart/TaskSchedApi.h"
#include "win32/Bstr.h"
#include "win32/ModulePath.h"

namespace {

using Microsoft::WRL::ComPtr;

// Every result of the scheduler is checked, and an object it reports as handed back must be
// there: the first failure abandons the operation, and a definition is registered only once
// all of it has been built.
template <typename TInterface>
bool Got(HRESULT result, const ComPtr<TInterface>& object) {
  return SUCCEEDED(result) && object;
}

// Variants passed by value are borrowed by the callee, never freed: these own nothing.
VARIANT EmptyVariant() {
  VARIANT variant;
  ::VariantInit(&variant);
  return variant;
}

VARIANT TextVariant(BSTR text) {
  VARIANT variant = EmptyVariant();
  variant.vt = VT_BSTR;
  variant.bstrVal = text;
  return variant;
}

VARIANT Int32Variant(LONG value) {
  VARIANT variant = EmptyVariant();
  variant.vt = VT_I4;
  variant.lVal = value;
  return variant;
}

std::wstring SystemExecutablePath() {
  const std::u16string path = ModuleFilePath();
  return {reinterpret_cast<const wchar_t*>(path.data()), path.size()};
}

struct TSchedulerSession {
  ComPtr<ITaskService> Service;
  ComPtr<ITaskFolder> Root;
};

// Connects to the local scheduler as the current user and opens its root folder.
bool OpenRootFolder(const TTaskSchedulerApi& api, TSchedulerSession& session) {
  // The scheduler service acts as the calling user, so it must be allowed to impersonate
  // us. RPC_E_TOO_LATE means the process's security is already set, as on every call after
  // the first.
  const HRESULT security = api.CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT,
                                                    RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
  if (FAILED(security) && security != RPC_E_TOO_LATE) return false;
  if (!Got(api.CreateTaskService(session.Service.ReleaseAndGetAddressOf()), session.Service)) return false;
  if (FAILED(session.Service->Connect(EmptyVariant(), EmptyVariant(), EmptyVariant(), EmptyVariant()))) return false;
  const TBstr root(L"\\");
  return root && Got(session.Service->GetFolder(root.Get(), &session.Root), session.Root);
}

enum class TLookup { Failed, Missing, Found };

// Walks the root folder's visible tasks for one named exactly taskName; other spellings of
// the name are other tasks to us.
TLookup FindTask(ITaskFolder& root, const std::wstring& taskName) {
  ComPtr<IRegisteredTaskCollection> tasks;
  if (!Got(root.GetTasks(0, &tasks), tasks)) return TLookup::Failed;
  LONG count = 0;
  if (FAILED(tasks->get_Count(&count))) return TLookup::Failed;
  for (LONG index = 1; index <= count; ++index) {
    ComPtr<IRegisteredTask> task;
    if (!Got(tasks->get_Item(Int32Variant(index), &task), task)) return TLookup::Failed;
    TBstr name;
    if (FAILED(task->get_Name(name.Receive()))) return TLookup::Failed;
    if (name.View() == taskName) return TLookup::Found;
  }
  return TLookup::Missing;
}

bool SetHighestRunLevel(ITaskDefinition& definition) {
  ComPtr<IPrincipal> principal;
  return Got(definition.get_Principal(&principal), principal) &&
         SUCCEEDED(principal->put_RunLevel(TASK_RUNLEVEL_HIGHEST));
}

bool AddLogonTrigger(ITaskDefinition& definition, int delaySeconds) {
  ComPtr<ITriggerCollection> triggers;
  ComPtr<ITrigger> trigger;
  if (!Got(definition.get_Triggers(&triggers), triggers)) return false;
  if (!Got(triggers->Create(TASK_TRIGGER_LOGON, &trigger), trigger)) return false;
  if (delaySeconds <= 0) return true;
  ComPtr<ILogonTrigger> logon;
  if (!Got(trigger->QueryInterface(IidLogonTrigger, reinterpret_cast<void**>(logon.GetAddressOf())), logon)) {
    return false;
  }
  const std::u16string duration = DurationString(delaySeconds);
  const TBstr delay(std::wstring_view(reinterpret_cast<const wchar_t*>(duration.data()), duration.size()));
  return delay && SUCCEEDED(logon->put_Delay(delay.Get()));
}

bool AddStartAction(ITaskDefinition& definition, const std::wstring& exePath, const std::wstring& folder) {
  ComPtr<IActionCollection> actions;
  ComPtr<IAction> action;
  ComPtr<IExecAction> exec;
  if (!Got(definition.get_Actions(&actions), actions)) return false;
  if (!Got(actions->Create(TASK_ACTION_EXEC, &action), action)) return false;
  if (!Got(action->QueryInterface(IidExecAction, reinterpret_cast<void**>(exec.GetAddressOf())), exec)) return false;
  const TBstr path(exePath);
  const TBstr workingDirectory(folder);
  const TBstr arguments(L"/start");
  return path && workingDirectory && arguments && SUCCEEDED(exec->put_Path(path.Get())) &&
         SUCCEEDED(exec->put_WorkingDirectory(workingDirectory.Get())) &&
         SUCCEEDED(exec->put_Arguments(arguments.Get()));
}

// Start a missed logon start later, never stop it for time, idleness or batteries.
bool ApplySettings(ITaskDefinition& definition) {
  ComPtr<ITaskSettings> settings;
  ComPtr<IIdleSettings> idle;
  const TBstr noLimit(L"PT0S");
  return Got(definition.get_Settings(&settings), settings) &&
         SUCCEEDED(settings->put_StartWhenAvailable(VARIANT_TRUE)) && noLimit &&
         SUCCEEDED(settings->put_ExecutionTimeLimit(noLimit.Get())) && Got(settings->get_IdleSettings(&idle), idle) &&
         SUCCEEDED(idle->put_StopOnIdleEnd(VARIANT_FALSE)) &&
         SUCCEEDED(settings->put_DisallowStartIfOnBatteries(VARIANT_FALSE)) &&
         SUCCEEDED(settings->put_StopIfGoingOnBatteries(VARIANT_FALSE));
}

void RegisterLogonTask(const TTaskSchedulerApi& api, const std::wstring& taskName, int delaySeconds) {
  // The task runs this exe with administrator rights at every logon, without a prompt. An exe
  // that another program of the user could replace (in Downloads, say) would hand those rights
  // to whatever took its place, so such an exe leaves the task as it is.
  const std::wstring exePath = api.ExecutablePath();
  const std::wstring folder = ExecutableFolder(exePath);
  if (folder.empty() || !api.ExecutableIsProtected(exePath)) return;

  TSchedulerSession session;
  if (!OpenRootFolder(api, session)) return;
  ComPtr<ITaskDefinition> definition;
  if (!Got(session.Service->NewTask(0, &definition), definition)) return;
  ITaskDefinition& task = *definition.Get();
  if (!SetHighestRunLevel(task) || !AddLogonTrigger(task, delaySeconds) || !AddStartAction(task, exePath, folder) ||
      !ApplySettings(task)) {
    return;
  }
  // Registered as the calling user, in that user's logon session; the folder's own
  // permissions apply.
  const TBstr name(taskName);
  const TBstr noSecurityDescriptor(L"");
  if (!name || !noSecurityDescriptor) return;
  ComPtr<IRegisteredTask> registered;
  session.Root->RegisterTaskDefinition(name.Get(), definition.Get(), TASK_CREATE_OR_UPDATE, EmptyVariant(),
                                       EmptyVariant(), TASK_LOGON_INTERACTIVE_TOKEN,
                                       TextVariant(noSecurityDescriptor.Get()), &registered);
}

void RemoveLogonTask(const TTaskSchedulerApi& api, const std::wstring& taskName) {
  TSchedulerSession session;
  if (!OpenRootFolder(api, session) || FindTask(*session.Root.Get(), taskName) != TLookup::Found) return;
  const TBstr name(taskName);
  if (name) session.Root->DeleteTask(name.Get(), 0);
}

}  // namespace

const TTaskSchedulerApi& SystemTaskSchedulerApi() {
  static const TTaskSchedulerApi api{&::CoInitializeSecurity, &CoTaskScheduler::Create, &SystemExecutablePath,
                                     &ExecutableIsProtected};
  return api;
}

bool IsAutoStart(const std::wstring& taskName) {
  return IsAutoStart(SystemTaskSchedulerApi(), taskName);
}

bool IsAutoStart(const TTaskSchedulerApi& api, const std::wstring& taskName) {
  // Called from window procedures: nothing may escape, and any failure means "not found".
  try {
    TSchedulerSession session;
    return OpenRootFolder(api, session) && FindTask(*session.Root.Get(), taskName) == TLookup::Found;
  } catch (...) {
    return false;
  }
}

void SetAutoStart(const std::wstring& taskName, bool enable, int delaySeconds) {
  SetAutoStart(SystemTaskSchedulerApi(), taskName, enable, delaySeconds);
}

void SetAutoStart(const TTaskSchedulerApi& api, const std::wstring& taskName, bool enable, int delaySeconds) {
  try {
    if (enable) {
      RegisterLogonTask(api, taskName, delaySeconds);
    } else {
      RemoveLogonTask(api, taskName);
    }
  } catch (...) {
    // Failures are silent: the scheduler is left as it was.
  }
}
