#!/bin/sh
# What the player hands the game from outside: scenario and recording names, odd files in their
# place, output that cannot be written, a game already playing in the folder. Every case ends in
# moments (a hang is a timeout) and in bounded memory. Usage: SKYREND [sanitized].
game="$1"
sanitized="${2:-}"
. "$(dirname "$0")/support/game.sh"
# expect STATUS ARGS...: the game's status, and one line on stderr when it refuses.
expect() {
  want=$1; shift
  err="$(timeout 10 "$game" "$@" 2>&1 >/dev/null)"; rc=$?
  [ $rc = "$want" ] || { fail "$*: status $rc, not $want: $err"; return; }
  [ $rc = 0 ] || [ "$(printf '%s\n' "$err" | wc -l)" = 1 ] || fail "$*: not one line: $err"
}
printf 'seed 1\nopen 1\nexpect screen Form1\n' > ok.scn

# Scenario files: regular files only, of a bounded size; no name is no file.
mkdir dir.scn
mkfifo fifo.scn
truncate -s 300M big.scn
for f in /dev/zero dir.scn fifo.scn "" big.scn; do expect 2 --scenario "$f"; done
for f in /dev/zero dir.scn fifo.scn; do
  expect 2 --scenario "$f"
  case "$err" in *"not a regular file"*) ;; *) fail "--scenario $f: not refused as no regular file: $err" ;; esac
done
if [ -z "$sanitized" ]; then
  (ulimit -v 800000; exec timeout 10 "$game" --scenario big.scn) 2>/dev/null
  [ $? = 2 ] || fail "a 300 MB scenario is read whole"
fi
for opt in --replay --record; do expect 2 $opt ""; done

# Output that cannot be written is a failure, whether the disk is full or the reader has gone.
printf 'print%s\n' "$(yes ' screen' | head -n 8000 | tr -d '\n')" > loud.scn
[ -w /dev/full ] && { timeout 10 "$game" --scenario loud.scn > /dev/full 2>/dev/null; rc=$?; [ $rc = 1 ] || fail "output to /dev/full: status $rc"; }
{ trap '' PIPE; timeout 10 "$game" --scenario loud.scn 2>/dev/null; echo $? > rc; } | true
[ "$(cat rc)" = 1 ] || fail "output into a closed pipe: status $(cat rc)"

# Names are bytes: one that is not UTF-8 names the same file on the disk.
latin="$(printf 'sc\351na.scn')"
cp ok.scn "$latin"
expect 0 --scenario "$latin"
raw="$(printf '\377\376.replay')"
timeout --preserve-status -s TERM 3 "$game" --record "$raw" >/dev/null 2>&1
[ -s "$raw" ] || fail "--record with a name that is not UTF-8: $(ls)"
# Qt's own options are not the game's: refused, and never taken for a display.
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb timeout 10 "$game" --record -platform >/dev/null 2>&1; rc=$?
[ $rc = 2 ] && [ ! -e ./-platform ] || fail "--record -platform without a display: status $rc"

# A scenario takes the folder's lock as the game does: refused while a game plays there, and
# writing new.dat beside it otherwise.
mkdir locked && cd locked || exit 1
printf 'menu\nactivate\nquit\n' > quit.scn
start
expect 1 --scenario quit.scn
[ -e new.dat ] && fail "a scenario wrote new.dat under a running game"
kill -TERM $copy; wait $copy
rm -f new.dat
expect 0 --scenario quit.scn
[ -e new.dat ] && [ ! -e new.dat.lock ] || fail "the scenario wrote no new.dat, or left its lock: $(ls)"
exit $failed
