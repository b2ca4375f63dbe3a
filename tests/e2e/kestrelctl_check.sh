#!/usr/bin/env bash
# kestrelctl.exe against the simulated adapter under Wine, on a scenario of its own: help
# and the exit codes for usage, an absent adapter, refused settings and a link that does
# not come up; connecting with a right and a wrong WEP key; every --json output parsed and
# held against the table form (kestrelctl_forms.py); profiles saved, applied and deleted.
# The driver file's date, and the simulated adapter's state kept across a restart of the
# Wine server. Argument: the folder holding the Windows programs.
set -uo pipefail
bin="$1"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
run() { "$root/scripts/wine-run" "$@"; }
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
failures=0
check() {  # description, then a command that must succeed
  local what="$1"
  shift
  if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}
ctl() {  # runs kestrelctl; stdout in $out/last, stderr in $out/err, exit code in $code
  run "$bin/kestrelctl.exe" "$@" >"$out/raw" 2>"$out/rawerr"
  code=$?
  tr -d '\r' <"$out/raw" >"$out/last"  # the console writes CR LF
  tr -d '\r' <"$out/rawerr" >"$out/err"
}
keep() { cp "$out/last" "$out/$1"; }  # keeps the last output under a name
forms() { python3 "$here/kestrelctl_forms.py" "$@"; }
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

# Networks of this test's own, names that need escaping among them ("Café" is stored as
# its UTF-8 bytes, which are no code page 932 text of that name).
cat >"$out/scenario.txt" <<'SCENARIO'
country US
network Open Lab
  channel 1
  rssi -50
network WepLab
  security wep
  key 1234567890
  channel 6
  band b
  rssi -60
network Psk Lab
  security wpa2-psk
  passphrase correct horse battery
  channel 11
  rssi -55
network Lab "5G", a\b
  channel 36
  band a
  rssi -65
network Café
  mode adhoc
  channel 3
  band b
  rssi -70
SCENARIO

run "$bin/kestrel-sim.exe" reset >/dev/null 2>&1
run "$bin/kestrel-sim.exe" install >/dev/null 2>&1
run "$bin/kestrel-sim.exe" scenario "Z:$out/scenario.txt" >"$out/sim" 2>&1
check "scenario loaded" test $? -eq 0

ctl --help
check "--help exits 0 with the usage on standard output" \
  bash -c "test $code -eq 0 && grep -q '^usage: kestrelctl' '$out/last' && test ! -s '$out/err'"
ctl help connect
check "help connect shows the connect usage" \
  bash -c "test $code -eq 0 && grep -q 'connect SSID' '$out/last' && ! grep -q 'profiles' '$out/last'"
ctl --version
check "--version names the version" bash -c "test $code -eq 0 && grep -qx 'kestrelctl 2.0.0.6' '$out/last'"
ctl frobnicate
check "unknown command exits 2 with the usage on standard error" \
  bash -c "test $code -eq 2 && grep -q '^usage: kestrelctl' '$out/err' && test ! -s '$out/last'"

run "$bin/kestrel-sim.exe" present off >/dev/null 2>&1
ctl status
check "absent adapter exits 3" test "$code" -eq 3
run "$bin/kestrel-sim.exe" present on >/dev/null 2>&1

ctl connect "Psk Lab" --passphrase short
check "short passphrase exits 4" test "$code" -eq 4

started=$(date +%s%N)
ctl connect WepLab --wep-key 0987654321 --wait 8
elapsed_ms=$((($(date +%s%N) - started) / 1000000))
echo "wrong key: exit $code after $elapsed_ms ms: $(cat "$out/err")"
check "a wrong WEP key exits 5" test "$code" -eq 5
check "... within --wait 8 + 2 s" test "$elapsed_ms" -le 10000
check "... saying it is not connected" grep -q '^not connected after [0-9]* s (last seen: ' "$out/err"

ctl connect WepLab --wep-key 1234567890
check "the right WEP key exits 0" test "$code" -eq 0
check "... once connected, without progress when redirected" \
  bash -c "printf 'applied: yes\nconnected: WepLab\n' | cmp -s - '$out/last'"
ctl status
check "... and the link is up" grep -qx "ssid: WepLab" "$out/last"

