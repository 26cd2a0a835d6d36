#!/bin/sh
# Builds orvanta.exe and starts it under Wine, in a Wine virtual-desktop window on your
# display. Without a display it runs on a private Xvfb display, saves a screenshot of the
# window, prints where, and stops again.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/tools/bootstrap.sh"
cmake --preset windows >/dev/null
cmake --build --preset windows --target orvanta wait_for_window

bin="$root/build/windows/bin"
. "$root/tools/lib/run-quietly.sh"
. "$root/tools/lib/wine-fonts.sh"
. "$root/tools/lib/wine-session.sh"
# A prefix of its own, so test runs never touch the settings you make here.
wine_session_prepare_prefix "$root/build/run-prefix"

if [ -n "${DISPLAY:-}" ]; then
  echo "run: starting Orvanta on $DISPLAY"
  exec wine "$bin/orvanta.exe" "$@"
fi

trap wine_session_stop EXIT INT TERM
wine_session_start_display
wine_session_start_server
wine "$bin/orvanta.exe" "$@" >/dev/null 2>&1 </dev/null &
if ! wine "$bin/wait_for_window.exe" TFrmOrvanta 30000 </dev/null; then
  echo "run: the Orvanta window did not appear" >&2
  exit 1
fi
mkdir -p "$root/build/screenshots"
shot="$root/build/screenshots/orvanta.png"
# Wait until two screenshots in a row agree: the window has finished painting.
previous=""
for _ in $(seq 1 50); do
  import -window root "$shot"
  current=$(md5sum <"$shot")
  [ "$current" = "$previous" ] && break
  previous="$current"
  sleep 0.2
done
echo "run: Orvanta is running on the private display $DISPLAY; screenshot saved to $shot"
