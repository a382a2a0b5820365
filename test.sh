#!/usr/bin/env bash
# Installs what is missing, builds the game and runs every test: once as it ships, once under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"

# The browser build: every scenario and recorded game on Node (against the desktop build when it
# is built), and the page in a real chromium. `./test.sh web` runs only this part.
web_tests() {
  echo "== web build"
  "$here/web.sh" > /dev/null
  echo "== web tests"
  local native=()
  [ -x "$here/build-test-release/src/skyrend" ] && native=("$here/build-test-release/src/skyrend")
  "$here/tests/web/cli.sh" "$here/build-web/cli/skyrend.js" "${native[@]}"
  (cd "$here/tests/web" && npm ci --no-audit --no-fund --loglevel=error && node browser.mjs "$here/build-web/site")
  # Recordings shared from the desktop build and watched in the page.
  local desktop="${native[0]:-$here/build/src/skyrend}"
  if [ -x "$desktop" ]; then
    (cd "$here/tests/web" && node watch.mjs "$here/build-web/site" "$desktop")
  else
    echo "watch: SKIPPED, no desktop build to share from (run ./test.sh or build build/)"
  fi
}
if [ "${1:-}" = web ]; then
  web_tests
  exit
fi

"$here/scripts/deps.sh" test
export QT_QPA_PLATFORM=offscreen
# Every rule of the deliberate-fault list must still find its snippet in the code.
echo "== mutation list"
"$here/tests/mutations/run.sh" --check | tail -n 1
# The release build with g++ and CMake's default generator, the sanitized one with clang and Ninja:
# both compilers and both generators build the whole game, its windows included.
for variant in release sanitize; do
  dir="$here/build-test-$variant"
  flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=g++)
  [ "$variant" = sanitize ] && flags=(-G Ninja -DCMAKE_BUILD_TYPE=Debug -DSKY_SANITIZE=ON -DCMAKE_CXX_COMPILER=clang++)
  echo "== $variant build"
  cmake -S "$here" -B "$dir" "${flags[@]}" > /dev/null
  cmake --build "$dir" -j2
  echo "== $variant tests"
  ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions="$here/tests/lsan.supp" \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$dir" -j2 --output-on-failure --timeout 300
done

# Every fuzz target, built by CMake with clang and run for a bounded time from its corpus.
echo "== fuzzing, 45 s per target"
fuzz="$here/build-test-fuzz"
cmake -S "$here" -B "$fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DSKY_FUZZ=ON \
  -DSKY_FUZZ_SECONDS=45 > /dev/null
if ! cmake --build "$fuzz" -j2 --target fuzz > "$fuzz/fuzz.log" 2>&1; then
  tail -n 40 "$fuzz/fuzz.log"
  echo "fuzz: failed (the whole log is in $fuzz/fuzz.log)"
  exit 1
fi
grep -E '^(Done|stat::number_of_executed_units)' "$fuzz/fuzz.log"
echo "fuzz: passed"

web_tests
