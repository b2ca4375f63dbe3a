#!/usr/bin/env bash
# Checks that our DNIN50.dll, AegisE5.dll and kestrel_deploy.dll export exactly the names
# and ordinals of the committed table, the same in both builds: no decorated duplicates,
# the enumeration functions by ordinal only.
# Usage: export_check.sh OBJDUMP BIN_DIR EXPECTED
set -uo pipefail
objdump="$1" bin="$2" expected="$3"

# One line per export, "DLL ordinal name", "-" for an export without a name.
exports_of() {
  "$objdump" -p "$bin/$1" | awk -v dll="$1" '
    /^Export Address Table -- Ordinal Base/ {base = $NF; table = "address"; next}
    /^\[Ordinal\/Name Pointer\] Table/ {table = "names"; next}
    /^$/ {table = ""}
    table == "address" && /Export RVA/ {gsub(/[\[\]]/, " "); rva[$1] = 1}
    table == "names" {gsub(/[\[\]]/, " "); name[$1] = $2}
    END {
      for (i in rva) print dll, base + i, (i in name ? name[i] : "-")
    }' | sort -k2,2n
}

actual="$(for dll in DNIN50.dll AegisE5.dll kestrel_deploy.dll; do exports_of "$dll"; done)"
want="$(grep -v '^#' "$expected" | grep .)"
if [ "$actual" = "$want" ]; then
  printf '%s\n' "$actual" | awk '{print $1}' | uniq -c
  echo "exports: PASS"
else
  diff <(printf '%s\n' "$want") <(printf '%s\n' "$actual") | sed 's/^/  /'
  echo "exports: FAIL (< expected, > built)"
  exit 1
fi
