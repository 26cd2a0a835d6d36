#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FakeTaskScheduler.h"
#include "autostart/AutoStart.h"

namespace {

using TFake = TFakeTaskScheduler;
using TCalls = std::vector<std::wstring>;

const std::wstring TaskName = AutoStartTaskName;

// What every operation sends first: the process's COM security, then the local scheduler
// as the current user, then its root folder.
const TCalls Prelude = {
    L"CoInitializeSecurity(null, -1, null, null, 4, 3, null, 0, null)",
    L"CreateTaskService()",
    L"ITaskService.Connect(VT_EMPTY, VT_EMPTY, VT_EMPTY, VT_EMPTY)",
    L"ITaskService.GetFolder(\"\\\")",
};

// The prelude, then the root folder's visible tasks walked by position up to the given one.
TCalls Lookup(int walked) {
  TCalls calls = Prelude;
  calls.push_back(L"ITaskFolder.GetTasks(0)");
  calls.push_back(L"IRegisteredTaskCollection.get_Count()");
  for (int index = 1; index <= walked; ++index) {
    calls.push_back(L"IRegisteredTaskCollection.get_Item(VT_I4 " + std::to_wstring(index) + L")");
    calls.push_back(L"IRegisteredTask.get_Name()");
  }
  return calls;
}

// One call a line, so that a failure shows the lines that differ.
std::string Lines(const TCalls& calls) {
  std::string text;
  for (const std::wstring& call : calls) {
    for (wchar_t c : call) text += c < 0x80 ? static_cast<char>(c) : '?';
    text += '\n';
  }
  return text;
}

bool Contains(const TCalls& calls, const std::wstring& prefix) {
  return std::any_of(calls.begin(), calls.end(), [&](const std::wstring& call) { return call.starts_with(prefix); });
}

const std::wstring Registration = L"ITaskFolder.RegisterTaskDefinition(";
const std::wstring Deletion = L"ITaskFolder.DeleteTask(";

class AutoStart : public ::testing::Test {
 protected:
  void SetUp() override { TFake::Reset(); }
  void TearDown() override { EXPECT_EQ(TFake::LiveObjects, 0) << "objects handed out and never released"; }

  // Runs an operation again with each of its calls failing in turn, both ways a call can fail.
  template <typename TOperation, typename TCheck>
  void FailEachCallOf(TOperation operation, TCheck check) {
    TFake::Reset();
    operation();
    const TCalls complete = TFake::Calls;
    ASSERT_GT(complete.size(), 4u);
    for (std::size_t failing = 0; failing < complete.size(); ++failing) {
      for (bool nullObject : {false, true}) {
        TFake::Reset();
        TFake::FailingCall = failing;
        TFake::FailWithNullObject = nullObject;
        operation();
        SCOPED_TRACE(testing::Message() << "failing " << testing::PrintToString(complete[failing])
                                        << (nullObject ? " with no object" : " with E_FAIL"));
        EXPECT_EQ(Lines(TFake::Calls), Lines(TCalls(complete.begin(), complete.begin() + failing + 1)))
            << "the operation goes on after a failure";
        EXPECT_EQ(TFake::LiveObjects, 0) << "objects kept after a failure";
        check(complete[failing]);
      }
    }
  }

