#!/usr/bin/env bash
# The fault codes end to end through the real serial code: velkor-ecusim holds stored codes on a
# pseudo-terminal (a 59M on the K-line, an EOBD engine behind the ELM327 adapter), velkor-cli
# lists exactly those, clears them, and the next read finds none; the 59M's identification too.
set -u
cli=$1
sim=$2
# shellcheck source=pty_sim.sh
. "$(dirname "$0")/pty_sim.sh"

# name|family type|interface|family|simulator options|codes listed, in order
cases='m59|4|kkl|m59|--model m59 --awake --dtc 0122:24:40,D600:80:01,4123:03:28|P0122 U1600 C0123
eobd|5|elm327|eobd|--elm327 --model eobd --dtc 0123,0324,0244|P0123 P0324 P0244'

while IFS='|' read -r name type interface family sim_options codes; do
  home="$work/$name"
  mkdir -p "$home"
  printf '[ECU]\r\nType=%s\r\nInit=1\r\n[Menu]\r\nauto=0\r\n' "$type" > "$home/ecu.ini"
  # shellcheck disable=SC2086  # the options are words
  start_sim $sim_options
  # A loaded machine (sanitizers, parallel builds) can hold the tester between two bytes of a
  # request longer than the ECU's inter-byte limit: the ECU drops that request, the read says
  # the ECU did not answer (exit 4). One such loss is the pty's life; a second one fails.
  run() {
    local attempt
    for attempt in 1 2; do
      LC_ALL=C timeout 60 "$cli" "$@" --home "$home" --interface "$interface" --port "$pty" \
        --family "$family" < /dev/null > "$work/out" 2> "$work/err"
      local rc=$?
      [ "$rc" -ne 4 ] && return "$rc"
      echo "$name: $*: the ECU missed a request (attempt $attempt)"
    done
    return 4
  }
  listed() { sed -n 's/^fault: code=\([^\t]*\).*/\1/p' "$work/out" | tr '\n' ' ' | sed 's/ $//'; }

  run faults || fail "$name: faults: exit code $?"
  [ "$(listed)" = "$codes" ] || fail "$name: listed '$(listed)', stored '$codes'"
  grep -qx 'faults: count=3' "$work/out" || fail "$name: no count line"

  run faults --clear || fail "$name: faults --clear: exit code $?"
  [ "$(grep -c '^faults: count=' "$work/out")" -eq 2 ] || fail "$name: --clear: no second read"
  [ "$(grep '^faults: count=' "$work/out" | tail -n 1)" = 'faults: count=0' ] \
    || fail "$name: --clear left codes"

  run faults || fail "$name: faults after the clear: exit code $?"
  grep -qx 'faults: count=0' "$work/out" || fail "$name: codes are back after the clear"
  grep -q '^fault:' "$work/out" && fail "$name: a code listed after the clear"

  if [ "$name" = m59 ]; then
    run ident || fail "$name: ident: exit code $?"
    grep -qx 'Marelli Number : IAW59MHW010' "$work/out" || fail "$name: identification"
    [ "$(wc -l < "$work/out")" -eq 9 ] || fail "$name: identification lines"
  fi
  stop_sim
done <<< "$cases"
echo "fault codes over a pty: passed"
