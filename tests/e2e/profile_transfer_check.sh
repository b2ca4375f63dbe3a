#!/usr/bin/env bash
# Profiles carried between two machines under Wine: two prefixes of their own, each with
# the simulated adapter and its own card id. Profiles of every kind saved on the first
# (WEP, WPA-PSK, ad hoc, and an 802.1X profile written into the registry as an earlier
# version left it) are exported with their secrets and imported on the second, whose own
# export then reads the same byte for byte. A file with one bad profile is refused with
# the profile and field named, and the second machine's registry stays as it was.
# Argument: the folder holding the Windows programs.
set -uo pipefail
bin="$1"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
out="$(mktemp -d)"
failures=0
stop_servers() {
  for machine in "$out/a" "$out/b"; do
    [ -d "$machine" ] && WINEPREFIX="$machine" wineserver -k 2>/dev/null
  done
  rm -rf "$out"
}
trap stop_servers EXIT
check() {  # description, then a command that must succeed
  local what="$1"
  shift
  if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}
on() {  # machine, program and arguments; stdout in $out/last, stderr in $out/err, exit in $code
  local machine="$1"
  shift
  WINEPREFIX="$out/$machine" "$root/scripts/wine-run" "$@" >"$out/raw" 2>"$out/rawerr" </dev/null
  code=$?
  tr -d '\r' <"$out/raw" >"$out/last"
  tr -d '\r' <"$out/rawerr" >"$out/err"
}
class='HKLM\System\CurrentControlSet\Control\Class\{4D36E972-E325-11CE-BFC1-08002BE10318}'
# The adapter's driver key under the class key, as kestrel-sim installed it.
driver_key() {
  local instance
  for instance in 0000 0001 0002 0003 0004 0005 0006 0007; do
    on "$1" reg query "$class\\$instance" /v DriverDesc
    if grep -q KESTREL "$out/last"; then
      echo "$instance"
      return
    fi
  done
}
# Every value beneath the driver key (card id and profiles), as the registry holds it.
registry_of() {
  WINEPREFIX="$out/$1" wineserver -w 2>/dev/null
  on "$1" reg export "$class\\$2" "C:\\registry.reg" /y
  iconv -f UTF-16LE -t UTF-8 "$out/$1/drive_c/registry.reg" | tr -d '\r'
}

for machine in a b; do
  mkdir -p "$out/$machine"
  on "$machine" "$bin/kestrel-sim.exe" install
  check "machine $machine: the simulated adapter installed" test "$code" -eq 0
done
key_a=$(driver_key a)
key_b=$(driver_key b)
check "both machines have a driver key" test -n "$key_a" -a -n "$key_b"

on a "$bin/kestrelctl.exe" profiles save Lab --ssid WepLab --wep-key 0A1B2C3D4E
check "a WEP profile saved" test "$code" -eq 0
on a "$bin/kestrelctl.exe" profiles save Office --ssid "Office main" --passphrase "correct horse battery"
check "a WPA-PSK profile saved" test "$code" -eq 0
on a "$bin/kestrelctl.exe" profiles save Meeting --ssid "会議室" --adhoc
check "an ad hoc profile with a Japanese SSID saved" bash -c "test $code -eq 0 || { cat '$out/err'; false; }"
# An 802.1X profile as an earlier version stored it: no preamble value, the certificate
# length as text, a LEAP user, no stored password.
campus="$class\\$key_a\\CustomParams\\Configurations\\Campus"
for value in NetworkConnectionType:1 AdHocChannel:0 NetBand:13 AdHocBand:1 WmmEnabled:1 \
  PowerManagement:2 PHlength:0 tpc:0 FragThreshold:2346 RTSThreshold:2346 EnableSecurity:2 \
  EapSelection:1 WPA:1 AdvancedAuthenticationType:4 EncryptionAlg:4 SharedKey1Length:0 \
  SharedKey2Length:0 SharedKey3Length:0 SharedKey4Length:0 defaultKey:0 \
  AdvancedUserNameLength:4 AdvancedPasswdLength:0 leapEnabled:1 leapUserNameLength:5 \
  leapUserPasswdLength:0 HexEntryPp:0 PassphraseLength:0 autoCellEnabled:1; do
  on a reg add "$campus" /v "${value%%:*}" /t REG_DWORD /d "${value##*:}" /f
