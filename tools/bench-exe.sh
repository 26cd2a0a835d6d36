#!/bin/sh
# Measures the real orvanta.exe under Wine beside two floor programs built by the same
# toolchain and run in the same prefix: a bare Win32 window, and the platform floor (common
# controls 6 with a check box, a drop-down list and a progress bar, GDI+ started and drawing
# once). Prints start time, memory after a minute, idle CPU shown and hidden, and the exe's
# size, each against its target.
#   tools/bench-exe.sh [IDLE_SECONDS]   (default 600: 0.05 % of a core is then 30 ticks)
# Not a test: figures on a shared machine vary; compare ratios measured in one run.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
idle_seconds="${1:-600}"

"$root/tools/bootstrap.sh"
cmake --preset windows >/dev/null
cmake --build --preset windows --target orvanta bench_driver floor_bare_window floor_platform hold_desktop \
  wait_for_window >/dev/null

. "$root/tools/lib/run-quietly.sh"
. "$root/tools/lib/wine-fonts.sh"
. "$root/tools/lib/wine-session.sh"

bin="$root/build/windows/bin"
work="$root/build/windows/bench"
shown_prefix="$work/prefix-shown"
hidden_prefix="$work/prefix-hidden"
pids=""
hidden_server=""

stop_everything() {
  for pid in $pids; do kill "$pid" 2>/dev/null || true; done
  if [ -n "$hidden_server" ]; then WINEPREFIX="$hidden_prefix" wineserver -k >/dev/null 2>&1 || true; fi
  wine_session_stop
}
trap stop_everything EXIT INT TERM

# Fresh copies of the test run's prepared prefix: no settings or task from an earlier run.
wine_session_prepare_prefix "$root/build/windows/wine-prefix"
rm -rf "$work"
mkdir -p "$work"
cp -a "$root/build/windows/wine-prefix" "$shown_prefix"
cp -a "$root/build/windows/wine-prefix" "$hidden_prefix"
for prefix in "$shown_prefix" "$hidden_prefix"; do
  WINEPREFIX="$prefix" run_quietly wine reg add 'HKCU\Software\Quiremo\Orvanta' /v cleanontray /t REG_DWORD /d 1 /f
  WINEPREFIX="$prefix" run_quietly wineserver -w
done

export WINEPREFIX="$shown_prefix"
wine_session_start_display
wine_session_start_server "$bin/hold_desktop.exe"
run_quietly wine "$bin/wait_for_window.exe" Shell_TrayWnd 30000 exists

