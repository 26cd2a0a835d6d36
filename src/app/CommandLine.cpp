#include "app/CommandLine.h"

TStartMode StartModeOf(std::u16string_view firstArgument) {
  if (firstArgument == u"/start") return TStartMode::Start;
  if (firstArgument == u"/inst") return TStartMode::Install;
  if (firstArgument == u"/uninst") return TStartMode::Uninstall;
  return TStartMode::Normal;
}

TInstanceCommand InstanceCommandOf(std::uintptr_t wParam) {
  switch (wParam) {
    case CommandShow:
      return TInstanceCommand::Show;
    case CommandQuit:
      return TInstanceCommand::Quit;
    default:
      return TInstanceCommand::None;
  }
}
