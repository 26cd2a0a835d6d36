#pragma once

#include <cstdint>
#include <string_view>

// What the first command-line argument asks of this process. Only the exact,
// case-sensitive words count; anything else, or nothing, is a normal start.
enum class TStartMode {
  Normal,
  Start,     // "/start": the logon task; start hidden in the notification area
  Install,   // "/inst": a normal start that also registers the logon task
  Uninstall  // "/uninst": ask the running instance to remove the task and quit
};

TStartMode StartModeOf(std::u16string_view firstArgument);

// The instance message carries its command in wParam.
enum class TInstanceCommand { None, Show, Quit };

inline constexpr std::uintptr_t CommandShow = 1;
inline constexpr std::uintptr_t CommandQuit = 2;

TInstanceCommand InstanceCommandOf(std::uintptr_t wParam);
