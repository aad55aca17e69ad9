# Sourced by the tests that run velkor-cli against velkor-ecusim on a pseudo-terminal: a work
# folder removed at the end, `fail`, and the simulator's start and stop. The sourcing script
# sets `sim` (the simulator's path) first.
work=$(mktemp -d)
sim_pid=
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; [ -f "$work/out" ] && cat "$work/out" "$work/err"; exit 1; }

# Starts the simulator with `$@` after --pty, its output in $work/sim; sets sim_pid and pty.
start_sim() {
  "$sim" --pty "$@" < /dev/null > "$work/sim" &
  sim_pid=$!
  pty=
  for _ in $(seq 100); do
    pty=$(head -n 1 "$work/sim" 2>/dev/null)
    [ -n "$pty" ] && break
    sleep 0.05
  done
  [ -n "$pty" ] || fail "the simulator printed no device"
}
stop_sim() {
  kill "$sim_pid" 2>/dev/null
  wait "$sim_pid" 2>/dev/null
  sim_pid=
}