done
for value in ConfigurationName:Campus NetworkName:campus DomainName:CORP LoginName:taro \
  ClientCertLen:4 Certificate:0a1b2c3d AdvancedUserName:taro leapUserName:yamada \
  SharedKey1: SharedKey2: SharedKey3: SharedKey4: AdvancedPassword: leapUserPasswd: Passphrase:; do
  on a reg add "$campus" /v "${value%%:*}" /t REG_SZ /d "${value#*:}" /f
done
on a reg add "$class\\$key_a\\CustomParams\\Configurations" /v 3 /t REG_SZ /d Campus /f

on a "$bin/kestrelctl.exe" profiles export 'C:\office.json' --include-secrets
check "export on the first machine" bash -c "test $code -eq 0 && grep -q 'exported: 4 profiles' '$out/err'"
cp "$out/a/drive_c/office.json" "$out/b/drive_c/office.json"
on b "$bin/kestrelctl.exe" profiles import 'C:\office.json'
check "import on the second machine" bash -c "test $code -eq 0 &&
  printf 'imported: Lab\nimported: Office\nimported: Meeting\nimported: Campus\n' | cmp -s - '$out/last' ||
  { cat '$out/last' '$out/err'; false; }"
on b "$bin/kestrelctl.exe" profiles export 'C:\again.json' --include-secrets
check "the second machine's profiles read the same after deciphering" \
  cmp "$out/a/drive_c/office.json" "$out/b/drive_c/again.json"
id_a=$(registry_of a "$key_a" | grep -i '"CardCfgId"')
id_b=$(registry_of b "$key_b" | grep -i '"CardCfgId"')
check "... under another card id" test -n "$id_a" -a -n "$id_b" -a "$id_a" != "$id_b"
cipher() { registry_of "$1" "$2" | sed -n '/Configurations\\Office\]/,/^$/p' | grep '"Passphrase"'; }
check "... so the stored cipher texts differ" test "$(cipher a "$key_a")" != "$(cipher b "$key_b")"
check "the file is UTF-8 with the SSID's bytes beside it" \
  bash -c "grep -q '\"NetworkName\": \"会議室\"' '$out/a/drive_c/office.json' &&
    grep -q '\"ssid_hex\": \"89EF8B638EBA\"' '$out/a/drive_c/office.json'"

# One bad profile among good new ones: nothing of the file is stored.
python3 - "$out/a/drive_c/office.json" "$out/b/drive_c/bad.json" <<'PY'
import json, sys
document = json.load(open(sys.argv[1], encoding="utf-8"))
for profile in document["profiles"]:
    profile["name"] += "2"
document["profiles"][1]["Passphrase"] = "short"
json.dump(document, open(sys.argv[2], "w", encoding="utf-8"), ensure_ascii=False, indent=2)
PY
before=$(registry_of b "$key_b")
on b "$bin/kestrelctl.exe" profiles import 'C:\bad.json'
check "a file with one bad profile exits 4 naming it and its field" bash -c "test $code -eq 4 &&
  grep -q '^profile 2 \"Office2\", Passphrase (line [0-9]*): a passphrase has 8 to 63 characters$' '$out/err' &&
  grep -qx 'not imported: nothing was written' '$out/err' && test ! -s '$out/last' ||
  { cat '$out/err'; false; }"
check "... and the second machine's registry is unchanged" \
  bash -c "test \"\$1\" = \"\$2\"" _ "$before" "$(registry_of b "$key_b")"
on b "$bin/kestrelctl.exe" profiles import 'C:\office.json'
check "names already stored are refused without --replace" \
  bash -c "test $code -eq 4 && grep -q '\"Lab\": already stored' '$out/err'"
check "... leaving the registry unchanged" \
  bash -c "test \"\$1\" = \"\$2\"" _ "$before" "$(registry_of b "$key_b")"

if [ "$failures" -eq 0 ]; then echo "profile transfer: PASS"; else echo "profile transfer: $failures failed"; fi
