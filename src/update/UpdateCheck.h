#pragma once

#include <functional>
#include <string>

// Called on the user-interface thread when the check ends: Launched is true when the user
// accepted an update and its link went to the shell; Data is the service's answer.
using TUpdateCallback = std::function<void(bool launched, const std::u16string& data)>;

// Asks the maker's web service once about updates and notices, on a worker thread.
void CheckUpdate(const std::u16string& url, TUpdateCallback proc, int layoutAdjust);
