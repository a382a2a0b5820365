#!/usr/bin/env bash
# Installs what building, running and testing the game need, when it is missing (Debian 12 / Ubuntu).
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-multimedia-dev libqt6multimedia6 libgl-dev
          libgtest-dev libgmock-dev fonts-dejavu-core gettext qt6-translations-l10n gzip
          libsdl2-dev)
# libsdl2-dev: gamepads (the game builds without it, and loads the library only when it starts).
# The tests also fuzz the progress file with clang's libFuzzer, check the desktop entry and the
# metainfo, make a Slovak locale to write numbers under, and play the music into a sound server of
# their own.
[ "${1:-}" = test ] && packages+=(clang libclang-rt-14-dev appstream desktop-file-utils locales pulseaudio)
# The browser build: emscripten and Node for the build and the command line, chromium for the
# browser test.
if [ "${1:-}" = web ]; then
  packages=(cmake ninja-build g++ emscripten nodejs chromium ccache)
  command -v npm > /dev/null || packages+=(npm)  # a newer Node brings its own npm
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
