#!/bin/sh
# Builds both builds and runs every test layer: portable unit tests natively (ASan, UBSan),
# then the Windows build's unit, Win32, build and end-to-end tests under Wine.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/tools/bootstrap.sh"

cmake --preset native
cmake --build --preset native
ctest --preset native

cmake --preset windows
cmake --build --preset windows

. "$root/tools/lib/run-quietly.sh"
. "$root/tools/lib/wine-fonts.sh"
. "$root/tools/lib/wine-session.sh"
trap wine_session_stop EXIT INT TERM
wine_session_prepare_prefix "$root/build/windows/wine-prefix"
wine_session_prepare_dpi_prefix "$root/build/windows/wine-prefix" "$root/build/windows/wine-prefix-144dpi" 144
wine_session_start_display
wine_session_start_server "$root/build/windows/bin/hold_desktop.exe"
# Icons added before the desktop has made its taskbar would wait for the shell's next start.
run_quietly wine "$root/build/windows/bin/wait_for_window.exe" Shell_TrayWnd 30000 exists
ctest --preset windows
