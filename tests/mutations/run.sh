#!/usr/bin/env bash
# Applies each fault of faults.txt in turn to a scratch copy of the working tree, builds it
# (RelWithDebInfo), runs the suite and reports whether the suite caught it. The working tree is
# never touched. By hand only: it rebuilds and reruns the suite once per fault (CI runs --check).
#
#   tests/mutations/run.sh            every fault
#   tests/mutations/run.sh WORD       only the faults whose row contains WORD
#   tests/mutations/run.sh --check    only says which rows still apply, builds nothing
#
# SKY_MUT_DIR chooses the scratch directory (default /tmp/skyrend-mutations).
set -uo pipefail
here="$(cd "$(dirname "$0")/../.." && pwd)"
faults="$here/tests/mutations/faults.txt"
work="${SKY_MUT_DIR:-/tmp/skyrend-mutations}"
filter="${1:-}"

# apply ROOT ROW [dry]: applies one row to the tree at ROOT (dry: only checks that it would);
# exits 0 when applied, 3 when it did not apply.
apply() {
  python3 - "$@" <<'EOF'
import sys
root, row, dry = sys.argv[1], sys.argv[2], len(sys.argv) > 3
parts, cur, i = [], "", 0
while i < len(row):
    c = row[i]
    if c == "\\" and i + 1 < len(row) and row[i + 1] in "|n\\":
        cur += {"|": "|", "n": "\n", "\\": "\\"}[row[i + 1]]
        i += 2
        continue
    if c == "|" and len(parts) < 3:
        parts.append(cur)
        cur = ""
    else:
        cur += c
    i += 1
parts.append(cur)
if len(parts) != 4:
    sys.exit(3)
path, search, replace = root + "/" + parts[0], parts[1], parts[2]
try:
    text = open(path, encoding="utf-8").read()
except OSError:
    sys.exit(3)
if text.count(search) != 1:
    sys.exit(3)
if not dry:
    open(path, "w", encoding="utf-8").write(text.replace(search, replace))
EOF
}

rows=()
while IFS= read -r line; do
  [[ -z "$line" || "$line" == \#* ]] && continue
  [[ -n "$filter" && "$filter" != --check && "$line" != *"$filter"* ]] && continue
  rows+=("$line")
done < "$faults"

if [[ "$filter" == --check ]]; then
  bad=0
  for row in "${rows[@]}"; do
    if apply "$here" "$row" dry; then
      echo "applies       | ${row##*|}"
    else
      echo "did not apply | ${row##*|} (${row%%|*})"
      bad=$((bad + 1))
    fi
  done
  echo "${#rows[@]} faults, $bad do not apply"
  exit $((bad > 0))
fi

# A scratch copy of the working tree as it stands (tracked and new files, no build output).
src="$work/tree"
rm -rf "$src"  # files keep their times, so a build directory from an earlier run stays incremental
mkdir -p "$src"
(cd "$here" && git ls-files -co --exclude-standard -z | grep -zv '^build' | tar --null -T - -cf -) |
  (cd "$src" && tar -xf -)
build="$work/build"
launcher=()  # ccache, where the machine has it, keeps the one-file rebuilds short
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" > /dev/null || exit 1

suite() {
  cmake --build "$build" -j2 > "$work/build.log" 2>&1 || return 2
  QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" -j2 --timeout 300 --stop-on-failure > "$work/ctest.log" 2>&1
}

echo "== the unchanged tree"
suite
case $? in
  0) ;;
  2) echo "the unchanged tree does not build: see $work/build.log"; exit 1 ;;
  *) echo "the unchanged tree fails its own suite: see $work/ctest.log"; exit 1 ;;
esac

caught=0 missed=0 unapplied=0 unbuilt=0
report="$work/results.txt"
: > "$report"
for row in "${rows[@]}"; do
  f="${row%%|*}"
  what="${row##*|}"
  cp "$src/$f" "$work/original"
  if ! apply "$src" "$row"; then
    line="did not apply | $what ($f)"
    unapplied=$((unapplied + 1))
  else
    suite
    rc=$?
    if [[ $rc == 2 ]]; then
      line="did not build | $what"
      unbuilt=$((unbuilt + 1))
    elif [[ $rc == 0 ]]; then
      line="MISSED        | $what"
      missed=$((missed + 1))
    else
      by=$(sed -n '/tests FAILED:/,$p' "$work/ctest.log" | grep -oE '[0-9]+ - [^ ]+' | sed 's/^[0-9]* - //' |
        head -n 3 | paste -sd, -)
      line="caught        | $what (by ${by:-?})"
      caught=$((caught + 1))
    fi
  fi
  cp "$work/original" "$src/$f"
  echo "$line" | tee -a "$report"
done
summary="${#rows[@]} faults: $caught caught, $missed missed, $unapplied did not apply, $unbuilt did not build"
echo "$summary" | tee -a "$report"
# Put the tree back as it was for the next run's incremental build.
cmake --build "$build" -j2 > /dev/null 2>&1
[[ $missed == 0 && $unapplied == 0 && $unbuilt == 0 ]]
