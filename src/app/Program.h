#pragma once

#include "app/MainWindowSeams.h"

// What every start of the program does once its DLL search is locked to System32: the
// translation table, the colours and button styles, the crash reporter, then the entry
// decision for the command line. Ends the process with the entry's exit code.
[[noreturn]] void RunProgram(const TMainWindowSeams& seams);
