#!/usr/bin/env bash
# A steady link's status-panel tick draws nothing: corvusap.exe runs under Wine's relay trace
# of its gdi32 and user32 calls, its main window open on the information page, against the
# simulated adapter with the link connected and its signal held strong (eight bars whatever
# the signal's walk); steady_tick_calls.py then counts the drawing calls of the last ticks.
# Arguments: the folder holding the Windows programs, and a folder for the trace and logs.
set -uo pipefail
bin="$(cd "$1" && pwd)"
mkdir -p "$2"
out="$(cd "$2" && pwd)"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$root/build/windows/wineprefix}"
log="$out/steady-tick.log"
: >"$log"
wrun() { "$root/scripts/wine-run" "$@" >>"$log" 2>&1; }
debug_key='HKCU\Software\Wine\Debug'
utility=""
cleanup() {
  [ -n "$utility" ] && { wrun "$bin/corvusap.exe" STOP; wait "$utility" 2>/dev/null; }
  wrun reg delete "$debug_key" /v RelayInclude /f
}
trap cleanup EXIT
wrun "$bin/corvusap.exe" STOP  # an instance left running would take the second start
wrun "$bin/kestrel-sim.exe" reset
wrun "$bin/kestrel-sim.exe" install
# Only the two libraries that draw: a full relay trace would slow the program a hundredfold.
wrun reg add "$debug_key" /v RelayInclude /d 'gdi32.*;user32.*' /f
(
  cd "$bin" &&
    WINEDEBUG=+relay LANG=ja_JP.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml=" \
      wine corvusap.exe START 2>"$out/relay.log" >/dev/null
) &
utility=$!
sleep 8  # start-up checks pause 5 s on XP; the default profile connects meanwhile
grep -q "msg=WM_TIMER" "$out/relay.log" || { echo "steady tick: the traced utility is not running"; exit 1; }
wrun "$bin/kestrel-sim.exe" rssi KESTREL_11g -20
wrun "$bin/corvusap.exe"
wrun "$bin/ui_tour.exe" open 30000 || { echo "steady tick: the main window did not open"; exit 1; }
wrun "$bin/ui_tour.exe" page 3
sleep 4
wrun "$bin/kestrel-sim.exe" status
wrun "$bin/corvusap.exe" STOP
wait "$utility" 2>/dev/null
utility=""
python3 "$root/tests/e2e/steady_tick_calls.py" "$out/relay.log" 4
