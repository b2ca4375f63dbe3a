#!/usr/bin/env bash
# Profiles deployed with the Windows Installer package under Wine's msiexec, on a fresh
# prefix with the simulated adapter: PROFILES= imports an export file and APPLY= applies one
# of its profiles, which the utility connects to again at its first start after the link
# went; a file that does not import fails the installation and leaves no program files
# behind. Arguments: the folder of the Windows programs, the package, a work folder.
set -uo pipefail
bin="$1"
msi="$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"
work="$(mkdir -p "$3" && cd "$3" && pwd)"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
product="KESTREL LX740N Wireless Utility"
export WINEPREFIX="$work/prefix"
wineserver -k 2>/dev/null
rm -rf "$WINEPREFIX" "$WINEPREFIX.lock" "$work"/*.log "$work"/*.json
mkdir -p "$work"
"$root/scripts/wine-prefix" || { echo "the fresh prefix could not be made"; exit 1; }
export WINEDEBUG=-all LANG=ja_JP.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
trap 'wineserver -k 2>/dev/null' EXIT
wineserver -p60
unix_dir="$WINEPREFIX/drive_c/Program Files/$product"
failures=0
check() {
  local what="$1"
  shift
  if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}
windows_path() { local path="Z:$1"; echo "${path//\//\\}"; }
msiexec() {  # log name, then msiexec's arguments
  local name="$1"
  shift
  wine msiexec "$@" /qn /l*v "$(windows_path "$work/$name.log")" >>"$work/wine.log" 2>&1
}
installed() {  # program and arguments; stdout in $work/last
  wine "C:\\Program Files\\$product\\$1" "${@:2}" >"$work/raw" 2>>"$work/wine.log" </dev/null
  tr -d '\r' <"$work/raw" >"$work/last"
}
# Waits up to 20 s for kestrelctl status to show the link connected to SSID $1.
status_connected_to() {
  for _ in $(seq 1 40); do
    installed kestrelctl.exe status
    grep -qx 'link: connected' "$work/last" && grep -qx "ssid: $1" "$work/last" && return 0
    sleep 0.5
  done
  cat "$work/last"
  return 1
}
exited_within() {  # pid, seconds
  for _ in $(seq 1 "$(($2 * 2))"); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.5
  done
  return 1
}

# The adapter as its driver's installer leaves it, before the utility is installed.
wine "$bin/kestrel-sim.exe" install >>"$work/wine.log" 2>&1
python3 - "$work" <<'PY'
import json, sys
def profile(name, ssid, passphrase):
    wpa = passphrase is not None
    return {"name": name, "ConfigurationName": name, "NetworkName": ssid,
            "ssid_hex": ssid.encode().hex().upper(), "NetworkConnectionType": 1,
            "AdHocChannel": 0, "NetBand": 13, "AdHocBand": 1, "WmmEnabled": 1,
            "ShortPreamble": 1, "PowerManagement": 2, "PHlength": 0, "tpc": 0,
            "FragThreshold": 2346, "RTSThreshold": 2346, "EnableSecurity": 2 if wpa else 0,
            "defaultKey": 0, "EapSelection": 7 if wpa else 0,
            "AdvancedAuthenticationType": 5 if wpa else 0, "EncryptionAlg": 6 if wpa else 0,
            "WPA": 1 if wpa else 0, "ClientCertLen": 0, "AdvancedUserNameLength": 0,
            "leapEnabled": 0, "leapUserNameLength": 0, "HexEntryPp": 0, "autoCellEnabled": 1,
            "DomainName": "", "LoginName": "", "AdvancedUserName": "", "leapUserName": "",
            "Certificate": "", "SharedKey1": "", "SharedKey2": "", "SharedKey3": "",
            "SharedKey4": "", "AdvancedPassword": "", "leapUserPasswd": "",
            "Passphrase": passphrase or ""}
def write(name, profiles):
    document = {"format": "kestrel-profiles", "version": 1, "secrets": "included",
                "profiles": profiles}
    json.dump(document, open(sys.argv[1] + "/" + name, "w", encoding="utf-8"), indent=2,
              ensure_ascii=False)
# Not the factory-default network: a first start that pushed the defaults would not reach it.
write("office.json", [profile("Office", "KESTREL_WPA", "kestrel-wpa-psk"),
                      profile("Guest", "Guest Net", None)])
write("bad.json", [profile("Office", "KESTREL_11g", "MARLOWE-DUSKY-V"),
                   profile("会議室", "KESTREL_11g", "short")])
PY

msiexec deploy /i "$(windows_path "$msi")" ADDLOCAL=ALL \
  PROFILES="$(windows_path "$work/office.json")" APPLY=Office
check "the package installs with PROFILES= and APPLY=" test $? -eq 0
installed kestrelctl.exe profiles list
check "... and the file's profiles are stored" \
  bash -c "printf 'Office\nGuest\n' | cmp -s - '$work/last' || { cat '$work/last'; false; }"
check "... and the applied profile's network is connected (kestrelctl status)" \
  status_connected_to KESTREL_WPA
# The next start: the link gone (the adapter back in its power-on state), the utility
# started as at logon connects with the applied profile.
wine "$bin/kestrel-sim.exe" reset >>"$work/wine.log" 2>&1
installed kestrelctl.exe status
check "... the link goes with the adapter's reset" bash -c "! grep -qx 'link: connected' '$work/last'"
wine "C:\\Program Files\\$product\\corvusap.exe" START >>"$work/wine.log" 2>&1 </dev/null &
utility=$!
check "... and at the utility's next start it connects again to the applied profile's network" \
  status_connected_to KESTREL_WPA
installed corvusap.exe STOP
check "... and STOP ends the utility" exited_within "$utility" 15
kill "$utility" 2>/dev/null
wait "$utility" 2>/dev/null
# Wine writes its verbose log in the code page (932 here): "アクション終了 ...: NAME。 戻り値 N。",
# 1 for success, 0 for failure.
action_ended() {  # log name, action, return value
  iconv -f CP932 -t UTF-8 "$work/$1.log" | tr -d '\r' | grep -q "終了 .*: $2。 戻り値 $3。"
}
# The lines kestrel_deploy.dll relays: the command, what kestrelctl printed, its exit code,
# each a line of its own in the order given.
log_holds_lines() {  # log name, then the lines
  local log="$1"
  shift
  iconv -f CP932 -t UTF-8 "$work/$log.log" | tr -d '\r' | python3 -c '
import sys
lines = sys.stdin.read().split("\n")
want = sys.argv[1:]
at = 0
for line in lines:
    if at < len(want) and line == want[at]:
        at += 1
sys.exit(0 if at == len(want) else 1)' "$@" || { echo "  $log.log lacks: $*"; return 1; }
}
kestrelctl_windows="C:\\Program Files\\$product\\kestrelctl.exe"
check "... the import and the apply ran as deferred actions that succeeded" \
  bash -c "$(declare -f action_ended); work='$work'
    action_ended deploy ImportDeployedProfiles 1 && action_ended deploy ApplyDeployedProfile 1"
check "... and the log holds both kestrelctl commands and their exit codes" log_holds_lines deploy \
  "Running \"$kestrelctl_windows\" profiles import \"$(windows_path "$work/office.json")\" --replace --yes" \
  "imported: Office" "imported: Guest" "Exit code 0" "Running \"$kestrelctl_windows\" profiles apply \"Office\" --no-wait" "Exit code 0"
msiexec remove /x "$(windows_path "$msi")"
check "the package uninstalls" test $? -eq 0

msiexec bad /i "$(windows_path "$msi")" ADDLOCAL=ALL PROFILES="$(windows_path "$work/bad.json")"
check "a file that does not import fails the installation" test $? -ne 0
check "... and leaves no program files behind" \
  bash -c "test ! -e '$unix_dir/kestrelctl.exe' && test ! -e '$unix_dir/corvusap.exe'"
check "... its log shows the import failing and the installation ending with it" \
  bash -c "$(declare -f action_ended); work='$work'
    action_ended bad ImportDeployedProfiles 0 && action_ended bad InstallFinalize 0"
check "... and why: kestrelctl's refusal of the profile and its field, and its exit code" \
  log_holds_lines bad 'profile 2 "会議室", Passphrase (line 86): a passphrase has 8 to 63 characters' \
  "not imported: nothing was written" "Exit code 4"
msiexec plain /i "$(windows_path "$msi")"
check "without the properties the package installs as before" test $? -eq 0

if [ "$failures" -eq 0 ]; then echo "installer deploy: PASS"; else echo "installer deploy: $failures failed"; fi
