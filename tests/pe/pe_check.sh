#!/usr/bin/env bash
# Checks every shipped program and library of one Windows build against the oldest system
# that build supports: each imported function must be on the allow-list (a function found in
# that system's DLL), the PE header must ask for no newer system, the machine must be the
# build's, and a program's manifest must name the build's processor.
# Usage: pe_check.sh x86|x64 OBJDUMP BIN_DIR ALLOW_LIST
set -uo pipefail
arch="$1" objdump="$2" bin="$3" allow="$4"

case "$arch" in
  x86) format=pei-i386 magic=010b max_version=5.0 manifest_arch=x86 ;;
  x64) format=pei-x86-64 magic=020b max_version=5.2 manifest_arch=amd64 ;;
  *) echo "pe check: unknown build '$arch'" >&2; exit 2 ;;
esac
programs=(corvusap.exe kestrelctl.exe kestrel-sim.exe)
libraries=(DNIN50.dll AegisE5.dll kestrel_deploy.dll)

failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

# "DLL function" pairs this build may import; the list's DLL names are upper case.
allowed="$(awk -v arch="$arch" '!/^#/ && NF >= 4 && ($3 == arch || $3 == "both") {print toupper($1), $2}' "$allow" | sort -u)"

# Version "a.b" not newer than "c.d".
not_newer() {
  local major="${1%.*}" minor="${1#*.}" max_major="${2%.*}" max_minor="${2#*.}"
  [ "$major" -lt "$max_major" ] || { [ "$major" -eq "$max_major" ] && [ "$minor" -le "$max_minor" ]; }
}

field() { awk -v name="$1" '$1 == name {print $2; exit}' <<<"$2"; }

for file in "${programs[@]}" "${libraries[@]}"; do
  path="$bin/$file"
  if [ ! -f "$path" ]; then
    fail "$file: not built"
    continue
  fi
  header="$("$objdump" -p "$path")"
  grep -q "file format $format\$" <<<"$header" || fail "$file: not $format"
  [ "$(field Magic "$header")" = "$magic" ] || fail "$file: optional header magic is not $magic"
  os="$(field MajorOSystemVersion "$header").$(field MinorOSystemVersion "$header")"
  subsystem="$(field MajorSubsystemVersion "$header").$(field MinorSubsystemVersion "$header")"
  not_newer "$os" "$max_version" || fail "$file: asks for OS version $os (at most $max_version)"
  not_newer "$subsystem" "$max_version" ||
    fail "$file: asks for subsystem version $subsystem (at most $max_version)"

  # The import directory: "DLL Name: X" opens a DLL, then one line per function or ordinal.
  imports="$(awk '
    /^\tDLL Name: / {dll = toupper($3); next}
    dll != "" && /^\t[0-9a-f]+\t/ {
      if (NF >= 3) print dll, $3; else print dll, "ordinal-" $2
      next
    }
    /^$/ && dll != "" {dll = ""}
  ' <<<"$header" | sort -u)"
  if [ -z "$imports" ]; then
    fail "$file: no imports read"
  fi
  while read -r dll function; do
    [ -n "$dll" ] || continue
    fail "$file: imports $dll $function, not on the allow-list"
  done < <(comm -23 <(printf '%s\n' "$imports") <(printf '%s\n' "$allowed"))
  count=$(printf '%s\n' "$imports" | grep -c .)
  echo "$file: $format, OS $os, subsystem $subsystem, $count functions imported"
done

for file in "${programs[@]}"; do
  [ -f "$bin/$file" ] || continue
  # The manifest's own identity; its elements span lines.
  identity="$(tr '\r\n' '  ' <"$bin/$file" |
    grep -ao '<assemblyIdentity[^>]*name="Kestrel\.LX740N\.Utility"[^>]*>' | head -1)"
  found="$(grep -o 'processorArchitecture="[^"]*"' <<<"$identity" | head -1)"
  [ "$found" = "processorArchitecture=\"$manifest_arch\"" ] ||
    fail "$file: manifest says ${found:-no processorArchitecture}, not $manifest_arch"
done

if [ "$failures" -eq 0 ]; then
  echo "pe check: PASS"
else
  echo "pe check: $failures failures"
  exit 1
fi
