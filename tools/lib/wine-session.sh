# Sourced (after run-quietly.sh and wine-fonts.sh) by the run and test scripts: a private Wine
# prefix, a private X display and one long-lived wineserver for the whole run. Everything started here is stopped by pid.
#   wine_session_prepare_prefix PREFIX   create the prefix once (fonts, CJK links, desktop)
#   wine_session_prepare_dpi_prefix SOURCE TARGET DPI
#                                        a copy of a prepared prefix whose display has DPI
#   wine_session_start_display           start a private Xvfb and export DISPLAY
#   wine_session_start_server [HOLD_EXE] keep one wineserver and Wine's helpers alive, and
#                                        with HOLD_EXE (hold_desktop.exe) the desktop too
#   wine_session_stop                    stop what the functions above started


WINE_SESSION_XVFB_PID=""
WINE_SESSION_SERVER_STARTED=""

export WINEDEBUG="${WINEDEBUG:--all}"


# Debian's Wine looks for its own fonts in the prefix only: Tahoma is the window font and
# Marlett draws the caption buttons.
wine_session_copy_fonts() {
  fonts="$WINEPREFIX/drive_c/windows/Fonts"
  for font in tahoma.ttf tahomabd.ttf marlett.ttf; do
    [ -f "$fonts/$font" ] || cp "/usr/share/wine/fonts/$font" "$fonts/"
  done
}

wine_session_prepare_prefix() {
  export WINEPREFIX="$1"
  if [ -f "$WINEPREFIX/.orvanta-prefix-ready" ]; then
    wine_session_copy_fonts
    return 0
  fi
  echo "wine-session: creating the Wine prefix $WINEPREFIX (once per build folder)"
  mkdir -p "$WINEPREFIX"
  run_quietly wineboot -i
  wine_session_copy_fonts
  # Without these links (and Tahoma itself) Korean, Japanese and Chinese show as boxes.
  wine_font_links wine
  # Every program of the prefix runs inside one Wine virtual desktop: it has a taskbar
  # with a notification area, and windows close without the delay of a bare X server.
  run_quietly wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f
  run_quietly wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f
  run_quietly wineserver -w
  touch "$WINEPREFIX/.orvanta-prefix-ready"
}

# A second prefix is copied from the first rather than booted anew: no second wineboot runs
# during a test run (under a live display, next to the session's own server), and a copy
# takes a few seconds where a boot takes fifteen. Call it before the session's server starts,
# so that the source prefix is not being written while it is copied.
wine_session_prepare_dpi_prefix() {
  source="$1"
  target="$2"
  dpi="$3"
  [ -f "$target/.orvanta-dpi-$dpi" ] && return 0
  echo "wine-session: preparing the $dpi DPI Wine prefix $target"
  rm -rf "$target"
  cp -a "$source" "$target"
  (
    export WINEPREFIX="$target"
    run_quietly wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f
    run_quietly wineserver -w
  )
  touch "$target/.orvanta-dpi-$dpi"
}

wine_session_start_display() {
  display=""
  for number in $(seq 90 150); do
    if [ ! -e "/tmp/.X$number-lock" ] && [ ! -e "/tmp/.X11-unix/X$number" ]; then
      display=":$number"
      break
    fi
  done
  if [ -z "$display" ]; then
    echo "wine-session: no free X display number" >&2
    return 1
  fi
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  WINE_SESSION_XVFB_PID=$!
  for _ in $(seq 1 100); do
    if xdpyinfo -display "$display" >/dev/null 2>&1; then
      export DISPLAY="$display"
      return 0
    fi
    sleep 0.1
  done
  echo "wine-session: Xvfb did not start on $display" >&2
  return 1
}

wine_session_start_server() {
  # The server puts itself in the background once its socket is up, so the next Wine program
  # connects to it instead of racing it with a server of its own. The helpers must not hold
  # the caller's output pipes, or every reader waits for them.
  run_quietly wineserver -p
  run_quietly wine cmd /c exit
  if [ -n "${1:-}" ]; then
    (wine "$1" >/dev/null 2>&1 </dev/null &)
  fi
  WINE_SESSION_SERVER_STARTED=1
}

wine_session_stop() {
  if [ -n "$WINE_SESSION_SERVER_STARTED" ]; then
    wineserver -k >/dev/null 2>&1 || true
    WINE_SESSION_SERVER_STARTED=""
  fi
  if [ -n "$WINE_SESSION_XVFB_PID" ]; then
    kill "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
    wait "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
    WINE_SESSION_XVFB_PID=""
  fi
}
