#!/usr/bin/env bash
# The browser build's simulation on Node against the desktop build's, in one run: ROUNDS rounds,
# each running the desktop's benchmark and then Node's (`--episodes SECONDS`: the artwork drawn
# and half a simulated hour of each episode run first, untimed, then each episode's simulation
# timed), so a change in the machine's load falls on both. Prints each round, then the best of the
# rounds per episode and the ratio Node / desktop; and the time a one-line scenario takes from the
# command to its end on each, with bare Node's own start-up beside it (best of the rounds).
#
#   bench/node_vs_native.sh [NATIVE-BUILD [WEB-BUILD [SECONDS [ROUNDS]]]]
#   (defaults: build-rel, build-web, 36000 (ten hours: half a second on the desktop), 5)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
native="$(realpath "${1:-$here/build-rel}")" web="$(realpath "${2:-$here/build-web}")"  # the scenario runs elsewhere
seconds="${3:-36000}" rounds="${4:-5}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
printf 'open 1\n' > "$work/one.scn"  # a one-line scenario: episode 1 opens, then the run ends

rate() {  # the simulated seconds per wall second of each episode, one line each
  grep -E '^simulation:' | awk '{print $2}'
}
millis() {  # wall milliseconds of a command, which must succeed
  local t0 t1
  t0=$(date +%s%N)
  "$@" > /dev/null || { echo "failed: $*" >&2; exit 1; }
  t1=$(date +%s%N)
  echo $(((t1 - t0) / 1000000))
}
best_n1=0 best_n2=0 best_w1=0 best_w2=0 start_n=999999 start_w=999999 start_b=999999
max() { awk -v a="$1" -v b="$2" 'BEGIN { print (b > a ? b : a) }'; }
min() { awk -v a="$1" -v b="$2" 'BEGIN { print (b < a ? b : a) }'; }
echo "uptime: $(uptime)"
for ((i = 1; i <= rounds; i++)); do
  mapfile -t n < <("$native/bench/sky_sim_bench" --episodes "$seconds" | rate)
  mapfile -t w < <(node "$web/bench/sky_sim_bench.js" --episodes "$seconds" | rate)
  sn=$(cd "$work" && millis "$native/src/skyrend" --scenario one.scn)
  sw=$(cd "$work" && millis node "$web/cli/skyrend.js" --scenario one.scn)
  sb=$(millis node -e 0)
  echo "round $i: episode 1 desktop ${n[0]} node ${w[0]}; episode 2 desktop ${n[1]} node ${w[1]}" \
    "(simulated s per wall s); one-line scenario desktop $sn ms, node $sw ms (bare node $sb ms)"
  best_n1=$(max "$best_n1" "${n[0]}") best_n2=$(max "$best_n2" "${n[1]}")
  best_w1=$(max "$best_w1" "${w[0]}") best_w2=$(max "$best_w2" "${w[1]}")
  start_n=$(min "$start_n" "$sn") start_w=$(min "$start_w" "$sw") start_b=$(min "$start_b" "$sb")
done
awk -v n1="$best_n1" -v n2="$best_n2" -v w1="$best_w1" -v w2="$best_w2" -v r="$rounds" 'BEGIN {
  printf "best of %d: episode 1 desktop %d node %d simulated s per wall s, ratio %.2f\n", r, n1, w1, w1 / n1
  printf "best of %d: episode 2 desktop %d node %d simulated s per wall s, ratio %.2f\n", r, n2, w2, w2 / n2 }'
echo "best of $rounds: one-line scenario desktop $start_n ms, node $start_w ms (bare node $start_b ms)"
