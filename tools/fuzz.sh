#!/usr/bin/env bash
# Builds the libFuzzer harnesses (fuzz/) with clang and runs each one for a bounded time
# over its seed corpus. Fails on any crash, leak, sanitizer report or timeout.
#   TRACCIATO_FUZZ_SECONDS  time per harness (default 60)
#   TRACCIATO_FUZZ_BUILD    build directory (default build/fuzz)
#   tools/fuzz.sh [HARNESS...]   field_input route_reader train_reader compile (default all)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/install_missing.sh"
seconds=${TRACCIATO_FUZZ_SECONDS:-60}
build=${TRACCIATO_FUZZ_BUILD:-$root/build/fuzz}
harnesses=("$@")
((${#harnesses[@]})) || harnesses=(field_input route_reader train_reader compile)

install_missing clang libclang-rt-14-dev

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DTRACCIATO_FUZZ=ON \
  -DTRACCIATO_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=()
for h in "${harnesses[@]}"; do targets+=("${h}_fuzzer"); done
cmake --build "$build" --target "${targets[@]}"

status=0
passed=0
failed=0
for h in "${harnesses[@]}"; do
  # New inputs go to a scratch corpus; the committed seeds stay as they are.
  work="$build/fuzz/work/$h"
  mkdir -p "$work" "$build/fuzz/findings/$h"
  echo "== $h: ${seconds} s"
  if ! (cd "$build/fuzz/findings/$h" &&
        "$build/fuzz/${h}_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
          -max_len=65536 -dict="$root/fuzz/keywords.dict" -print_final_stats=1 "$work" "$root/fuzz/corpus/$h" \
          >"$build/fuzz/$h.log" 2>&1); then
    echo "$h FAILED; the log is $build/fuzz/$h.log, the input in $build/fuzz/findings/$h:"
    grep -E 'ERROR|SUMMARY|Test unit written' "$build/fuzz/$h.log" | head -n 20 || true
    status=1
    failed=$((failed + 1))
  else
    passed=$((passed + 1))
    grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "$build/fuzz/$h.log" | tail -n 2 || true
  fi
done
echo "fuzz: $passed passed, $failed failed"
exit "$status"
