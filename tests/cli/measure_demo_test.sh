#!/usr/bin/env bash
# velkor-cli measure on a fresh home folder: one line per iteration, a .csv with its header and
# one line per pass, the summary, exit code 0; and clear failures for bad arguments.
set -u
cli=$1
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

out=$("$cli" measure --home "$home" --demo --family m59 --iterations 20 --csv) || fail "exit code $?"
lines=$(printf '%s\n' "$out" | grep -c '^time=')
[ "$lines" -eq 20 ] || fail "expected 20 lines, got $lines"
summary=$(printf '%s\n' "$out" | tail -n 1)
case "$summary" in
  "summary: iterations=20 rate_hz="*" misses=0 recording="*.csv) ;;
  *) fail "summary: $summary" ;;
esac
csv=$(ls "$home"/Mesures/*.csv 2>/dev/null | head -n 1)
[ -n "$csv" ] || fail "no .csv in Mesures"
ls "$home"/Mesures/*.txt >/dev/null 2>&1 && fail "a .txt was left"
[ "$(wc -l < "$csv")" -eq 21 ] || fail "expected header + 20 lines in $csv"
head -n 1 "$csv" | grep -q 'Time;RPM;TPS' || fail "header: $(head -n 1 "$csv")"
grep -q '"' "$csv" && fail "double quote in $csv"

# The 5AM is a member of the 59M family, by either name.
"$cli" init --home "$home" --demo --family 5am | grep -q '^session: open family=m59 ' \
  || fail "--family 5am is not taken for the 59M family"
"$cli" measure --home "$home" --demo --family nope >/dev/null 2>&1
[ $? -eq 2 ] || fail "an unknown family must exit with 2"
"$cli" measure --home "$home" --iterations 3 >/dev/null 2>&1
[ $? -eq 3 ] || fail "measuring without --demo and without a cable must exit with 3"
"$cli" --help | grep -q -- '--iterations' || fail "--help"
echo "cli measure: passed"
