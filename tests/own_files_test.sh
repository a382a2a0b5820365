#!/bin/sh
# The game's own files in odd states, the game started as a player would and ended by the desktop
# (SIGTERM after a few seconds): it never waits on them, never replaces what it must not, and a
# progress it cannot keep is a failure. Usage: SKYREND.
game="$1"
. "$(dirname "$0")/support/game.sh"
conf="$XDG_CONFIG_HOME/skyrend/skyrend.conf"
mkdir -p "$XDG_CONFIG_HOME/skyrend"
# play [ARGS]: the game for 4 seconds, then SIGTERM; killed if it has not ended 5 seconds later.
play() { timeout --preserve-status -k 5 -s TERM 4 "$game" "$@" 2>err; }

# Settings never hold the game up: a FIFO in the settings file's place, a directory in its lock's.
for odd in fifo lockdir; do
  saved; rm -rf "$conf" "$conf.lock"
  if [ $odd = fifo ]; then mkfifo "$conf"; else mkdir "$conf.lock"; fi
  play --scale 2; rc=$?
  [ $rc = 0 ] && crlf && [ "$(grep -c settings err)" = 1 ] || fail "settings $odd: status $rc: $(cat err)"
done
grep -q '^scale=2' "$conf" || fail "saved without its lock: $(cat "$conf")"
# A relative XDG_CONFIG_HOME is none: the settings go to ~/.config.
saved
XDG_CONFIG_HOME=rel play --scale 3
[ ! -e rel ] && grep -q '^scale=3' "$HOME/.config/skyrend/skyrend.conf" || fail "relative XDG_CONFIG_HOME used"
# A 200 MB settings file is not read whole: the game plays within a memory limit that reading it
# would break (unless the game needs more than the limit anyway, as a sanitizer's build does).
saved; rm -rf "$conf"
(ulimit -v 500000; play) && crlf && {
  saved; truncate -s 200M "$conf"
  (ulimit -v 500000; play); rc=$?
  [ $rc = 0 ] && crlf || fail "200 MB settings file: status $rc: $(tail -2 err)"
}
rm -f "$conf"

# A lock with no copy of the game behind it (empty, garbled) is no lock; a directory in its place
# is said in one line and the game plays without.
for odd in empty garbled dir; do
  saved; rm -rf new.dat.lock
  case $odd in empty) : > new.dat.lock ;; garbled) printf 'x\377\n' > new.dat.lock ;; dir) mkdir new.dat.lock ;; esac
  play; rc=$?
  [ $rc = 0 ] && crlf || fail "$odd new.dat.lock: status $rc: $(cat err)"
  [ $odd != dir ] || [ "$(grep -c new.dat.lock err)" = 1 ] || fail "directory lock not said in one line: $(cat err)"
done
rmdir new.dat.lock

# Saved through a link, into the folder of the file it names; the file keeps its permissions.
saved; mkdir -p synced; mv new.dat synced/real.dat; ln -s synced/real.dat new.dat; chmod 640 synced/real.dat
play; rc=$?
[ $rc = 0 ] && [ -L new.dat ] && crlf synced/real.dat && [ "$(stat -c %a synced/real.dat)" = 640 ] \
  || fail "link: status $rc, $(ls -l new.dat synced)"
rm -rf new.dat synced

# Progress that cannot be kept (a read-only file, a full disk) is said at the start and is a
# failure at the end; the read-only file stays as it was.
saved; chmod 444 new.dat
play; rc=$?
[ $rc = 1 ] && [ "$(stat -c %a new.dat)" = 444 ] && ! crlf && grep -q "cannot be saved" err \
  || fail "read-only new.dat: status $rc: $(cat err)"
chmod 644 new.dat; saved
out="$(sh -c "trap '' XFSZ; ulimit -f 0; exec timeout --preserve-status -k 5 -s TERM 4 '$game'" 2>&1)"; rc=$?
[ $rc = 1 ] && case "$out" in *"could not save progress"*) ;; *) false ;; esac || fail "full disk: status $rc: $out"

# A Music.wav of 4 GB is played a block at a time: the game reaches the menu and plays it within a
# memory limit that decoding it whole would break (unless the game needs more than the limit anyway,
# as a sanitizer's build does). Played where a sound server can be started for the test.
le32() { printf "$(printf '\\%03o' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)))"; }
# A 16-bit mono wave header at RATE for BYTES of samples: wave RATE BYTES.
wave() {
  printf RIFF; le32 $(($2 + 36)); printf 'WAVEfmt '; le32 16; le32 $((1 + 1 * 65536)); le32 "$1"
  le32 $(($1 * 2)); le32 $((2 + 16 * 65536)); printf data; le32 "$2"
}
sound_server || echo "no sound server: the 4 GB Music.wav is checked for memory only"
saved
(ulimit -v 1500000; play) && crlf && {
  wave 32000 4294967040 > Music.wav && truncate -s $((44 + 4294967040)) Music.wav
  printf 'True\n1\n0\n5\n0\n1\n' > new.dat  # the music on
  (ulimit -v 1500000; exec timeout --preserve-status -k 5 -s TERM 8 "$game" 2>err) &
  copy=$!
  heard=""
  for _ in $(seq 70); do
    [ -n "$sound_pid" ] && pactl list sink-inputs 2>/dev/null | grep -q "s16le 1ch 32000Hz" && heard=yes && break
    sleep 0.1
  done
  wait $copy; rc=$?
  [ $rc = 0 ] && crlf || fail "4 GB Music.wav: status $rc: $(tail -2 err)"
  [ -z "$sound_pid" ] || [ -n "$heard" ] || fail "4 GB Music.wav: no music played"
  rm Music.wav
}

# No music and no sounds: one line each says where they were looked for.
saved; play
grep -q "no music: $work/Music.wav" err && grep -q "no sound effects" err || fail "silence unexplained: $(cat err)"
exit $failed
