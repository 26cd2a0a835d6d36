#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "autostart/AutoStart.h"

// A stand-in for the Task Scheduler behind a TTaskSchedulerApi: our own objects for every
// interface the logon-task code touches. It records each call the code makes, in order and
// with its arguments, as one line of text such as
//   ITaskFolder.GetTasks(0)
//   IRegisteredTaskCollection.get_Item(VT_I4 1)
// and does nothing more: it stores no task, looks up no name and compares nothing, so every
// decision seen in the record is the code's own. Calls the code has no business making are
// recorded too and answer E_NOTIMPL. Any call can be made to fail.
//
// The IIDs it answers to are written here from their text form, apart from the program's
// own declarations, so a wrong IID there finds no interface here. It does not depend on a
// test framework: a test host may link it and watch the calls through OnCall. Each use
// starts with Reset().
struct TFakeTaskScheduler {
  static constexpr std::size_t NoFailure = static_cast<std::size_t>(-1);

  // What it answers: the names the root folder's task collection lists, in order; the path
  // of the running exe and whether it is protected; CoInitializeSecurity's result.
  static inline std::vector<std::wstring> Tasks;
  static inline std::wstring ExePath;
  static inline bool ExeProtected = true;
  static inline HRESULT SecurityResult = S_OK;

  // The call that fails, by its position in Calls, and how: with FailingResult, or, for a
  // call that hands back an object, by reporting success with no object when
  // FailWithNullObject is set. A failing ExecutablePath answers an empty path, a failing
  // ExecutableIsProtected false.
  static inline std::size_t FailingCall = NoFailure;
  static inline HRESULT FailingResult = E_FAIL;
  static inline bool FailWithNullObject = false;

  // What it was asked, and a hook that sees each call as it is recorded (kept by Reset).
  static inline std::vector<std::wstring> Calls;
  static inline std::function<void(const std::wstring& call)> OnCall;

  // Objects handed out and not yet released.
  static inline int LiveObjects = 0;

  // Forgets the calls and puts every answer back to its default: no tasks, an exe at
  // "C:\Program Files\Orvanta\orvanta.exe" that is protected, no failure.
  static void Reset();
  static TTaskSchedulerApi Api();
};
