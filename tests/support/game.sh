# What the shell tests that start the game from outside have in common; sourced by them with the
# game's path in $game. They run in a scratch folder of their own, removed at the end, with a home
# and a settings folder of their own, on the offscreen platform; fail says what went wrong and the
# test goes on, ending with `exit $failed`.
work="$(mktemp -d)"
sound_pid=""
trap 'chmod -R u+w "$work"; [ -z "$sound_pid" ] || kill "$sound_pid" 2>/dev/null; rm -rf "$work"' EXIT
cd "$work" || exit 1
failed=0
fail() { echo "FAIL: $*"; failed=1; }
export QT_QPA_PLATFORM=offscreen HOME="$work/home" XDG_CONFIG_HOME="$work/cfg"
mkdir -p "$HOME"

# A new.dat with episode 1 won and a best score of 5, in LF lines: a save rewrites them as CR LF,
# which crlf FILE (new.dat by default) looks for.
saved() { rm -f new.dat; printf 'True\n1\n0\n5\n0\n0\n' > new.dat; }
crlf() { [ "$(head -c 6 "${1:-new.dat}")" = "$(printf 'True\r\n')" ]; }

# start [ARGS]: a copy of the game in the background ($copy), once it holds the folder's lock.
start() {
  "$game" "$@" >/dev/null 2>&1 &
  copy=$!
  for _ in $(seq 100); do [ -e new.dat.lock ] && return; sleep 0.1; done
}

# sound_server: a sound server of the test's own with one silent output, for the game's audio to
# play into (it ends by itself once no one has used it for 30 s, should the test be killed); false
# when there is no such server on this machine.
sound_server() {
  command -v pulseaudio >/dev/null && command -v pactl >/dev/null || return 1
  mkdir -p "$work/pulse"
  HOME="$work/pulse" XDG_RUNTIME_DIR="$work/pulse" pulseaudio -n --daemonize=no --exit-idle-time=30 \
    --use-pid-file=no --load="module-null-sink sink_name=silent" \
    --load="module-native-protocol-unix socket=$work/pulse/native auth-anonymous=1" >/dev/null 2>&1 &
  sound_pid=$!
  export PULSE_SERVER="unix:$work/pulse/native"
  for _ in $(seq 50); do pactl info >/dev/null 2>&1 && return; sleep 0.1; done
  return 1
}
