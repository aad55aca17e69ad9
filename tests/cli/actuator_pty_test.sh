#!/usr/bin/env bash
# The actuator tests end to end through the real serial code: velkor-cli test against
# velkor-ecusim's 59M on a pseudo-terminal. Engine stopped: the fuel pump runs its 30 s and is
# switched off by the tester; engine running: refused before anything moves; the simulator
# killed in the middle of a test: the tester ends cleanly with an error.
set -u
cli=$1
sim=$2
# shellcheck source=pty_sim.sh
. "$(dirname "$0")/pty_sim.sh"

home="$work/home"
mkdir -p "$home"
printf '[ECU]\r\nType=4\r\nInit=1\r\n[Menu]\r\nauto=0\r\n' > "$home/ecu.ini"

# The 59M, awake, with `$@`.
start_m59() { start_sim --model m59 --awake "$@"; }
run() {
  LC_ALL=C timeout 90 "$cli" test "$@" --home "$home" --interface kkl --port "$pty" \
    --family m59 < /dev/null > "$work/out" 2> "$work/err"
}

LC_ALL=C "$cli" test --list --home "$home" --family m59 > "$work/out" 2> "$work/err" \
  || fail "--list: exit code $?"
[ "$(tr '\n' ' ' < "$work/out")" = 'rev-counter fuel-pump coil-1 coil-2 injector-1 injector-2 fan-1 fan-2 immobiliser tps-reset service-reset ' ] \
  || fail "--list: $(cat "$work/out")"

# Engine stopped: the pump's 30 s, switched off by the tester.
start_m59 --engine stopped
run fuel-pump
rc=$?
[ "$rc" -eq 0 ] || fail "fuel-pump: exit code $rc"
grep -qx 'test: fuel-pump result=ok' "$work/out" || fail "fuel-pump: no ok line"
grep -qx 'test: fuel-pump Test OK' "$work/out" || fail "fuel-pump: no Test OK"
stop_sim
grep -q '^actuator: id=05 on_s=[0-9.]* off_s=[0-9.]* ended_by=tester$' "$work/sim" \
  || fail "fuel-pump: the simulator's log: $(grep actuator "$work/sim")"

# Engine running: refused with the window's text, nothing switched on.
start_m59 --engine 1200
run coil-1
rc=$?
[ "$rc" -eq 5 ] || fail "engine running: exit code $rc"
grep -q 'Le moteur doit être arrêté' "$work/err" || fail "engine running: no refusal text"
stop_sim
grep -q '^actuator:' "$work/sim" && fail "engine running: an actuator was switched on"

# The simulator killed two seconds into a coil test: the CLI ends by itself, with an error.
start_m59 --engine stopped
( sleep 4; kill -9 "$sim_pid" 2>/dev/null ) &
killer=$!
run coil-1
rc=$?
wait "$killer" 2>/dev/null
wait "$sim_pid" 2>/dev/null
sim_pid=
# Not 0, and not the time-out's 124: the CLI ended by itself.
[ "$rc" -ne 0 ] && [ "$rc" -ne 124 ] || fail "simulator killed: exit code $rc"
grep -q 'result=' "$work/out" || fail "simulator killed: no result line"
echo "actuator tests over a pty: passed"