  const TTaskSchedulerApi Api = TFake::Api();
};

TEST_F(AutoStart, RegistersTheElevatedLogonTaskOfTheRunningExe) {
  TFake::ExePath = L"C:\\Program Files\\Orvanta\\orvanta.exe";
  SetAutoStart(Api, TaskName, true, 60);

  TCalls expected = {
      L"ExecutablePath()",
      L"ExecutableIsProtected(\"C:\\Program Files\\Orvanta\\orvanta.exe\")",
  };
  expected.insert(expected.end(), Prelude.begin(), Prelude.end());
  expected.insert(expected.end(), {
                                      L"ITaskService.NewTask(0)",
                                      L"ITaskDefinition.get_Principal()",
                                      L"IPrincipal.put_RunLevel(1)",
                                      L"ITaskDefinition.get_Triggers()",
                                      L"ITriggerCollection.Create(9)",
                                      L"ITrigger.QueryInterface(ILogonTrigger)",
                                      L"ILogonTrigger.put_Delay(\"PT1M\")",
                                      L"ITaskDefinition.get_Actions()",
                                      L"IActionCollection.Create(0)",
                                      L"IAction.QueryInterface(IExecAction)",
                                      L"IExecAction.put_Path(\"C:\\Program Files\\Orvanta\\orvanta.exe\")",
                                      L"IExecAction.put_WorkingDirectory(\"C:\\Program Files\\Orvanta\\\")",
                                      L"IExecAction.put_Arguments(\"/start\")",
                                      L"ITaskDefinition.get_Settings()",
                                      L"ITaskSettings.put_StartWhenAvailable(VARIANT_TRUE)",
                                      L"ITaskSettings.put_ExecutionTimeLimit(\"PT0S\")",
                                      L"ITaskSettings.get_IdleSettings()",
                                      L"IIdleSettings.put_StopOnIdleEnd(VARIANT_FALSE)",
                                      L"ITaskSettings.put_DisallowStartIfOnBatteries(VARIANT_FALSE)",
                                      L"ITaskSettings.put_StopIfGoingOnBatteries(VARIANT_FALSE)",
                                      L"ITaskFolder.RegisterTaskDefinition(\"OrvantaTaskMachine\", the new "
                                      L"definition, 6, VT_EMPTY, VT_EMPTY, 3, VT_BSTR \"\")",
                                  });
  EXPECT_EQ(Lines(TFake::Calls), Lines(expected));
}

TEST_F(AutoStart, SetsTheLogonDelayOnlyWhenThereIsOne) {
  struct TCase {
    int DelaySeconds;
    std::wstring Delay;  // empty: no delay is set
  };
  const TCase cases[] = {{0, L""}, {-5, L""}, {1, L"\"PT1S\""}, {60, L"\"PT1M\""}, {90, L"\"PT1M30S\""}};
  for (const TCase& c : cases) {
    TFake::Reset();
    SetAutoStart(Api, TaskName, true, c.DelaySeconds);
    SCOPED_TRACE(testing::Message() << c.DelaySeconds << " seconds");
    const auto created = std::find(TFake::Calls.begin(), TFake::Calls.end(), L"ITriggerCollection.Create(9)");
    ASSERT_NE(created, TFake::Calls.end());
    if (c.Delay.empty()) {
      EXPECT_FALSE(Contains(TFake::Calls, L"ILogonTrigger.")) << "a delay of nothing is no delay";
      EXPECT_FALSE(Contains(TFake::Calls, L"ITrigger.QueryInterface"));
      EXPECT_EQ(*(created + 1), L"ITaskDefinition.get_Actions()");
    } else {
      ASSERT_LT(created + 2, TFake::Calls.end());
      EXPECT_EQ(*(created + 1), L"ITrigger.QueryInterface(ILogonTrigger)");
      EXPECT_EQ(*(created + 2), L"ILogonTrigger.put_Delay(" + c.Delay + L")");
    }
    EXPECT_TRUE(TFake::Calls.back().starts_with(Registration)) << "the task is still registered";
  }
}

TEST_F(AutoStart, RegistersNothingWhenAnyStepFails) {
  FailEachCallOf([&] { SetAutoStart(Api, TaskName, true, 60); },
                 [](const std::wstring& failing) {
                   if (!failing.starts_with(Registration)) {
                     EXPECT_FALSE(Contains(TFake::Calls, Registration));
                   }
                 });
}

TEST_F(AutoStart, LeavesTheTaskAloneWhenTheExeCouldBeReplacedByOthers) {
  struct TCase {
    std::wstring ExePath;
    bool Protected;
    TCalls Expected;
  };
  const TCase cases[] = {
      {L"C:\\Users\\Ann\\Downloads\\orvanta.exe",
       false,
       {L"ExecutablePath()", L"ExecutableIsProtected(\"C:\\Users\\Ann\\Downloads\\orvanta.exe\")"}},
      // Without a folder there is no working directory, and nothing to check.
      {L"orvanta.exe", true, {L"ExecutablePath()"}},
      {L"", true, {L"ExecutablePath()"}},
  };
  for (const TCase& c : cases) {
    TFake::Reset();
    TFake::ExePath = c.ExePath;
    TFake::ExeProtected = c.Protected;
    SetAutoStart(Api, TaskName, true, 0);
    EXPECT_EQ(Lines(TFake::Calls), Lines(c.Expected)) << testing::PrintToString(c.ExePath);
  }
}

TEST_F(AutoStart, GoesOnOnlyWhenTheProcessSecurityIsSetOrWasSetBefore) {
  struct TCase {
    HRESULT Security;
    bool GoesOn;
  };
  const TCase cases[] = {
      {S_OK, true},
      {RPC_E_TOO_LATE, true},
      {E_ACCESSDENIED, false},
      {RPC_E_NO_GOOD_SECURITY_PACKAGES, false},
  };
  for (const TCase& c : cases) {
    TFake::Reset();
    TFake::Tasks = {TaskName};
    TFake::SecurityResult = c.Security;
    EXPECT_EQ(IsAutoStart(Api, TaskName), c.GoesOn) << std::hex << c.Security;
    EXPECT_EQ(TFake::Calls.size() > 1, c.GoesOn) << std::hex << c.Security;
  }
}

TEST_F(AutoStart, FindsOnlyAVisibleTaskOfExactlyThatNameInTheRootFolder) {
  struct TCase {
    std::vector<std::wstring> Tasks;
    bool Found;
    int Walked;
  };
  const TCase cases[] = {
      {{}, false, 0},
      {{L"Other"}, false, 1},
      {{L"orvantataskmachine", L"ORVANTATASKMACHINE", L"OrvantaTaskMachine ", L"OrvantaTask"}, false, 4},
      {{L"Other", TaskName, L"Later"}, true, 2},
  };
  for (const TCase& c : cases) {
    TFake::Reset();
    TFake::Tasks = c.Tasks;
    SCOPED_TRACE(testing::PrintToString(c.Tasks));
    EXPECT_EQ(IsAutoStart(Api, TaskName), c.Found);
    EXPECT_EQ(Lines(TFake::Calls), Lines(Lookup(c.Walked)));
  }
}

TEST_F(AutoStart, RemovesOnlyATaskOfExactlyThatName) {
  struct TCase {
    std::vector<std::wstring> Tasks;
    int Walked;
    bool Deleted;
  };
  const TCase cases[] = {
      {{}, 0, false},
      {{L"orvantataskmachine", L"OrvantaTaskMachine2"}, 2, false},
      {{L"Other", TaskName, L"Later"}, 2, true},
  };
  for (const TCase& c : cases) {
    TFake::Reset();
    TFake::Tasks = c.Tasks;
    SetAutoStart(Api, TaskName, false, 0);
    TCalls expected = Lookup(c.Walked);
    if (c.Deleted) expected.push_back(L"ITaskFolder.DeleteTask(\"OrvantaTaskMachine\", 0)");
    EXPECT_EQ(Lines(TFake::Calls), Lines(expected)) << testing::PrintToString(c.Tasks);
  }
}

TEST_F(AutoStart, AnyFailureWhileLookingMeansNotFound) {
  FailEachCallOf(
      [&] {
        TFake::Tasks = {L"Other", TaskName};
        const bool found = IsAutoStart(Api, TaskName);
        if (TFake::FailingCall == TFake::NoFailure) {
          EXPECT_TRUE(found);
        } else {
          EXPECT_FALSE(found);
        }
      },
      [](const std::wstring&) {});
}

TEST_F(AutoStart, RemovesNothingWhenAnyStepFails) {
  FailEachCallOf(
      [&] {
        TFake::Tasks = {L"Other", TaskName};
        SetAutoStart(Api, TaskName, false, 0);
      },
      [](const std::wstring& failing) {
        if (!failing.starts_with(Deletion)) {
          EXPECT_FALSE(Contains(TFake::Calls, Deletion));
        }
      });
}

}  // namespace
