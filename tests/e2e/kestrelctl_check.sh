#!/usr/bin/env bash
# kestrelctl.exe against the simulated adapter under Wine: every command, the exit codes
# for usage, an absent adapter and refused settings, and a WEP network joined with its
# key (and not with a wrong one), the driver file's date, and the simulated adapter's state
# kept across a restart of the Wine server. Argument: the folder holding the Windows programs.
set -uo pipefail
bin="$1"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
run() { "$root/scripts/wine-run" "$@"; }
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
failures=0
check() {  # description, then a command that must succeed
  local what="$1"
  shift
  if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}
ctl() {  # runs kestrelctl; output in $out/last, exit code in $code
  run "$bin/kestrelctl.exe" "$@" >"$out/raw" 2>&1
  code=$?
  tr -d '\r' <"$out/raw" >"$out/last"  # the console writes CR LF
}
# Waits up to 10 s for `kestrelctl status` to show a line.
wait_for_status() {
  for _ in $(seq 1 20); do
    ctl status
    grep -qx "$1" "$out/last" && return 0
    sleep 0.5
  done
  cat "$out/last"
  return 1
}

run "$bin/kestrel-sim.exe" reset >/dev/null 2>&1
run "$bin/kestrel-sim.exe" install >/dev/null 2>&1

ctl frobnicate
check "unknown command exits 2" test "$code" -eq 2

run "$bin/kestrel-sim.exe" present off >/dev/null 2>&1
ctl status
check "absent adapter exits 3" test "$code" -eq 3
run "$bin/kestrel-sim.exe" present on >/dev/null 2>&1

check "joins the open network by itself" wait_for_status "ssid: KESTREL_Open"

ctl connect KESTREL_WPA2 --passphrase short
check "short passphrase exits 4" test "$code" -eq 4

ctl connect KESTREL_WEP --wep-key 1234567890
check "WEP connect exits 0" test "$code" -eq 0
check "WEP network joined with its key" wait_for_status "ssid: KESTREL_WEP"

ctl connect KESTREL_WEP --wep-key 0987654321
check "WEP connect with a wrong key is sent" test "$code" -eq 0
sleep 3
ctl status
check "a wrong WEP key does not connect" grep -qx "link: not associated" "$out/last"

ctl scan --json
check "scan lists the WPA2 network" grep -q '"ssid": "KESTREL_WPA2".*"security": "WPA2-PSK"' "$out/last"

ctl profiles save Lab --ssid KESTREL_WEP --wep-key 1234567890 --yes
check "profile saved" test "$code" -eq 0
ctl profiles list
check "profile listed" grep -qx "Lab" "$out/last"
ctl profiles show Lab
check "profile shown without its key" bash -c "grep -q 'security: WEP' '$out/last' && ! grep -q 1234567890 '$out/last'"
ctl profiles apply Lab
check "profile applied" test "$code" -eq 0
check "applied profile joins" wait_for_status "ssid: KESTREL_WEP"
ctl profiles delete Lab --yes
check "profile deleted" test "$code" -eq 0

ctl info
check "info shows region and MAC" bash -c "grep -qx 'region: JP' '$out/last' && grep -qx 'mac: 00:0B:6B:3C:2E:9D' '$out/last'"
check "info shows the driver file's own date" grep -qx "driver date: Jun. 20, 2005" "$out/last"

ctl stats --seconds 2
check "stats prints a line a second" test "$(grep -c '^tx ' "$out/last")" -eq 2

# The machine's adapter outlives its Wine server: a scenario loaded, the server stopped, and
# a scan by the next command finds the scenario's networks. In a copy of the prefix, so the
# suite's own server and services stay.
machine="$out/prefix"
cp -a "${WINEPREFIX:-$root/build/windows/wineprefix}" "$machine"
cat >"$out/lab.txt" <<'SCENARIO'
country US
network Persistent Lab
  channel 40
  band a
  security wpa2-psk
  passphrase correct horse
network Second Floor
  channel 11
SCENARIO
WINEPREFIX="$machine" run "$bin/kestrel-sim.exe" scenario "Z:${out//\//\\}\\lab.txt" >"$out/raw" 2>&1
check "a scenario is loaded in the copy" test $? -eq 0
WINEPREFIX="$machine" wineserver -k 2>/dev/null
WINEPREFIX="$machine" wineserver -w 2>/dev/null
WINEPREFIX="$machine" run "$bin/kestrelctl.exe" scan --json >"$out/raw" 2>&1
tr -d '\r' <"$out/raw" >"$out/last"
check "after a server restart a scan lists the scenario's networks" bash -c "grep -q '\"ssid\": \"Persistent Lab\"' '$out/last' && grep -q '\"ssid\": \"Second Floor\"' '$out/last' && ! grep -q KESTREL_ '$out/last'"
WINEPREFIX="$machine" run "$bin/kestrel-sim.exe" reset >/dev/null 2>&1
WINEPREFIX="$machine" wineserver -k 2>/dev/null
WINEPREFIX="$machine" wineserver -w 2>/dev/null
WINEPREFIX="$machine" run "$bin/kestrelctl.exe" scan --json >"$out/raw" 2>&1
tr -d '\r' <"$out/raw" >"$out/last"
check "after a reset the built-in scenario is back across a restart" grep -q '"ssid": "KESTREL_11g"' "$out/last"
WINEPREFIX="$machine" wineserver -k 2>/dev/null
WINEPREFIX="$machine" wineserver -w 2>/dev/null

if [ "$failures" -eq 0 ]; then echo "kestrelctl: PASS"; else echo "kestrelctl: $failures failed"; fi
