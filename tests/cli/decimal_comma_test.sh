#!/usr/bin/env bash
# velkor-cli on desktops whose decimal mark is a comma (French, the program's first audience, and
# German): the values it prints keep the window's patterns, the .csv writes values 1 to 9 and the
# lambda with the comma, and ecu.ini keeps whole numbers. A locale that is missing is a failure:
# `make deps` makes both.
set -u
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# One field of a tab-separated "name=value" line.
field() { printf '%s\n' "$1" | tr '\t' '\n' | sed -n "s/^$2=//p"; }
# Fails unless the text matches the extended regular expression as a whole.
expect() {
  printf '%s' "$2" | grep -Eqx -- "$3" || fail "$LC_ALL: $1 '$2' is not like $4"
}

for locale in fr_FR.UTF-8 de_DE.UTF-8; do
  locale -a | grep -qix "${locale%%.*}\.utf-\?8" || fail "the locale $locale is missing: run make deps"
  export LC_ALL=$locale
  home="$work/$locale"
  mkdir -p "$home"

  out=$("$cli" measure --home "$home" --demo --family m59 --iterations 5 --csv) \
    || fail "$locale: measure exit code $?"
  lines=$(printf '%s\n' "$out" | grep '^time=')
  [ "$(printf '%s\n' "$lines" | wc -l)" -eq 5 ] || fail "$locale: expected 5 lines: $out"
  while IFS= read -r line; do
    # The main window's patterns, a period as they are written on the window.
    expect time "$(field "$line" time)" '[0-9]+\.[0-9]{3}' '"0.000"'
    expect rpm "$(field "$line" rpm)" '[0-9]{1,3}( [0-9]{3})*' '"# ##0"'
    expect tps "$(field "$line" tps)" '-?[0-9]+\.[0-9]' '"0.0"'
    expect inj "$(field "$line" inj)" '[0-9]+\.[0-9]{2}' '"0.00"'
    expect adv "$(field "$line" adv)" '-?[0-9]+\.[0-9]' '"0.0"'
    expect press "$(field "$line" press)" '[0-9]*' '"###"'
    expect air "$(field "$line" air)" '-?[0-9]+(\.[0-9]+)?' 'a plain number'
    expect coolant "$(field "$line" coolant)" '-?[0-9]+(\.[0-9]+)?' 'a plain number'
    expect battery "$(field "$line" battery)" '[0-9]+\.[0-9]' '"0.0"'
  done <<<"$lines"
  summary=$(printf '%s\n' "$out" | tail -n 1)
  rate=$(printf '%s\n' "$summary" | sed -n 's/.*rate_hz=\([^ ]*\) .*/\1/p')
  expect rate_hz "$rate" '[0-9]+\.[0-9]' '"0.0"'

  # The semicolon recording: values 1 to 9 in the shortest form with the regional mark, no
  # grouping; the lambda as "0.000" with the regional mark.
  csv=$(ls "$home"/Mesures/*.csv 2>/dev/null | head -n 1)
  [ -n "$csv" ] || fail "$locale: no .csv in Mesures"
  [ "$(wc -l <"$csv")" -eq 6 ] || fail "$locale: expected header + 5 lines in $csv"
  commas=0
  while IFS= read -r row; do
    row=${row%$'\r'}
    IFS=';' read -r -a values <<<"$row"
    [ "${#values[@]}" -eq 12 ] || fail "$locale: 12 fields expected: $row"
    for i in 0 1 2 3 4 5 6 7 8; do
      expect "CSV value $((i + 1))" "${values[i]}" '-?[0-9]+(,[0-9]+)?' 'a number with a comma'
      case "${values[i]}" in *,*) commas=$((commas + 1)) ;; esac
    done
    expect "CSV lambda" "${values[11]}" '[0-9]+,[0-9]{3}' '"0.000" with a comma'
  done < <(tail -n +2 "$csv")
  [ "$commas" -gt 0 ] || fail "$locale: no value with a decimal comma in $csv"

  # The session start stores the break length of its wake-up as a whole number.
  "$cli" init --home "$home" --demo --family m59 >/dev/null || fail "$locale: init exit code $?"
  chrono=$(tr -d '\r' <"$home/ecu.ini" | sed -n 's/^Chrono=//p')
  expect "[ECU] Chrono" "$chrono" '[0-9]+' 'a whole number'
done
echo "cli decimal comma: passed"
