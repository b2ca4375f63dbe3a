#!/usr/bin/env bash
# The configuration push sends the WMM step on the Windows the prefix reports (32-bit XP
# with Service Pack 3 in the x86 prefix, XP x64 with Service Pack 2 in the x64 one): the
# simulated adapter's WMM switch follows the profile's, which is on by default.
# Argument: the folder holding the Windows programs.
set -uo pipefail
bin="$1"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
run() { "$root/scripts/wine-run" "$@" 2>&1 | tr -d '\r'; }
wmm() { run "$bin/kestrel-sim.exe" status | grep -ao 'wmm: [0-9]*'; }

run "$bin/kestrel-sim.exe" reset >/dev/null
run "$bin/kestrel-sim.exe" install >/dev/null
before="$(wmm)"
connect="$(run "$bin/kestrelctl.exe" connect KESTREL_Open)"
after="$(wmm)"
echo "before: $before; connect: ${connect//$'\n'/, }; after: $after"
if [ "$before" = "wmm: 0" ] && grep -qx 'connected: KESTREL_Open' <<<"$connect" &&
  [ "$after" = "wmm: 1" ]; then
  echo "wmm push: PASS"
else
  echo "wmm push: FAIL"
  exit 1
fi
