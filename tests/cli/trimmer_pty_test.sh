#!/usr/bin/env bash
# The trimmer end to end through the real serial code: velkor-cli trimmer against velkor-ecusim's
# 59M on a pseudo-terminal. It reads the stored value; --set 7 --store with the engine idling
# sends and stores 7, which the next read finds; with the engine stopped nothing is sent and the
# command says why (exit 5).
set -u
cli=$1
sim=$2
# shellcheck source=pty_sim.sh
. "$(dirname "$0")/pty_sim.sh"

home="$work/home"
mkdir -p "$home"
printf '[ECU]\r\nType=4\r\nInit=1\r\n[Menu]\r\nauto=0\r\n' > "$home/ecu.ini"

# The 59M, awake, with `$@`, the bytes on the line logged.
start_m59() { start_sim --model m59 --awake "$@" --log "$work/bytes"; }
# The tester's bytes in one run of hex digits.
sent() { awk '$2 == "T" { printf "%s", $3 }' "$work/bytes"; }
run() {
  LC_ALL=C timeout 90 "$cli" trimmer "$@" --home "$home" --interface kkl --port "$pty" \
    --family m59 < /dev/null > "$work/out" 2> "$work/err"
}

start_m59 --engine 1200 --trimmer 4
run || fail "read: exit code $?"
grep -qx 'trimmer: value=4' "$work/out" || fail "read: no value line"
run --set 7 --store
rc=$?
[ "$rc" -eq 0 ] || fail "--set 7 --store: exit code $rc"
grep -qx 'trimmer: value=7 stored=yes' "$work/out" || fail "--set 7 --store: no stored line"
run || fail "read after the store: exit code $?"
grep -qx 'trimmer: value=7' "$work/out" || fail "read after the store: not 7"
# 30 15 07 07 and 30 15 05 07, framed (84 10 F1 ...).
sent | grep -q '8410F130150707' || fail "no adjustment to 7 on the line"
sent | grep -q '8410F130150507' || fail "no store of 7 on the line"
stop_sim

# The engine stopped: the value is never sent, and the command says why.
start_m59 --engine stopped --trimmer 4
run --set 7
rc=$?
[ "$rc" -eq 5 ] || fail "engine stopped: exit code $rc"
grep -q 'above 600 rpm' "$work/err" || fail "engine stopped: no reason on stderr"
stop_sim
sent | grep -q '8410F13015' && fail "engine stopped: a value was sent"
exit 0
