#!/usr/bin/env bash
# A generic OBD client against velkor-ecusim's adapter in front of the EOBD model, on a pty: the
# connection sequence such clients send, each command with a single CR, and every answer as the
# adapter gives it (headers on, no spaces, no line feeds); then a request interrupted by one
# character 2 ms after its CR, and the next command answered in full.
set -u
sim=$1
work=$(mktemp -d)
sim_pid=
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$sim" --pty --model eobd --elm327 --dtc P0130,P0171 --battery 12.6 > "$work/sim" &
sim_pid=$!
pty=
for _ in $(seq 100); do
  pty=$(head -n 1 "$work/sim" 2>/dev/null)
  [ -n "$pty" ] && break
  sleep 0.05
done
[ -n "$pty" ] || fail "the simulator printed no device"

timeout 30 python3 - "$pty" <<'EOF' || fail "the client's session (see above)"
import os, re, select, sys, termios, time, tty

fd = os.open(sys.argv[1], os.O_RDWR | os.O_NOCTTY)
tty.setraw(fd)
attrs = termios.tcgetattr(fd)
attrs[4] = attrs[5] = termios.B38400
termios.tcsetattr(fd, termios.TCSANOW, attrs)

def read_to_prompt(bound=5.0):
    text = b""
    end = time.monotonic() + bound
    while not text.endswith(b">") and time.monotonic() < end:
        ready, _, _ = select.select([fd], [], [], 0.05)
        if ready:
            text += os.read(fd, 4096)
    return text.decode("ascii", "replace")

def checksum(hex_frame):
    return "%02X" % (sum(bytes.fromhex(hex_frame)) & 0xFF)

def frame(hex_head):
    return hex_head + checksum(hex_head)

failures = []

def check(command, pattern):
    os.write(fd, (command + "\r").encode())
    answer = read_to_prompt()
    match = re.fullmatch(pattern, answer, re.S)
    if not match:
        failures.append("%s: %r does not match %r" % (command or "(CR)", answer, pattern))
    return match

# The adapter's own answers. The echo is on until ATE0 has run.
check("ATZ", re.escape("ATZ\r\rELM327 v1.5\r\r>"))
check("ATE0", re.escape("ATE0\rOK\r\r>"))
for command in ("ATH1", "ATL0", "ATS0", "ATSP0"):
    check(command, re.escape("OK\r\r>"))
check("ATRV", re.escape("12.6V\r\r>"))
check("ATDPN", re.escape("A0\r\r>"))

# The first request searches; the EOBD engine answers to the functional header from 10.
check("0100", re.escape("SEARCHING...\r" + frame("86F1104100983B8000") + "\r\r>"))
check("ATDPN", re.escape("A5\r\r>"))
# Warning lamp on, two codes stored; readiness.
check("0101", re.escape(frame("86F110410182076100") + "\r\r>"))
rpm = check("010C", r"84F110410C([0-9A-F]{4})[0-9A-F]{2}\r\r>")
if rpm and not 800 <= int(rpm.group(1), 16) / 4 <= 3000:
    failures.append("010C: %d rpm is no idle" % (int(rpm.group(1), 16) / 4))
# The throttle in one byte, as published.
check("0111", r"83F1104111[0-9A-F]{2}[0-9A-F]{2}\r\r>")
check("03", re.escape(frame("87F11043013001710000") + "\r\r>"))
check("04", re.escape(frame("81F11044") + "\r\r>"))
check("03", re.escape(frame("87F11043000000000000") + "\r\r>"))
check("0101", re.escape(frame("86F110410100076100") + "\r\r>"))
# A PID it does not have: nobody answers the functional request.
check("0120", re.escape("NO DATA\r\r>"))

# A character 2 ms after the request's CR stops it; it is dropped and the next command runs.
os.write(fd, b"010C\r")
time.sleep(0.002)
os.write(fd, b"X")
stopped = read_to_prompt()
if stopped != "STOPPED\r\r>":
    failures.append("interrupted 010C: %r" % stopped)
check("ATI", re.escape("ELM327 v1.5\r\r>"))
check("", re.escape("ELM327 v1.5\r\r>"))  # a lone CR repeats it

# Nothing is left over after the last prompt.
time.sleep(0.3)
ready, _, _ = select.select([fd], [], [], 0)
if ready:
    failures.append("left over: %r" % os.read(fd, 4096))
os.close(fd)
for failure in failures:
    print(failure)
sys.exit(1 if failures else 0)
EOF

# The simulator ends by itself once the port has stayed closed.
for _ in $(seq 100); do
  kill -0 "$sim_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$sim_pid" 2>/dev/null && fail "the simulator did not end"
wait "$sim_pid" || fail "the simulator's exit code $?"
sim_pid=
echo "OBD client over the adapter on a pty: passed"
