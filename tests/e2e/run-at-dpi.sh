#!/bin/sh
# run-at-dpi.sh DPI PREFIX PROGRAM [ARGS...]
# Runs a test program under Wine in a prefix of its own whose display DPI is DPI, with a
# wineserver of its own that it stops again. ORVANTA_TEST_DPI tells the tests what to expect.
# tools/test.sh prepares that prefix before the test run starts.
set -eu
dpi="$1"
prefix="$2"
shift 2
tools_lib="$(cd "$(dirname "$0")/../../tools/lib" && pwd)"
. "$tools_lib/run-quietly.sh"
. "$tools_lib/wine-fonts.sh"
. "$tools_lib/wine-session.sh"

if [ ! -f "$prefix/.orvanta-dpi-$dpi" ]; then
  echo "run-at-dpi: $prefix is not a prepared $dpi DPI prefix; tools/test.sh makes it" >&2
  exit 1
fi
export WINEPREFIX="$prefix"
trap wine_session_stop EXIT INT TERM
wine_session_start_server
ORVANTA_TEST_DPI="$dpi" wine "$@"
