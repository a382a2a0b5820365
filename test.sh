#!/usr/bin/env bash
# Installs what is missing, builds the game and runs every test: once as it ships, once under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/scripts/deps.sh"
export QT_QPA_PLATFORM=offscreen
for variant in release sanitize; do
  dir="$here/build-test-$variant"
  flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
  [ "$variant" = sanitize ] && flags=(-DCMAKE_BUILD_TYPE=Debug -DSKY_SANITIZE=ON)
  echo "== $variant build"
  cmake -S "$here" -B "$dir" -G Ninja "${flags[@]}" > /dev/null
  cmake --build "$dir" -j2
  echo "== $variant tests"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$dir" -j2 --output-on-failure --timeout 300
done
