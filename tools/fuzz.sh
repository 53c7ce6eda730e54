#!/usr/bin/env bash
# Builds the libFuzzer harnesses (fuzz/) with clang and runs them.
#   tools/fuzz.sh [HARNESS...]
#       each harness for TRACCIATO_FUZZ_SECONDS (default 60) over its seed corpus and
#       the inputs kept by earlier runs; fails on any crash, leak, sanitizer report,
#       broken property or timeout, the input left in build/fuzz/fuzz/findings/HARNESS/.
#   tools/fuzz.sh --campaign MINUTES [HARNESS...]
#       each harness for MINUTES minutes, started again after a finding (up to 10 a
#       harness); then the inputs that add coverage go into fuzz/corpus/HARNESS/, and
#       the executions, coverage and findings of each harness are printed. Fails when
#       there is a finding.
#   HARNESS: field_input route_reader train_reader compile (default all)
#   TRACCIATO_FUZZ_BUILD    build directory (default build/fuzz)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/install_missing.sh"
seconds=${TRACCIATO_FUZZ_SECONDS:-60}
build=${TRACCIATO_FUZZ_BUILD:-$root/build/fuzz}
campaign=
if [ "${1:-}" = --campaign ]; then
  campaign=${2:-}
  [[ $campaign =~ ^[1-9][0-9]*$ ]] || { echo "usage: tools/fuzz.sh --campaign MINUTES [HARNESS...]" >&2; exit 64; }
  shift 2
fi
harnesses=("$@")
((${#harnesses[@]})) || harnesses=(field_input route_reader train_reader compile)

install_missing clang libclang-rt-14-dev

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DTRACCIATO_FUZZ=ON \
  -DTRACCIATO_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=()
for h in "${harnesses[@]}"; do targets+=("${h}_fuzzer"); done
cmake --build "$build" --target "${targets[@]}"

# The compile harness prints how often each of its properties compared.
export TRACCIATO_FUZZ_COUNTS=1
# The limits of every run, merge and replay of a harness.
limits=(-timeout=10 -rss_limit_mb=2048 -max_len=65536)

# fuzz HARNESS SECONDS LOG: one run over the harness's corpora; new inputs go to a
# scratch corpus, the committed seeds stay as they are.
fuzz() {
  local h=$1 time=$2 log=$3
  (cd "$build/fuzz/findings/$h" &&
    "$build/fuzz/${h}_fuzzer" -max_total_time="$time" "${limits[@]}" \
      -dict="$root/fuzz/keywords.dict" -print_final_stats=1 \
      "$build/fuzz/work/$h" "$root/fuzz/corpus/$h" >"$log" 2>&1)
}

# What a failed run found, from its log.
finding() {
  grep -E 'ERROR|SUMMARY|what\(\)|Test unit written' "$1" | head -n 20 || true
}

# Property counts summed over logs: "name: COMPARED of CHECKED compared".
property_counts() {
  cat "$@" 2>/dev/null | awk -F': ' '/ of [0-9]+ compared$/ {
      split($2, n, " "); if (!($1 in c)) order[k++] = $1; c[$1] += n[1]; t[$1] += n[3] }
    END { for (i = 0; i < k; i++) printf "    %s: %d of %d compared\n", order[i], c[order[i]], t[order[i]] }'
}

status=0
passed=0
failed=0
for h in "${harnesses[@]}"; do
  mkdir -p "$build/fuzz/work/$h" "$build/fuzz/findings/$h"
  if [ -z "$campaign" ]; then
    echo "== $h: ${seconds} s"
    log=$build/fuzz/$h.log
    if ! fuzz "$h" "$seconds" "$log"; then
      echo "$h FAILED; the log is $log, the input in $build/fuzz/findings/$h:"
      finding "$log"
      status=1
      failed=$((failed + 1))
    else
      passed=$((passed + 1))
      grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "$log" | tail -n 2 || true
      property_counts "$log"
    fi
    continue
  fi

  echo "== $h: campaign of $campaign min"
  logs=$build/fuzz/campaign/$h
  rm -rf "$logs"
  mkdir -p "$logs"
  seeds_before=$(find "$root/fuzz/corpus/$h" -type f | wc -l)
  end=$((SECONDS + campaign * 60))
  runs=0 found=0 executions=0
  while ((SECONDS < end && found < 10)); do
    runs=$((runs + 1))
    log=$logs/run$runs.log
    if ! fuzz "$h" $((end - SECONDS)) "$log"; then
      found=$((found + 1))
      echo "  finding $found (log $log):"
      finding "$log" | sed 's/^/    /'
    fi
    n=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    executions=$((executions + ${n:-0}))
  done
  # Into the seeds, the inputs of this and earlier runs that reach edges the seeds do
  # not (edges only, not hit counts: a few files, not hundreds).
  "$build/fuzz/${h}_fuzzer" -merge=1 -use_counters=0 "${limits[@]}" \
    "$root/fuzz/corpus/$h" "$build/fuzz/work/$h" >"$logs/merge.log" 2>&1
  seeds_after=$(find "$root/fuzz/corpus/$h" -type f | wc -l)
  # The coverage the seeds now reach: their replay's first status line.
  coverage=$("$build/fuzz/${h}_fuzzer" -runs=0 "${limits[@]}" \
    "$root/fuzz/corpus/$h" 2>&1 | sed -n 's/.*INITED cov: \([0-9]*\) ft: \([0-9]*\).*/\1 edges, \2 features/p')
  echo "  executions $executions in $runs run(s) ($((executions / (campaign * 60))) a second)," \
    "coverage $coverage, seeds $seeds_before -> $seeds_after, findings $found"
  property_counts "$logs"/run*.log
  if ((found)); then
    echo "  inputs in $build/fuzz/findings/$h"
    status=1
    failed=$((failed + 1))
  else
    passed=$((passed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
exit "$status"
