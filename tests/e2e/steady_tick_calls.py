"""Counts what one status-panel tick of corvusap.exe drew, from Wine's relay trace.

The sheet's 500 ms link poll arrives as WM_TIMER 0x474 on the user-interface thread. Every
call that thread makes from the timer message's window procedure until it returns is the
tick's own work; a drawing call among them (a GDI function, or a user32 function that paints
or makes a window paint later) means the tick drew. Prints the count of each of the last
ticks and fails when a tick of a steady link drew anything.
Usage: steady_tick_calls.py RELAY_LOG TICKS
"""
import re
import sys

TICK = re.compile(r"^(\w+):Call window proc \S+ \(hwnd=\S+,msg=WM_TIMER,wp=00000474,")
CALL = re.compile(r"^\w+:Call (\w+)\.(\w+)\(")
# user32 functions that paint, or invalidate so that a paint follows.
USER_DRAWING = {
    "InvalidateRect", "InvalidateRgn", "RedrawWindow", "UpdateWindow", "SetWindowTextW",
    "SetWindowTextA", "SetDlgItemTextW", "SetDlgItemTextA", "GetDC", "GetDCEx",
    "GetWindowDC", "BeginPaint", "FillRect", "DrawTextW", "DrawTextA", "ScrollWindowEx",
    "ScrollDC", "DrawIconEx",
}


def ticks(lines):
    """Each complete tick as the list of calls made inside it."""
    thread = None
    current = None
    depth = 0
    for line in lines:
        match = TICK.match(line)
        if current is None:
            if match and (thread is None or match.group(1) == thread):
                thread = match.group(1)
                current = []
                depth = 1
            continue
        if not line.startswith(thread + ":"):
            continue
        if "Call window proc" in line or "Call dialog proc" in line:
            depth += 1
        elif "Ret  window proc" in line or "Ret  dialog proc" in line:
            depth -= 1
            if depth == 0:
                yield current
                current = None
            continue
        call = CALL.match(line)
        if call:
            current.append((call.group(1), call.group(2)))


def drawing(calls):
    return [f"{dll}.{name}" for dll, name in calls
            if dll == "gdi32" or (dll == "user32" and name in USER_DRAWING)]


def main():
    with open(sys.argv[1], errors="replace") as log:
        found = list(ticks(log))
    wanted = int(sys.argv[2])
    if len(found) < wanted + 2:
        print(f"steady tick: only {len(found)} status-panel ticks traced")
        return 1
    failed = False
    for number, calls in enumerate(found[-wanted:], start=len(found) - wanted + 1):
        drawn = drawing(calls)
        print(f"tick {number}: {len(calls)} traced calls, {len(drawn)} drawing"
              + (": " + ", ".join(sorted(set(drawn))) if drawn else ""))
        failed = failed or bool(drawn)
    print("steady tick: FAIL" if failed else "steady tick: PASS")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
