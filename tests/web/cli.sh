#!/usr/bin/env bash
# Every scenario and recorded game through the Node build: each scenario passes and, given the
# desktop build, prints the same, exits the same and leaves the same new.dat; each recording
# ends in its expected state.
set -uo pipefail
tests="$(cd "$(dirname "$0")/.." && pwd)"
cli="$(realpath "$1")" native="${2:+$(realpath "$2")}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
passed=0 failed=0
fail() { echo "FAIL $1"; failed=$((failed + 1)); }
run() {  # where name scenario program...
  local d="$1/$2" scn="$3"
  shift 3
  mkdir -p "$d"
  [ -f "${scn%.scn}.dat" ] && cp "${scn%.scn}.dat" "$d/new.dat"
  (cd "$d" && "$@" --scenario "$scn" > ../"$(basename "$d")".out 2>&1; echo "rc=$?" >> ../"$(basename "$d")".out)
}
for scn in "$tests"/scenarios/*.scn; do
  stem="$(basename "$scn" .scn)"
  run "$work/node" "$stem" "$scn" node "$cli"
  if ! grep -qx "rc=0" "$work/node/$stem.out"; then fail "scenario $stem"; continue; fi
  if [ -n "$native" ]; then
    run "$work/native" "$stem" "$scn" "$native"
    if ! diff "$work/native/$stem.out" "$work/node/$stem.out" || ! diff -r "$work/native/$stem" "$work/node/$stem"; then
      fail "scenario $stem differs from the desktop build"
      continue
    fi
  fi
  passed=$((passed + 1))
done
for rec in "$tests"/replays/*.replay; do
  if node "$cli" --replay "$rec" --scenario-out | diff "${rec%.replay}.expected" -; then
    passed=$((passed + 1))
  else
    fail "replay $(basename "$rec")"
  fi
done
echo "node: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
