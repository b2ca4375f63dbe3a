#!/usr/bin/env bash
# The Windows Installer package on a machine of its own (a fresh Wine prefix): installed with
# every feature, the files, the logon entry and the Start menu shortcut in place; the
# utility started as the logon starts it, its main window opened through the shortcut;
# uninstalled while it runs, which ends it and removes what the package put there but
# keeps the user's profiles; then a newer package installed over an older one while the
# utility runs, and the older one refused over the newer.
# Arguments: the folder of the Windows programs (for ui_tour.exe), the package, the newer
# package and its version, a work folder (its prefix and logs are kept when a step fails),
# the program files folder the package installs into ("C:\Program Files", or
# "C:\Program Files (x86)" for a 32-bit package on 64-bit Windows) and the registry view its
# entries are written in (64 or 32; a 32-bit package on 64-bit Windows writes in the 32-bit
# view). The prefix's architecture comes from WINEARCH.
set -uo pipefail
bin="$1"
msi="$2"
next_msi="$3"
next_version="$4"
work="$5"
program_files="$6"
registry_view="$7"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
product="KESTREL LX740N Wireless Utility"
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
class_key='HKLM\SYSTEM\CurrentControlSet\Control\Class\{4D36E972-E325-11CE-BFC1-08002BE10318}'
installed_dir="$program_files\\$product"