# On a terminal (script(1) gives it one) the panel's texts show the progress; the console
# shows Japanese as such. Escape sequences of Wine's console are taken out before reading.
script -qc "'$root/scripts/wine-run' '$bin/kestrelctl.exe' connect WepLab --wep-key 1234567890" \
  "$out/tty" >/dev/null 2>&1 </dev/null
sed 's/\x1b\[[0-9;?]*[A-Za-z]//g; s/\r//g' "$out/tty" >"$out/tty.txt"
check "on a terminal the panel's texts show while connecting" \
  bash -c "grep -Eq '(スキャン中|接続しています|認証しています)…' '$out/tty.txt' &&
    grep -q 'connected: WepLab' '$out/tty.txt' || { cat '$out/tty.txt'; false; }"
keep status.txt
ctl status --json
keep status.json
check "status --json agrees with status" forms status "$out/status.txt" "$out/status.json"

ctl scan
keep scan.txt
ctl scan --json
keep scan.json
ctl scan --csv
keep scan.csv
check "scan --json and --csv agree with scan" \
  forms scan "$out/scan.txt" "$out/scan.json" "$out/scan.csv"
check "an SSID's bytes are given exactly" \
  python3 -c "import json,sys; d=json.load(open('$out/scan.json', encoding='utf-8')); \
sys.exit(0 if {'436166C3A9', '4C616220223547222C20615C62'} <= {n['ssid_hex'] for n in d} else 1)"
check "an SSID with quotes, a comma and a backslash survives JSON" \
  python3 -c "import json,sys; d=json.load(open('$out/scan.json', encoding='utf-8')); \
sys.exit(0 if 'Lab \"5G\", a\\\\b' in [n['ssid'] for n in d] else 1)"

ctl info
keep info.txt
ctl info --json
keep info.json
check "info --json agrees with info" forms info "$out/info.txt" "$out/info.json"
check "info names the region and its code" grep -qx "region: .* ([A-Z][A-Z])" "$out/info.txt"
check "info shows the driver file's own date" grep -qx "driver date: Jun. 20, 2005" "$out/info.txt"

# Profiles other tests (or the utility's first run) left in this prefix go first.
ctl profiles list
while IFS= read -r name; do
  [ -n "$name" ] && run "$bin/kestrelctl.exe" profiles delete "$name" --yes >/dev/null 2>&1 </dev/null
done <"$out/last"
ctl profiles list
check "no profiles: nothing when redirected" bash -c "test $code -eq 0 && test ! -s '$out/last'"
ctl profiles list --json
check "no profiles: [] in JSON" grep -qx '\[\]' "$out/last"

ctl profiles save Lab --ssid WepLab --wep-key 1234567890 --yes
check "profile saved" test "$code" -eq 0
ctl profiles save Psk --ssid "Psk Lab" --passphrase "correct horse battery" --yes
check "WPA2-PSK profile saved" test "$code" -eq 0
ctl profiles list
keep list.txt
ctl profiles list --json
keep list.json
check "profiles list --json agrees" forms profiles-list "$out/list.txt" "$out/list.json"
ctl profiles show Lab
keep show.txt
check "profile shown without its key" bash -c "grep -q 'security: WEP' '$out/show.txt' && ! grep -q 1234567890 '$out/show.txt'"
ctl profiles show Lab --json
keep show.json
check "profiles show --json agrees" forms profiles-show "$out/show.txt" "$out/show.json"

ctl profiles apply Psk
check "WPA2-PSK profile applied and connected" bash -c "test $code -eq 0 && grep -qx 'connected: Psk Lab' '$out/last'"
ctl profiles apply Lab --wait 15
check "WEP profile applied and connected" bash -c "test $code -eq 0 && grep -qx 'connected: WepLab' '$out/last'"

ctl stats --seconds 3
keep stats.txt
started=$(date +%s%N)
ctl stats --json --seconds 3
elapsed_ms=$((($(date +%s%N) - started) / 1000000))
keep stats.json
check "stats --json: three objects in about 2 s" test "$elapsed_ms" -ge 1900
check "stats --json agrees with stats" forms stats "$out/stats.txt" "$out/stats.json"

ctl profiles delete Lab --yes
check "profile deleted" test "$code" -eq 0
ctl profiles delete Psk --yes

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
