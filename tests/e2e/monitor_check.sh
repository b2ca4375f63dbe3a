#!/usr/bin/env bash
# kestrelctl monitor --json under Wine while the link is taken down and up with kestrel-sim:
# the card removed and put back, the scenario switched away from the network, and another
# network connected. The events must come in that order, one JSON object a line. The
# transcript is printed. Argument: the folder holding the Windows programs.
set -uo pipefail
bin="$1"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
out="$(mktemp -d)"
export WINEPREFIX="$out/prefix"
trap 'wineserver -k 2>/dev/null; rm -rf "$out"' EXIT
run() { "$root/scripts/wine-run" "$@" </dev/null; }
failures=0
check() {
  local what="$1"
  shift
  if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}
cat >"$out/first.txt" <<'SCENARIO'
country US
network Open Lab
  channel 1
  rssi -50
SCENARIO
cat >"$out/second.txt" <<'SCENARIO'
country US
network Second Floor
  channel 11
  rssi -75
SCENARIO
mkdir -p "$WINEPREFIX"
run "$bin/kestrel-sim.exe" install >/dev/null 2>&1
wineserver -p60
run "$bin/kestrel-sim.exe" scenario "Z:${out//\//\\}\\first.txt" >/dev/null 2>&1
run "$bin/kestrelctl.exe" connect "Open Lab" >/dev/null 2>&1
check "connected to the first network" test $? -eq 0

run "$bin/kestrelctl.exe" monitor --json --seconds 20 >"$out/raw" 2>"$out/err" &
monitor=$!
sleep 4
run "$bin/kestrel-sim.exe" present off >/dev/null 2>&1
sleep 3
run "$bin/kestrel-sim.exe" present on >/dev/null 2>&1
sleep 4
run "$bin/kestrel-sim.exe" scenario "Z:${out//\//\\}\\second.txt" >/dev/null 2>&1
sleep 3
run "$bin/kestrelctl.exe" connect "Second Floor" --no-wait >/dev/null 2>&1
wait "$monitor"
code=$?
tr -d '\r' <"$out/raw" >"$out/events"
echo "--- monitor --json transcript"
cat "$out/events"
echo "---"
check "monitor exits 0 after its seconds" test "$code" -eq 0
check "every line is one JSON object with a time" python3 -c "
import json, sys
for line in open('$out/events', encoding='utf-8'):
    event = json.loads(line)
    assert isinstance(event['time_s'], float) and event['event'], line
"
order() {  # the events, in order, as event:state or event:ssid
  python3 -c "
import json
for line in open('$out/events', encoding='utf-8'):
    e = json.loads(line)
    if e['event'] == 'card': print('card:' + e['state'])
    elif e['event'] == 'link': print('link:' + e['state'] + (':' + e['ssid'] if 'ssid' in e else ''))
"
}
order >"$out/order"
check "card found, connected, removed, found, lost, connected elsewhere, in order" python3 -c "
seen = open('$out/order').read().split('\n')
want = ['card:found', 'link:connected:Open Lab', 'card:removed', 'card:found', 'link:lost',
        'link:connected:Second Floor']
at = 0
for line in seen:
    if at < len(want) and line == want[at]: at += 1
raise SystemExit(0 if at == len(want) else 'missing from ' + str(want[at]) + ' in ' + str(seen))
"
check "the new network's channel is told" grep -q '"event": "channel", "channel": 11' "$out/events"
if [ "$failures" -eq 0 ]; then echo "monitor: PASS"; else echo "monitor: $failures failed"; fi
