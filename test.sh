#!/usr/bin/env bash
# Installs what is missing, builds the game and runs every test: once as it ships, once under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
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
