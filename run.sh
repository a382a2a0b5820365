#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it on its menu. Extra arguments go to the game.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/scripts/deps.sh"
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSKY_BUILD_TESTS=OFF > /dev/null
cmake --build "$here/build" -j2 --target skyrend music_wav sound_wavs
# The game keeps new.dat and finds Music.wav and its sounds in its working directory.
cd "$here/build"
exec ./src/skyrend "$@"
