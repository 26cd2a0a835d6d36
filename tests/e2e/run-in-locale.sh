#!/bin/sh
# run-in-locale.sh LOCALE ACP,OEMCP EMULATOR PROGRAM [ARGS...]
# Runs a test program under Wine with LC_ALL set (the programs it starts inherit it), after
# setting the prefix's font links for that locale's code pages.
set -eu
tools_lib="$(cd "$(dirname "$0")/../../tools/lib" && pwd)"
. "$tools_lib/run-quietly.sh"
. "$tools_lib/wine-fonts.sh"
export LC_ALL="$1"
codepages="$2"
emulator="$3"
shift 3
wine_font_links "$emulator" "$codepages"
exec "$emulator" "$@"
