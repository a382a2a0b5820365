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
}
if [ "${1:-}" = web ]; then
  web_tests
  exit
fi

"$here/scripts/deps.sh" test
export QT_QPA_PLATFORM=offscreen
for variant in release sanitize; do
  dir="$here/build-test-$variant"
  flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
  [ "$variant" = sanitize ] && flags=(-DCMAKE_BUILD_TYPE=Debug -DSKY_SANITIZE=ON)
  echo "== $variant build"
  cmake -S "$here" -B "$dir" -G Ninja "${flags[@]}" > /dev/null
  cmake --build "$dir" -j2
  echo "== $variant tests"
  ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions="$here/tests/lsan.supp" \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$dir" -j2 --output-on-failure --timeout 300
done

# Fuzz the progress-file reader and writer for a bounded time, from a corpus of real files.
echo "== fuzzing new.dat for 60 s"
fuzz="$here/build-test-fuzz"
mkdir -p "$fuzz/corpus"
cp "$here"/tests/fuzz/corpus/* "$fuzz/corpus/"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I "$here/src" "$here/tests/fuzz/progress_fuzz.cpp" \
  "$here/src/shell/progress.cpp" "$here/src/runtime/numtext.cpp" -o "$fuzz/progress_fuzz"
(cd "$fuzz" && ./progress_fuzz -max_total_time=60 -max_len=20000 -print_final_stats=1 corpus 2>&1 | tail -n 4)
echo "fuzz: 1 passed, 0 failed"

web_tests