export WINEPREFIX="$work/prefix"
wineserver -k 2>/dev/null  # a server left by an interrupted run
rm -rf "$WINEPREFIX" "$WINEPREFIX.lock" "$WINEPREFIX.log" "$work"/*.log "$work"/*.txt "$work"/*.png
mkdir -p "$work"
log="$work/installer.log"
: >"$log"
start=$(date +%s)
"$root/scripts/wine-prefix" || { echo "the fresh prefix could not be made"; exit 1; }
export WINEDEBUG=-all LANG=ja_JP.UTF-8
# No desktop menu entries on the host for the shortcut the package makes.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
wineserver -p60  # the simulated adapter lives as long as the server
program_files_unix="${program_files#[Cc]:\\}"
unix_dir="$WINEPREFIX/drive_c/${program_files_unix//\\//}/$product"

failures=0
check() {  # description, then a command that must succeed
  local what="$1"
  shift
  if "$@"; then
    echo "ok: $what" | tee -a "$log"
  else
    echo "FAIL: $what" | tee -a "$log"
    import -window root "$work/fail-$failures.png" 2>/dev/null
    failures=$((failures + 1))
  fi
}
windows_path() { local path="Z:$1"; echo "${path//\//\\}"; }
calls=0
msiexec() {  # action, package, options...; a verbose log per call
  local action="$1" package="$2"
  shift 2
  calls=$((calls + 1))
  local call_log="$work/msiexec-$calls${action/\//-}.log"
  wine msiexec "$action" "$(windows_path "$package")" /qn /l*v "$(windows_path "$call_log")" "$@" \
    >>"$log" 2>&1
}
refused() { ! msiexec "$@"; }
installed() { wine "$installed_dir\\$1" "${@:2}" >>"$log" 2>&1; }
registry_query() {  # key, output file, more reg arguments; in the package's view
  wine reg query "$1" "${@:3}" "/reg:$registry_view" >"$work/raw.txt" 2>&1
  local code=$?
  tr -d '\r' <"$work/raw.txt" >"$2"
  cat "$2" >>"$log"
  return $code
}
all_files_present() {
  local file
  for file in corvusap.exe kestrelctl.exe README.txt settings.rtf networks.rtf statistics.rtf \
    about.rtf DNIN50.dll AegisE5.dll kestrel-sim.exe kwlsvc08.sys; do
    [ -f "$unix_dir/$file" ] || { echo "missing: $file" >>"$log"; return 1; }
  done
}
shortcut() { find "$WINEPREFIX/drive_c" -name "$product.lnk" -print -quit 2>/dev/null; }
run_value_is() {
  registry_query "$run_key" "$work/run.txt" /v "$product" &&
    grep -qF "\"$installed_dir\\corvusap.exe\" START" "$work/run.txt"
}
run_value_gone() { ! registry_query "$run_key" "$work/run.txt" /v "$product"; }
profile_kept() {
  registry_query "$class_key" "$work/class.txt" /s &&
    grep -qE '\\CustomParams\\Configurations\\Lab$' "$work/class.txt"
}
exited_within() {
  for _ in $(seq 1 "$(($2 * 2))"); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.5
  done
  return 1
}
installed_products_are() {  # how many entries of the product, the version of the last
  registry_query "$uninstall_key" "$work/uninstall.txt" /s
  local count
  count=$(grep -cE "DisplayName +REG_SZ +$product\$" "$work/uninstall.txt")
  [ "$count" = "$1" ] || { echo "entries: $count" >>"$log"; return 1; }
  [ -z "${2:-}" ] || grep -qE "DisplayVersion +REG_SZ +$2\$" "$work/uninstall.txt"
}

# The summary's platform and language, and every component of the package's bitness.
package_is_of_its_view() {
  local platform=Intel bit64=0
  if [ "$registry_view" = 64 ]; then platform=x64 bit64=256; fi
  msiinfo suminfo "$1" | tr -d '\r' | tee -a "$log" | grep -qx "Template: $platform;1041" &&
    msiinfo export "$1" Component | tr -d '\r' | tail -n +4 | tee -a "$log" |
    awk -F'\t' -v bit64="$bit64" 'int($4 / 256) % 2 * 256 != bit64 { wrong = 1 } END { exit wrong }'
}

both_packages_of_their_view() { package_is_of_its_view "$msi" && package_is_of_its_view "$next_msi"; }

check "both packages are ${registry_view}-bit ones in Japanese" both_packages_of_their_view
check "the package installs with every feature" msiexec /i "$msi" ADDLOCAL=ALL
check "the programs, help files, readme and simulated adapter are in place" all_files_present
check "the logon entry starts the installed utility with START" run_value_is
check "the Start menu holds the shortcut" test -n "$(shortcut)"

installed kestrel-sim.exe reset
check "the installed simulated adapter installs" installed kestrel-sim.exe install
installed kestrel-sim.exe status
installed corvusap.exe START &
utility=$!
sleep 7  # the start-up checks pause before the tray icon appears
check "the Start menu shortcut is started" wine start /unix "$(shortcut)"
check "the main window opens" wine "$(windows_path "$bin/ui_tour.exe")" open 20000
check "the installed kestrelctl saves a profile" installed kestrelctl.exe profiles save Lab \
  --ssid KESTREL_11g --yes

check "the package uninstalls while the utility runs" msiexec /x "$msi"
check "uninstalling ended the utility" exited_within "$utility" 15
kill "$utility" 2>/dev/null
wait "$utility" 2>/dev/null
check "the program folder is gone" test ! -e "$unix_dir"
check "the logon entry is gone" run_value_gone
check "the shortcut is gone" test -z "$(shortcut)"
check "the user's profiles stay" profile_kept
check "no entry is left in the installed products" installed_products_are 0

check "the package installs again with the default features" msiexec /i "$msi"
check "the simulated adapter is left out by default" test ! -e "$unix_dir/DNIN50.dll"
installed corvusap.exe START &  # no adapter now: the utility waits for one in the tray
utility=$!
sleep 5
check "the newer package installs over it while the utility runs" msiexec /i "$next_msi"
check "replacing the older package ended the utility" exited_within "$utility" 15
kill "$utility" 2>/dev/null
wait "$utility" 2>/dev/null
check "the older package refuses to install over the newer" refused /i "$msi"
check "one entry of the newer version is in the installed products" \
  installed_products_are 1 "$next_version"
check "the utility is in place after the upgrade" test -f "$unix_dir/corvusap.exe"
check "the logon entry stays after the upgrade" run_value_is
check "the newer package uninstalls" msiexec /x "$next_msi"
check "nothing of it is left" bash -c "[ ! -e '$unix_dir' ] && [ -z \"\$(find '$WINEPREFIX/drive_c' -name '$product.lnk')\" ]"
check "no entry is left after it" installed_products_are 0

wineserver -k 2>/dev/null
echo "installer e2e: $failures failed, $(($(date +%s) - start)) s" | tee -a "$log"
if [ "$failures" = 0 ]; then
  rm -rf "$WINEPREFIX" "$WINEPREFIX.lock"
  echo "installer e2e: PASS"
else
  echo "prefix, logs and screenshots in $work"
  tail -40 "$log"
fi
