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

# The music, rendered by the desktop build's own tool and packed without loss (FLAC holds the
# same samples as Music.wav in two thirds of the bytes).
score=("$here/tools/musicgen.cpp" "$here/src/assets/music.cpp" "$here/src/assets/music.h")
fresh=1
for f in "${score[@]}"; do [ "$out/site/Music.flac" -nt "$f" ] || fresh=0; done
if [ "$fresh" = 0 ]; then
  c++ -std=c++20 -O2 -I "$here/src" "${score[@]:0:2}" -o "$out/musicgen"
  "$out/musicgen" "$out/Music.wav"
  sox "$out/Music.wav" -C 8 "$out/site/Music.flac"
fi

echo "Site in $out/site; serve it locally with:  python3 -m http.server -d build-web/site"
echo "Command line for Node:  node build-web/cli/skyrend.js --scenario FILE"
