#!/bin/sh
# The game started from the command line as a player or the desktop would: no display, odd
# --record paths, the desktop ending it, a second copy in the same folder. Usage: SKYREND.
game="$1"
. "$(dirname "$0")/support/game.sh"

# No display: one line and status 2, whether none is named or the named one cannot be reached.
unused=97  # a display nobody runs (another program's Xvfb may hold :97)
while [ -e "/tmp/.X11-unix/X$unused" ]; do unused=$((unused + 1)); done
for display in "" ":$unused"; do
  out="$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" "$game" 2>&1)"; rc=$?
  [ $rc = 2 ] && [ "$(printf '%s\n' "$out" | wc -l)" = 1 ] && case "$out" in *"no display: set DISPLAY"*) ;; *) false ;; esac \
    || fail "display '$display': status $rc: $out"
done

# A recording over a file the game reads, or where nothing can be written: refused before the game starts.
saved
mkdir -p sounds cfg/skyrend
echo kept > sounds/bomb.wav
echo kept > cfg/skyrend/skyrend.conf
for path in new.dat ./Music.wav new.dat.lock /nonexistent/r.replay . sounds/bomb.wav sounds/new.wav \
  cfg/skyrend/skyrend.conf cfg/skyrend/skyrend.conf.lock; do
  timeout 10 "$game" --record "$path" 2>/dev/null; rc=$?
  [ $rc = 2 ] || fail "--record $path: status $rc"
done
[ "$(cat new.dat)" = "$(printf 'True\n1\n0\n5\n0\n0')" ] || fail "--record new.dat touched new.dat"
[ "$(cat sounds/bomb.wav cfg/skyrend/skyrend.conf)" = "$(printf 'kept\nkept')" ] || fail "--record replaced a file the game reads"
rm -rf sounds cfg
# A recording that fails while the game plays says so at the end.
out="$(sh -c "trap '' XFSZ; ulimit -f 0; exec timeout --preserve-status -s TERM 4 '$game' --record r.replay" 2>&1)"
case "$out" in *"recording r.replay could not be written in full"*) ;; *) fail "failing recording: $out" ;; esac

# The desktop ends the game: progress saved as the menu's close saves it, status 0.
for sig in TERM HUP INT; do
  saved
  timeout --preserve-status -s $sig 4 "$game" 2>/dev/null; rc=$?
  [ $rc = 0 ] && crlf || fail "SIG$sig: status $rc, new.dat $(od -c new.dat | head -1)"
done

# A second copy in the same folder says so and leaves with status 1; the first plays on. A lock
# left by a copy that is gone does not count.
saved
start
first=$copy
out="$(XDG_CONFIG_HOME="$work/cfg" LC_ALL= LANG=sk_SK.UTF-8 timeout --preserve-status -s TERM 4 "$game" 2>&1)"; rc=$?
[ $rc = 1 ] && ! crlf || fail "second copy: status $rc: $out"
# ... in the player's language.
case "$out" in *"Hra už beží v tomto priečinku"*) ;; *) fail "second copy, in Slovak: $out" ;; esac
out="$(XDG_CONFIG_HOME="$work/cfg" LC_ALL= LANG=sk_SK.UTF-8 timeout --preserve-status -s TERM 4 "$game" --lang en 2>&1)"
case "$out" in *"already running in this folder"*) ;; *) fail "second copy, --lang en: $out" ;; esac
kill -TERM $first; wait $first
crlf || fail "the first copy did not save"
start
kill -KILL $copy; wait $copy
[ -e new.dat.lock ] || fail "no lock beside new.dat"
saved
timeout --preserve-status -s TERM 4 "$game" 2>/dev/null; rc=$?
[ $rc = 0 ] && crlf || fail "stale lock: status $rc"
exit $failed
