#!/usr/bin/env bash
# Installs what is missing and builds the game for the browser: a static site in build-web/site/
# and the same game's command line for Node in build-web/cli/skyrend.js.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
out="$here/build-web"
"$here/scripts/deps.sh" web
export NODE_PATH=/usr/share/nodejs  # emscripten's optimiser finds Debian's acorn there
launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
emcmake cmake -S "$here/web" -B "$out/wasm" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSKY_WEB_OUT="$out" \
  "${launcher[@]}" > /dev/null
cmake --build "$out/wasm" -j2

# The music and the sound effects as the desktop's tools render them, natively: the page makes the
# same files itself (synth.cpp), and the browser test compares its checksums with these.
# Usage: render OUTPUT.wav TOOL-ARGS... -- SOURCES-AND-HEADERS... (the tool's own source first)
render() {
  local wav="$out/$1" args=() sources=() fresh=1
  shift
  while [ "$1" != -- ]; do args+=("$1"); shift; done
  shift
  for f in "$@"; do
    [ "$wav" -nt "$f" ] || fresh=0
    [[ "$f" == *.cpp ]] && sources+=("$f")
  done
  [ "$fresh" = 1 ] && return
  local tool="$out/$(basename "$1" .cpp)"
  c++ -std=c++20 -O2 -I "$here/src" "${sources[@]}" -o "$tool"
  "$tool" "${args[@]}" "$wav"
}
assets="$here/src/assets"
rm -f "$out/site/Music.flac" "$out/site/Sounds.flac"  # from builds that fetched their audio
render Music.wav -- "$here/tools/musicgen.cpp" "$assets/music.cpp" "$assets/music.h"
render Sounds.wav --slots -- "$here/tools/soundgen.cpp" "$assets/sounds.cpp" "$assets/music.cpp" \
  "$assets/sounds.h" "$assets/music.h" "$here/src/runtime/cues.h"

echo "Site in $out/site; serve it locally with:  python3 -m http.server -d build-web/site"
echo "Command line for Node:  node build-web/cli/skyrend.js --scenario FILE"