median() {
  sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Field of /proc/PID/status in KiB.
status_kib() {
  awk -v field="$2:" '$1 == field { print $2 }' "/proc/$1/status"
}

# Waits until the process runs on its main thread alone: its workers are done.
wait_for_one_thread() {
  for _ in $(seq 1 "$2"); do
    [ "$(ls "/proc/$1/task" | wc -l)" -le 1 ] && return 0
    sleep 1
  done
}

# User and system CPU time of a process in clock ticks.
cpu_ticks() {
  awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"
}

echo "== start: process start to visible, painted window, median of 10 (ms) =="
: >"$work/start-bare"
: >"$work/start-platform"
: >"$work/start-orvanta"
: >"$work/start-scheduler"
for _ in 1 2 3 4 5 6 7 8 9 10; do
  wine "$bin/bench_driver.exe" start-time FloorBareWindow "$bin/floor_bare_window.exe" >>"$work/start-bare"
  wine "$bin/bench_driver.exe" start-time FloorPlatformWindow "$bin/floor_platform.exe" >>"$work/start-platform"
  wine "$bin/bench_driver.exe" start-time TFrmOrvanta "$bin/orvanta.exe" >>"$work/start-orvanta"
  wine "$bin/bench_driver.exe" scheduler-query >>"$work/start-scheduler"
done
start_bare=$(median <"$work/start-bare")
start_platform=$(median <"$work/start-platform")
start_orvanta=$(median <"$work/start-orvanta")
start_scheduler=$(median <"$work/start-scheduler")

echo "== memory: every feature once, then VmRSS and RssAnon a minute after start =="
wine "$bin/floor_bare_window.exe" >/dev/null 2>&1 &
bare_pid=$!
wine "$bin/floor_platform.exe" >/dev/null 2>&1 &
platform_pid=$!
wine "$bin/orvanta.exe" >/dev/null 2>&1 &
orvanta_pid=$!
pids="$bare_pid $platform_pid $orvanta_pid"
started=$(date +%s)
run_quietly wine "$bin/wait_for_window.exe" TFrmOrvanta 30000
# The settings load with its scheduler query and the update check ran at start.
run_quietly wine "$bin/bench_driver.exe" clean
run_quietly wine "$bin/bench_driver.exe" tray-clean
# A minute, and the update check over: where the service cannot be reached (as on a build
# machine without a network) its six attempts take about a minute themselves.
wait_for_one_thread "$orvanta_pid" 120
while [ $(($(date +%s) - started)) -lt 60 ]; do sleep 1; done
memory_seconds=$(($(date +%s) - started))
for name in bare platform orvanta; do
  eval "pid=\$${name}_pid"
  eval "${name}_rss=$(status_kib "$pid" VmRSS)"
  eval "${name}_anon=$(status_kib "$pid" RssAnon)"
  eval "${name}_threads=$(ls "/proc/$pid/task" | wc -l)"
done
cp "/proc/$orvanta_pid/smaps" "$work/orvanta.smaps"
cp "/proc/$platform_pid/smaps" "$work/platform.smaps"

echo "== idle CPU over $idle_seconds s: the window shown here, hidden in a second prefix =="
(
  export WINEPREFIX="$hidden_prefix"
  run_quietly wineserver -p
  run_quietly wine cmd /c exit
  (wine "$bin/hold_desktop.exe" >/dev/null 2>&1 </dev/null &)
  run_quietly wine "$bin/wait_for_window.exe" Shell_TrayWnd 30000 exists
)
hidden_server=1
WINEPREFIX="$hidden_prefix" wine "$bin/orvanta.exe" /start >/dev/null 2>&1 &
hidden_pid=$!
pids="$pids $hidden_pid"
# Past its start, its tray icon's re-add and its update check.
sleep 5
wait_for_one_thread "$hidden_pid" 120
shown_before=$(cpu_ticks "$orvanta_pid")
hidden_before=$(cpu_ticks "$hidden_pid")
bare_before=$(cpu_ticks "$bare_pid")
sleep "$idle_seconds"
shown_ticks=$(($(cpu_ticks "$orvanta_pid") - shown_before))
hidden_ticks=$(($(cpu_ticks "$hidden_pid") - hidden_before))
bare_ticks=$(($(cpu_ticks "$bare_pid") - bare_before))
hz=$(getconf CLK_TCK)

exe_bytes=$(stat -c %s "$bin/orvanta.exe")

percent() { awk -v t="$1" -v hz="$hz" -v s="$idle_seconds" 'BEGIN { printf "%.3f", 100 * t / hz / s }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
verdict() { awk -v v="$1" -v limit="$2" 'BEGIN { print (v <= limit) ? "met" : "MISSED" }'; }

start_ratio=$(ratio "$start_orvanta" "$start_bare")
rss_ratio=$(ratio "$orvanta_rss" "$platform_rss")
anon_ratio=$(ratio "$orvanta_anon" "$platform_anon")
hidden_percent=$(percent "$hidden_ticks")

echo
echo "Orvanta under Wine, $(date -u +%Y-%m-%d), $(nproc) cores, idle window ${idle_seconds} s"
printf '%-34s %12s %12s %12s %8s %s\n' "" "bare window" "platform" "orvanta" "ratio" "target"
printf '%-34s %12s %12s %12s %8s %s\n' "start to window, median ms" "$start_bare" "$start_platform" "$start_orvanta" \
  "$start_ratio" "<= 1.20 x bare: $(verdict "$start_ratio" 1.20)"
printf '%-34s %12s %12s %12s %8s %s\n' "  of it the logon task lookup, ms" "-" "-" "$start_scheduler" "" ""
printf '%-34s %12s %12s %12s %8s %s\n' "VmRSS after ${memory_seconds} s, KiB" "$bare_rss" "$platform_rss" "$orvanta_rss" \
  "$rss_ratio" "<= 1.15 x platform: $(verdict "$rss_ratio" 1.15)"
printf '%-34s %12s %12s %12s %8s %s\n' "RssAnon after ${memory_seconds} s, KiB" "$bare_anon" "$platform_anon" "$orvanta_anon" \
  "$anon_ratio" "<= 1.15 x platform: $(verdict "$anon_ratio" 1.15)"
printf '%-34s %12s %12s %12s %8s %s\n' "threads after ${memory_seconds} s" "$bare_threads" "$platform_threads" "$orvanta_threads" "" ""
printf '%-34s %12s %12s %12s %8s %s\n' "idle CPU, window shown, % core" "$(percent "$bare_ticks")" "-" \
  "$(percent "$shown_ticks")" "" "($shown_ticks ticks)"
printf '%-34s %12s %12s %12s %8s %s\n' "idle CPU, window hidden, % core" "-" "-" "$hidden_percent" "" \
  "< 0.05: $(verdict "$hidden_percent" 0.0499) ($hidden_ticks ticks)"
printf '%-34s %12s %12s %12s %8s %s\n' "orvanta.exe, bytes" "-" "-" "$exe_bytes" "" \
  "< 1572864: $(verdict "$exe_bytes" 1572863)"

# Where private memory goes: the largest anonymous regions of both, by what maps them.
echo
echo "largest private regions (Anonymous KiB per mapping; the rest of each smaps is in $work):"
for name in orvanta platform; do
  echo "  $name:"
  awk '/^[0-9a-f]+-[0-9a-f]+ / { region = $1; path = ($6 == "") ? "[anonymous]" : $6 }
       $1 == "Anonymous:" && $2 > 0 { print $2, region, path }' "$work/$name.smaps" | sort -rn | head -8 |
    awk '{ printf "    %8d  %s %s\n", $1, $2, $3 }'
done
