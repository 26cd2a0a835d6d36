#pragma once

#include <windows.h>

// A window inside the test host that answers a test's questions about the program from
// within its process: what our owners hold and the status timer's id; and
// that hands the main window a scale change, which only the system may send across
// processes. Its class is ProbeClassName, a message-only window of a thread of its own that
// opens once the status timer has fired for the first time.
inline constexpr wchar_t ProbeClassName[] = L"OrvantaTestProbe";

// wParam names what to count; the answer is the count.
inline constexpr UINT ProbeQueryMessage = WM_APP + 1;
enum TProbeQuery : WPARAM {
  ProbeHandles = 0,     // kernel handles and registry keys
  ProbeGdiObjects = 1,  // GDI objects, memory DCs and icons
  ProbeComObjects = 2,  // BSTRs and Windows Runtime references
  ProbeStatusTimerId = 3,
};

// wParam is the new DPI; answers 1 once the main window has handled WM_DPICHANGED.
inline constexpr UINT ProbeDpiMessage = WM_APP + 2;

// Sets the probe up; call on the user-interface thread before the program runs.
void StartTestProbe();
