#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "update/HttpGetText.h"

// Called on the user-interface thread when the check ends: Launched is true when the user
// accepted an update and its link went to the shell; Data is the service's answer.
using TUpdateCallback = std::function<void(bool launched, const std::u16string& data)>;

// Asks the maker's web service once about updates and notices, on a worker thread: up to
// six attempts, ten seconds apart, then the decision on the user-interface thread. Without
// a callback it waits for the end of the check, serving the decision meanwhile.
void CheckUpdate(const std::u16string& url, TUpdateCallback proc, int layoutAdjust);

// The service URL and the prompt's layout adjustment of the last check.
const std::u16string& UpdateServiceUrl();
int UpdateLayoutAdjust();

// Set when the main window is destroyed: a check still running then ends without a
// decision, and no step of it reaches the user-interface thread.
void SetApplicationTerminating(bool terminating);
bool ApplicationTerminating();

// Tells the service to hold this client's update, on a thread of its own; nothing waits for
// it or reads its answer, except the end of the process, which gives it a bounded time.
void SendHoldCommand();
void WaitForHoldCommands(DWORD limitMs);

// What tests replace: the request, the pause between attempts, and the prompt.
struct TUpdateCheckSeams {
  bool (*HttpGetText)(std::u16string_view url, const THeaderList& headers, std::u16string& text) = nullptr;
  int PauseSteps = 1000;  // of StepMs each: ten seconds
  DWORD StepMs = 10;
  bool (*UpdateDialog)(const std::u16string& data) = nullptr;
};
TUpdateCheckSeams& UpdateCheckSeams();
