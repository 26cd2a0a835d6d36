#pragma once

// Names both the single-instance mutex and the main window's class, by which a second
// start finds the running instance.
inline constexpr wchar_t InstanceName[] = L"TFrmOrvanta";
