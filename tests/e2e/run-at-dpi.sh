#!/bin/sh
# run-at-dpi.sh DPI PREFIX PROGRAM [ARGS...]
# Runs a test program under Wine in a prefix of its own whose display DPI is DPI, with a
# wineserver of its own that it stops again. ORVANTA_TEST_DPI tells the tests what to expect.
set -eu
dpi="$1"
prefix="$2"
shift 2
tools_lib="$(cd "$(dirname "$0")/../../tools/lib" && pwd)"
. "$tools_lib/wine-fonts.sh"
. "$tools_lib/wine-session.sh"

wine_session_prepare_prefix "$prefix"
if [ ! -f "$prefix/.orvanta-dpi-$dpi" ]; then
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 </dev/null
  wineserver -w
  touch "$prefix/.orvanta-dpi-$dpi"
fi
trap wine_session_stop EXIT INT TERM
wine_session_start_server
ORVANTA_TEST_DPI="$dpi" wine "$@"
