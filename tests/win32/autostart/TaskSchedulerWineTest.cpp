#include <gtest/gtest.h>

#include <windows.h>

#include <taskschd.h>
#include <wrl/client.h>

#include <string>

#include "autostart/AutoStart.h"
#include "autostart/TaskSchedApi.h"
#include "win32/Bstr.h"
#include "win32/ComInitialization.h"

// Under Wine the scheduler service exists and keeps its tasks as files, but refuses the run
// level, logon triggers and the count of a folder's tasks. The real operations must fail
// there quietly, leave no task behind, and answer that there is none.
namespace {

using Microsoft::WRL::ComPtr;

bool TaskFileExists(const std::wstring& taskName) {
  wchar_t system[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring path = std::wstring(system, length) + L"\\Tasks\\" + taskName;
  return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

VARIANT Empty() {
  VARIANT variant;
  ::VariantInit(&variant);
  return variant;
}

TEST(TaskSchedulerUnderWine, TheFactoryConnectsToTheServiceAndTheIdentifiersAreAnswered) {
  TComInitialization com(COINIT_APARTMENTTHREADED);
  ASSERT_TRUE(com.Succeeded());
  ComPtr<ITaskService> service;
  ASSERT_EQ(CoTaskScheduler::Create(&service), S_OK);
  ASSERT_TRUE(service);
  ASSERT_EQ(service->Connect(Empty(), Empty(), Empty(), Empty()), S_OK);
  ComPtr<ITaskFolder> root;
  const TBstr rootPath(L"\\");
  ASSERT_EQ(service->GetFolder(rootPath.Get(), &root), S_OK);

  ComPtr<ITaskDefinition> definition;
  ASSERT_EQ(service->NewTask(0, &definition), S_OK);
  ComPtr<IActionCollection> actions;
  ASSERT_EQ(definition->get_Actions(&actions), S_OK);
  ComPtr<IAction> action;
  ASSERT_EQ(actions->Create(TASK_ACTION_EXEC, &action), S_OK);
  ComPtr<IExecAction> exec;
  EXPECT_EQ(action->QueryInterface(IidExecAction, reinterpret_cast<void**>(exec.GetAddressOf())), S_OK);

  // The check for a task left behind can see one: Wine accepts a definition without run
  // level and trigger.
  const std::wstring probeName = L"OrvantaProbeTask";
  const TBstr name(probeName);
  const TBstr noSecurityDescriptor(L"");
  VARIANT sddl = Empty();
  sddl.vt = VT_BSTR;
  sddl.bstrVal = noSecurityDescriptor.Get();
  ComPtr<IRegisteredTask> registered;
  ASSERT_EQ(root->RegisterTaskDefinition(name.Get(), definition.Get(), TASK_CREATE_OR_UPDATE, Empty(), Empty(),
                                         TASK_LOGON_INTERACTIVE_TOKEN, sddl, &registered),
            S_OK);
  EXPECT_TRUE(TaskFileExists(probeName));
  EXPECT_EQ(root->DeleteTask(name.Get(), 0), S_OK);
  EXPECT_FALSE(TaskFileExists(probeName));
}

TEST(TaskSchedulerUnderWine, RegistrationFailsQuietlyAndTheBoxShowsUnchecked) {
  TComInitialization com(COINIT_APARTMENTTHREADED);
  ASSERT_TRUE(com.Succeeded());

  // Wine's made-up file permissions never pass the check: go past it to reach the service.
  TTaskSchedulerApi api = SystemTaskSchedulerApi();
  api.ExecutableIsProtected = [](const std::wstring&) { return true; };
  SetAutoStart(api, AutoStartTaskName, true, 60);
  SetAutoStart(api, AutoStartTaskName, true, 0);
  EXPECT_FALSE(TaskFileExists(AutoStartTaskName)) << "a task without its run level or trigger";

  SetAutoStart(AutoStartTaskName, true, 0);
  EXPECT_FALSE(TaskFileExists(AutoStartTaskName));
  EXPECT_FALSE(IsAutoStart(AutoStartTaskName));
  SetAutoStart(AutoStartTaskName, false, 0);
  EXPECT_FALSE(IsAutoStart(AutoStartTaskName));
}

}  // namespace
