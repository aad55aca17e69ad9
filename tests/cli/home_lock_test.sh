#!/usr/bin/env bash
# The home folder as velkor-cli and the desktop program meet it: a file or a read-only folder is
# named as such (not as a second copy) with the way out, and one program at a time uses a folder,
# whichever of the two came first; a lock left by a killed program is taken over.
set -u
cli=$1
desktop=$2
work=$(mktemp -d)
mounted=
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  [ -n "$mounted" ] && umount "$mounted" 2>/dev/null
  chmod -R u+w "$work" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; for f in "$work"/*.err; do [ -f "$f" ] && { echo "-- $f"; cat "$f"; }; done; exit 1; }
export QT_QPA_PLATFORM=offscreen

# Waits up to 10 s for a file to hold a line matching a pattern.
wait_for() {
  for _ in $(seq 100); do
    grep -q -- "$2" "$1" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}
# velkor-cli measure with the options given, refused: exit 5, nothing on stdout. Its stderr is
# in $work/NAME.err.
expect_refused() {
  local name=$1
  shift
  "$cli" measure --demo --iterations 1 "$@" > "$work/$name.out" 2> "$work/$name.err"
  local rc=$?
  [ "$rc" -eq 5 ] || fail "$name: exit code $rc, expected 5"
  [ -s "$work/$name.out" ] && fail "$name: it measured all the same"
  return 0
}
has() { grep -qF -- "$2" "$work/$1.err" || fail "$1: no '$2' in: $(cat "$work/$1.err")"; }
lacks() { grep -qF -- "$2" "$work/$1.err" && fail "$1: '$2' in: $(cat "$work/$1.err")"; return 0; }

# A file given as the home folder, by --home and by VELKOR_HOME: left as it was.
printf '[ECU]\r\nType=4\r\n' > "$work/ecu.ini"
cp "$work/ecu.ini" "$work/ecu.ini.before"
expect_refused file --home "$work/ecu.ini"
has file "the home folder $work/ecu.ini is a file, not a folder"
has file "--home DIR or VELKOR_HOME"
lacks file "already running"
VELKOR_HOME="$work/ecu.ini" expect_refused file_env
has file_env "$work/ecu.ini is a file"
cmp -s "$work/ecu.ini" "$work/ecu.ini.before" || fail "the file given as home was changed"

# A read-only home folder: permissions for a user, a read-only mount for root.
ro="$work/read_only"
mkdir -p "$ro"
if [ "$(id -u)" -ne 0 ]; then
  chmod 555 "$ro" && ro_ready=1
elif mount -t tmpfs -o ro,size=64k tmpfs "$ro" 2>/dev/null; then
  mounted=$ro
  ro_ready=1
else
  ro_ready=0
  echo "note: no read-only folder can be made here; that case is not run"
fi
if [ "$ro_ready" -eq 1 ]; then
  expect_refused read_only --home "$ro"
  has read_only "the home folder $ro cannot be written"
  has read_only "--home DIR or VELKOR_HOME"
  lacks read_only "already running"
fi

home="$work/home"
mkdir -p "$home"

# velkor-cli measuring: a second velkor-cli and the desktop program are refused, naming it.
"$cli" measure --demo --seconds 8 --quiet --home "$home" > "$work/first.out" 2> "$work/first.err" &
first=$!
pids+=("$first")
wait_for "$home/velkor.lock" . || fail "the first velkor-cli took no lock"
expect_refused in_use --home "$home"
has in_use "velkor-cli is already running (process $first) with the home folder $home"
"$desktop" --home "$home" > "$work/desktop_refused.out" 2> "$work/desktop_refused.err" &
refused=$!
pids+=("$refused")
wait_for "$work/desktop_refused.err" "velkor: velkor-cli is already running (process $first)" ||
  fail "the desktop program did not say velkor-cli holds the folder"
kill "$refused" 2>/dev/null
wait "$first"
rc=$?
[ "$rc" -eq 0 ] || fail "the first velkor-cli ended with $rc"
[ -e "$home/velkor.lock" ] && fail "velkor-cli left its lock behind"

# The desktop program running (its interface window open): velkor-cli is refused, naming it.
"$desktop" --home "$home" > "$work/desktop.out" 2> "$work/desktop.err" &
holder=$!
pids+=("$holder")
wait_for "$home/velkor.lock" . || fail "the desktop program took no lock"
sleep 0.5
expect_refused desktop_holds --home "$home"
has desktop_holds "Velkor is already running (process $holder) with the home folder $home"
has desktop_holds "close it first"
# Killed, it cannot let go: the next program takes the lock over.
kill -9 "$holder"
wait "$holder" 2>/dev/null
[ -e "$home/velkor.lock" ] || fail "no lock left behind by the killed program"
"$cli" measure --demo --iterations 1 --quiet --home "$home" > "$work/after.out" 2> "$work/after.err" ||
  fail "the lock of a killed program was not taken over (exit $?)"
echo "home folder lock: passed"
