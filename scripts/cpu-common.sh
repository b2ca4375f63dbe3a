# Sourced by scripts/idle-cpu and scripts/sheet-cpu: finding a Windows program's own process
# under Wine, its CPU time, and the medians of the runs.

# The pid of the process of WINEPREFIX whose program is NAME (e.g. corvusap.exe), waiting up
# to 30 s for it. Wine may start a program through a launcher (`start.exe /exec NAME ...`)
# that lives on beside it, so the pid `$!` gives is not necessarily the program's: the
# program's own process is the one whose first argument is NAME itself. Prints nothing and
# fails when there is none or more than one.
own_pid() {
  local name="$1" found="" count pid argv0 _
  for _ in $(seq 1 150); do
    found=""
    count=0
    for pid in $(ls /proc | grep -E '^[0-9]+$'); do
      [ -r "/proc/$pid/environ" ] || continue
      tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
      argv0=$(tr '\0' '\n' 2>/dev/null <"/proc/$pid/cmdline" | head -1)
      argv0="${argv0##*[\\/]}"
      if [ "${argv0,,}" = "${name,,}" ]; then
        found="$pid"
        count=$((count + 1))
      fi
    done
    if [ "$count" = 1 ]; then
      echo "$found"
      return 0
    fi
    sleep 0.2
  done
  echo "no single process of $name in $WINEPREFIX (found $count)" >&2
  return 1
}

# CPU time of PID in nanoseconds: the scheduler's run time summed over its threads.
cpu_ns() {
  local total=0 ns _ stat
  for stat in /proc/"$1"/task/*/schedstat; do
    read -r ns _ <"$stat" && total=$((total + ns))
  done
  echo "$total"
}

# Fails loudly when a measured process used no CPU at all in a window: it is then not the
# program (a launcher waiting on it) or it has stopped, and a ratio would mean nothing.
# Arguments: NAME DELTA_NS, pairs.
require_cpu() {
  local failed=0
  while [ $# -ge 2 ]; do
    if [ "$2" -le 0 ]; then
      echo "error: $1 used no CPU in the window: not the program's own process, or it stopped" >&2
      failed=1
    fi
    shift 2
  done
  return $failed
}

# Prints NAME's process line as measured, so that a log shows which process it was.
describe_pid() {
  echo "$1: pid $2, $(tr '\0' ' ' <"/proc/$2/cmdline")"
}

# Private memory of PID in KiB as Linux counts it: the resident pages no other process
# shares (Private_Clean + Private_Dirty of smaps_rollup).
private_kib() {
  awk '/^Private_(Clean|Dirty):/ { total += $2 } END { print total + 0 }' "/proc/$1/smaps_rollup"
}

# The median of the numbers on stdin.
median() {
  sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print 0; else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# The build a measurement runs: the x86 one unless the script was given --x64 (as
# scripts/run), or where 32-bit Wine is not installed (it then says so). Sets preset,
# WINEARCH and bin and, unless KESTREL_BIN names a directory of programs built already,
# builds the TARGETS it needs, so that a fresh clone can measure.
# Usage: use_build X64(0|1) TARGET...
use_build() {
  local x64="$1"
  shift
  [ -n "${KESTREL_BIN:-}" ] || "$root/scripts/bootstrap" >/dev/null
  local why
  if [ "$x64" != 1 ] && ! why=$("$root/scripts/wine32-ready"); then
    echo "$why: measuring the 64-bit build instead" >&2
    x64=1
  fi
  if [ "$x64" = 1 ]; then
    preset=windows
    export WINEARCH=win64
  else
    preset=windows-x86
    export WINEARCH=win32
  fi
  if [ -n "${KESTREL_BIN:-}" ]; then
    bin="$KESTREL_BIN"
    return 0
  fi
  bin="$root/build/$preset/bin"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j2 --target "$@" >/dev/null
}
