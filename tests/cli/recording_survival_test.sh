#!/usr/bin/env bash
# Recordings that survive what ends a run badly, read back by readers that share nothing with
# the program (python3's csv and openpyxl):
# - kill -9 during `velkor-cli measure --csv --xlsx`: the next start turns the working files
#   into the .csv and the .xlsx, every pass printed before the kill in both, and says so in
#   its trace;
# - files that stop growing half-way through a run (a size limit makes every write fail past
#   1 KiB, as a full disk does): each recording stops at its first failed write with a message,
#   the run goes on, the summary names the failures, exit code 6; the .csv holds the passes
#   before, the workbook is never left empty and the next start builds it from its journal.
set -u
cli=$1
work=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

python=
for candidate in /usr/bin/python3 python3; do
  if "$candidate" -c 'import openpyxl' 2>/dev/null; then python=$candidate; break; fi
done
[ -n "$python" ] || { echo "SKIP: python3 with openpyxl is needed (make deps)"; exit 77; }

# Reads Mesures/ back: the .csv and the .xlsx must hold the passes whose times are given (as
# printed, to the millisecond) and at most one more, and no working file may be left.
check_recordings() {
  "$python" - "$@" <<'PY'
import csv, glob, os, sys
import openpyxl

folder, times = sys.argv[1], sys.argv[2:]
names = sorted(os.listdir(folder))
left = [n for n in names if n.endswith('.txt') or n.endswith('.journal') or n.endswith('.part')]
if left:
    sys.exit('working files left: %s' % left)
csvs = glob.glob(os.path.join(folder, '*.csv'))
books = glob.glob(os.path.join(folder, '*.xlsx'))
if len(csvs) != 1 or len(books) != 1:
    sys.exit('expected one .csv and one .xlsx, found %s' % names)

with open(csvs[0], newline='') as f:
    rows = list(csv.reader(f, delimiter=';'))
if rows[0][:3] != ['Time', 'RPM', 'TPS'] or any(len(r) != 12 for r in rows):
    sys.exit('not a 12-column recording: %r' % rows[:2])
csv_times = [float(r[0].replace(',', '.')) for r in rows[1:]]

sheet = openpyxl.load_workbook(books[0]).worksheets[0]
cells = list(sheet.iter_rows(values_only=True))
if list(cells[0][:3]) != ['Time', 'RPM', 'TPS']:
    sys.exit('workbook header: %r' % (cells[0],))
book_times = [r[0] for r in cells[1:]]

printed = [float(t) for t in times]
for name, got in (('csv', csv_times), ('workbook', book_times)):
    same = len(got) >= len(printed) and all(abs(g - p) < 0.001 for g, p in zip(got, printed))
    if not same or len(got) > len(printed) + 1:
        sys.exit('%s: %d passes recorded for %d printed; first %s, printed %s' %
                 (name, len(got), len(times), got[:3], times[:3]))
PY
}

# Times of the passes printed in `file`.
printed_times() { sed -n 's/^time=\([0-9.]*\)\t.*/\1/p' "$1"; }

newest_trace() { ls -t "$1"/Mesures/velkor*.log | head -n 1; }

# ---- kill -9 during a run ------------------------------------------------------------------------
home="$work/crash"
mkdir -p "$home"
"$cli" measure --home "$home" --demo --family m59 --csv --xlsx --seconds 60 >"$work/crash.out" 2>&1 &
pid=$!
for _ in $(seq 200); do
  [ "$(printed_times "$work/crash.out" | wc -l)" -ge 8 ] && break
  sleep 0.05
done
kill -9 "$pid"
wait "$pid" 2>/dev/null
pid=
[ "$(printed_times "$work/crash.out" | wc -l)" -ge 8 ] || fail "the run printed too little: $(cat "$work/crash.out")"
ls "$home"/Mesures/*.txt >/dev/null 2>&1 || fail "the crash left no working .txt"
ls "$home"/Mesures/*.xlsx.journal >/dev/null 2>&1 || fail "the crash left no journal"

"$cli" measure --home "$home" --demo --family m59 --iterations 1 >"$work/next.out" 2>&1 ||
  fail "the next start: exit $?: $(cat "$work/next.out")"
message=$(check_recordings "$home/Mesures" $(printed_times "$work/crash.out") 2>&1) ||
  fail "after the crash: $message"
[ "$(grep -c '^Enregistrement récupéré : ' "$(newest_trace "$home")")" -eq 2 ] ||
  fail "the trace does not name both recovered files: $(cat "$(newest_trace "$home")")"

# ---- files that stop growing -------------------------------------------------------------------
home="$work/full"
mkdir -p "$home"
# The output goes through a pipe, which the size limit does not touch.
out=$( (trap '' XFSZ; ulimit -f 1; exec "$cli" measure --home "$home" --demo --family m59 \
  --csv --xlsx --iterations 30) 2>&1)
rc=$?
[ "$rc" -eq 6 ] || fail "exit code $rc, expected 6: $out"
[ "$(printf '%s\n' "$out" | grep -c '^time=')" -eq 30 ] || fail "the run did not go on: $out"
[ "$(printf '%s\n' "$out" | grep -c "L'enregistrement s'est arrêté : impossible d'écrire")" -eq 2 ] ||
  fail "a message per recording: $out"
summary=$(printf '%s\n' "$out" | grep '^summary: ')
case "$summary" in
  *" failed="*".txt,"*".xlsx.journal"|*" failed="*".xlsx.journal,"*".txt") ;;
  *) fail "the summary does not name both failures: $summary" ;;
esac
# The .csv is finished at once (it is smaller than the text it comes from); the workbook is not
# within the limit, so only its journal is there, and no workbook file at all.
ls "$home"/Mesures/*.csv >/dev/null 2>&1 || fail "no .csv: $(ls "$home/Mesures")"
ls "$home"/Mesures/*.xlsx >/dev/null 2>&1 && fail "a workbook beyond the limit: $(ls -l "$home/Mesures")"
ls "$home"/Mesures/*.xlsx.journal >/dev/null 2>&1 || fail "no journal: $(ls "$home/Mesures")"

"$cli" measure --home "$home" --demo --family m59 --iterations 1 >"$work/next.out" 2>&1 ||
  fail "the start after: exit $?: $(cat "$work/next.out")"
"$python" - "$home/Mesures" <<'PY' || fail "after the failed writes"
import csv, glob, sys
import openpyxl
folder = sys.argv[1]
with open(glob.glob(folder + '/*.csv')[0], newline='') as f:
    rows = list(csv.reader(f, delimiter=';'))
cells = list(openpyxl.load_workbook(glob.glob(folder + '/*.xlsx')[0]).worksheets[0]
             .iter_rows(values_only=True))
# Whole passes only, the same in both files as far as both go.
if any(len(r) != 12 for r in rows) or len(rows) < 6 or len(cells) < 6:
    sys.exit('%d csv rows, %d workbook rows' % (len(rows), len(cells)))
for r, c in zip(rows[1:], cells[1:]):
    if abs(float(r[0].replace(',', '.')) - c[0]) > 1e-6 or float(r[1]) != c[1]:
        sys.exit('the passes differ: %r %r' % (r, c))
PY
echo "recordings survive a crash and failed writes: passed"
