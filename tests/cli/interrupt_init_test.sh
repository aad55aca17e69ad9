#!/usr/bin/env bash
# Ctrl+C while velkor-cli wakes a bike that never answers (40 attempts, over a minute): the start
# ends at its next turn, nothing more goes on the line, the program says why and exits with 4,
# and the wake-up stored in ecu.ini is left as it was.
set -u
cli=$1
work=$(mktemp -d)
holder_pid=
cleanup() {
  [ -n "$holder_pid" ] && kill "$holder_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; [ -f "$work/err" ] && cat "$work/err"; exit 1; }

# A serial line with nobody behind it: a pseudo-terminal whose other end only counts the bytes
# that arrive, and writes the count to a file when it is told to stop.
python3 - "$work" <<'PY' &
import os, pty, signal, sys, time
work = sys.argv[1]
master, slave = pty.openpty()
name = os.ttyname(slave)
received = 0
stop = False
def on_term(*_):
    global stop
    stop = True
signal.signal(signal.SIGTERM, on_term)
with open(os.path.join(work, "pty"), "w") as f:
    f.write(name + "\n")
os.set_blocking(master, False)
marks = []
while not stop:
    try:
        data = os.read(master, 4096)
        received += len(data)
        marks.append((time.monotonic(), len(data)))
    except BlockingIOError:
        time.sleep(0.005)
    except OSError:
        time.sleep(0.005)
    mark = os.path.join(work, "mark")
    if os.path.exists(mark) and not os.path.exists(mark + ".count"):
        with open(mark + ".count", "w") as f:
            f.write(str(received) + "\n")
with open(os.path.join(work, "received"), "w") as f:
    f.write(str(received) + "\n")
PY
holder_pid=$!
for _ in $(seq 100); do
  [ -s "$work/pty" ] && break
  sleep 0.05
done
pty=$(head -n 1 "$work/pty" 2>/dev/null)
[ -n "$pty" ] || fail "no pseudo-terminal"

home="$work/home"
mkdir -p "$home"
printf '[ECU]\r\nType=4\r\nInit=0\r\n[Menu]\r\nauto=0\r\n' > "$home/ecu.ini"

started=$(date +%s)
"$cli" init --home "$home" --interface kkl --port "$pty" > "$work/out" 2> "$work/err" &
cli_pid=$!
sleep 3
kill -0 "$cli_pid" 2>/dev/null || fail "velkor-cli ended before the interrupt"
kill -INT "$cli_pid"
# Give it time to end well inside one attempt of the start, then look at the line.
for _ in $(seq 100); do
  kill -0 "$cli_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$cli_pid" 2>/dev/null && { kill -9 "$cli_pid"; fail "velkor-cli still running 10 s after Ctrl+C"; }
wait "$cli_pid"
rc=$?
ended=$(date +%s)

touch "$work/mark"
sleep 0.5
after_exit=$(cat "$work/mark.count" 2>/dev/null)
sleep 1
kill "$holder_pid"
wait "$holder_pid" 2>/dev/null
holder_pid=
total=$(cat "$work/received" 2>/dev/null)

[ "$rc" -eq 4 ] || fail "exit code $rc, expected 4"
grep -q "interrupted before the session opened" "$work/err" || fail "no word of the interrupt"
[ $((ended - started)) -lt 20 ] || fail "the start ran on for $((ended - started)) s"
[ -n "$after_exit" ] && [ "$after_exit" = "$total" ] || fail "bytes went out after the exit"
[ "$total" -gt 0 ] || fail "the start sent nothing at all: not a test of an interrupted start"
# The wake-up that never worked is not stored as the one to use.
ecu=$(tr -d '\r' < "$home/ecu.ini" | sed -n '/^\[ECU\]/,/^\[/p')
printf '%s\n' "$ecu" | grep -qx 'Init=0' || fail "[ECU] Init changed: $ecu"
printf '%s\n' "$ecu" | grep -qx 'Type=4' || fail "[ECU] Type changed: $ecu"
echo "cli interrupt during init: passed"
