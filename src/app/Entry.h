#pragma once

#include <windows.h>

#include <string_view>

#include "app/MainWindowSeams.h"

// Decides what this process is (the running instance, a second start that hands over to
// it, or an uninstall call that tells it to quit) and runs it. Returns the exit code.
int RunEntry(std::u16string_view firstArgument, const TMainWindowSeams& seams = {});
