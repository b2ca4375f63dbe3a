#!/usr/bin/env bash
# x86 build: kestrelctl against two request libraries, our WINAPI DNIN50.dll and the same
# library built with cdecl exports. Both must give the same survey, status and push (a
# connect, whose settings go through the library). Arguments: the folder holding the
# Windows programs (the cdecl library in its cdecl/ subfolder).
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

cat >"$out/scenario.txt" <<'SCENARIO'
country US
network Open Lab
  channel 1
  rssi -50
network Psk Lab
  security wpa2-psk
  passphrase correct horse battery
  channel 11
  rssi -55
SCENARIO

for convention in stdcall cdecl; do
  mkdir -p "$out/$convention"
  cp "$bin/kestrelctl.exe" "$bin/AegisE5.dll" "$out/$convention/"
done
cp "$bin/DNIN50.dll" "$out/stdcall/"
cp "$bin/cdecl/DNIN50.dll" "$out/cdecl/"

for convention in stdcall cdecl; do
  ctl() { run "$out/$convention/kestrelctl.exe" "$@" 2>&1 | tr -d '\r'; }
  run "$bin/kestrel-sim.exe" reset >/dev/null 2>&1
  run "$bin/kestrel-sim.exe" install >/dev/null 2>&1
  run "$bin/kestrel-sim.exe" scenario "Z:$out/scenario.txt" >/dev/null 2>&1
  {
    echo "== scan"
    ctl scan | sed -E 's/ [0-9]+ % / N % /'  # the simulated signal varies from scan to scan
    echo "== connect"
    ctl connect "Psk Lab" --passphrase "correct horse battery"
    echo "== status"
    ctl status | grep -E '^(ssid|channel|security|state|mac|bssid):'
  } >"$out/$convention.txt"
  echo "--- $convention"
  cat "$out/$convention.txt"
done

check "the WINAPI library gives the survey" grep -q 'Open Lab' "$out/stdcall.txt"
check "... and the push connects" grep -qx 'connected: Psk Lab' "$out/stdcall.txt"
check "... and the status shows the link" grep -qx 'ssid: Psk Lab' "$out/stdcall.txt"
check "the cdecl library gives the same survey, push and status" \
  diff "$out/stdcall.txt" "$out/cdecl.txt"

if [ "$failures" -eq 0 ]; then echo "calling convention: PASS"; else
  echo "calling convention: $failures failures"
  exit 1
fi
