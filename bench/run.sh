#!/usr/bin/env bash
# Whole-process benchmarks of tracciato against the floor: a program that only writes
# the same output bytes, into files of the same names, with plain write calls.
#   bench/run.sh [RUNS]     RUNS timed runs of each command (default 50), in 5 rounds
# Builds a Release build in build/bench, makes the reference files, builds the floors
# from them, times both sides with hyperfine, in turn, and prints the ratios as the
# last three lines. The machine should be otherwise idle.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/install_missing.sh"
build=$root/build/bench
work=$build/work
runs=${1:-50}

need=(libbenchmark-dev)
command -v hyperfine >/dev/null || need+=(hyperfine)
[ -x /usr/bin/time ] || need+=(time)
install_missing "${need[@]}"

configure() {
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRACCIATO_TESTS=OFF \
    -DTRACCIATO_BENCH=ON "$@" >/dev/null
}
configure -DTRACCIATO_FLOOR_EMBEDDED= -DTRACCIATO_FLOOR_COMPILE=
cmake --build "$build" --target tracciato genera_scenario dimensione_modello >/dev/null

rm -rf "$work"
mkdir -p "$work"/{embedded,embedded-ref,max,max-out,floor-embedded,floor-compile}

# The embedded run in a folder of its own; the five texts it writes (two of them are
# deleted again by the run) come from `tracciato sources`.
cp "$build/tracciato" "$work/embedded/"
"$work/embedded/tracciato" 2>/dev/null
"$build/tracciato" sources "$work/embedded-ref"
cp "$work/embedded/"*.dat "$work/embedded/"*.sim "$work/embedded-ref/"

# The generated maximum-size scenario, which must compile without a fault.
"$build/genera_scenario" "$work/max"
compile=("$build/tracciato" compile "$work/max/BENCH_linea.txt" "$work/max/BENCH_MAX-.txt"
         -o "$work/max-out")
"${compile[@]}" --report "$work/max-report.json"
grep -q '"outcome": "ok"' "$work/max-report.json" || {
  echo "the generated scenario does not compile clean:" >&2
  cat "$work/max-report.json" >&2
  exit 1
}
rm "$work/max-report.json"

configure -DTRACCIATO_FLOOR_EMBEDDED="$work/embedded-ref" -DTRACCIATO_FLOOR_COMPILE="$work/max-out"
cmake --build "$build" --target floor_embedded floor_compile floor_embedded_static \
  floor_compile_static >/dev/null

# Each floor, plain and static, leaves exactly the reference bytes in an empty folder.
for link in "" _static; do
  rm -rf "$work/floor-embedded"/* "$work/floor-compile"/*
  "$build/floor_embedded$link" "$work/floor-embedded"
  "$build/floor_compile$link" "$work/floor-compile"
  diff -r "$work/embedded-ref" "$work/floor-embedded"
  diff -r "$work/max-out" "$work/floor-compile"
done

# Each comparison runs in rounds: all its commands in turn, then again, so that a slow
# drift of the machine's speed falls on every side alike. A figure is the median over
# the rounds of a command's mean.
rounds=5
per_round=$(((runs + rounds - 1) / rounds))
compare() {  # compare NAME WARMUP COMMAND...: NAME-1.csv .. NAME-<rounds>.csv in $work
  local name=$1 warmup=$2 k
  shift 2
  for ((k = 1; k <= rounds; k++)); do
    hyperfine -N --warmup "$warmup" --runs "$per_round" --export-csv "$work/$name-$k.csv" \
      "$@" >/dev/null 2>&1
  done
}
median_of() {  # median_of NAME N FIELD: the median over the rounds of command N's FIELD
  local k
  for ((k = 1; k <= rounds; k++)); do
    awk -F, -v n="$(($2 + 1))" -v f="$3" 'NR == n { print (f == "cpu") ? $5 + $6 : $2 }' \
      "$work/$1-$k.csv"
  done | sort -g | awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
mean() { median_of "$1" "$2" wall; }  # seconds of wall-clock time
cpu() { median_of "$1" "$2" cpu; }    # seconds of user + system time

# Other work on the machine stretches both sides of a ratio and shrinks it.
read -r load _ </proc/loadavg
if awk -v l="$load" -v n="$(nproc)" 'BEGIN { exit !(l > n / 2) }'; then
  echo "warning: load average $load on $(nproc) cores: the wall-clock ratios are not reliable" >&2
fi

echo "== the no-argument run (ROVELDA-MARNE, 100 km) against its floor, plain and static"
(cd "$work/embedded" && compare embedded 5 "$work/embedded/tracciato" \
  "$build/floor_embedded $work/floor-embedded" "$build/floor_embedded_static $work/floor-embedded")

echo "== compile of the generated 1000 km scenario against its floor, plain and static"
compare compile 3 "${compile[*]}" "$build/floor_compile $work/floor-compile" \
  "$build/floor_compile_static $work/floor-compile"

peak_kb=$(/usr/bin/time -f %M "${compile[@]}" 2>&1 >/dev/null | tail -1)
tables=$("$build/dimensione_modello" 1000000)
output=$(cat "$work/max-out"/* | wc -c)

awk -v t="$(cpu embedded 1)" -v f="$(cpu embedded 2)" \
  'BEGIN { printf "(CPU time: no-argument run %.3f ms, floor %.3f ms, ratio %.2f)\n", t * 1000, f * 1000, t / f }'
awk -v t="$(cpu compile 1)" -v f="$(cpu compile 2)" \
  'BEGIN { printf "(CPU time: compile %.3f ms, floor %.3f ms, ratio %.2f)\n", t * 1000, f * 1000, t / f }'
awk -v t="$(mean embedded 1)" -v f="$(mean embedded 3)" \
  'BEGIN { printf "(floor linked statically as tracciato is: no-argument run / floor %.2f)\n", t / f }'
awk -v t="$(mean compile 1)" -v f="$(mean compile 3)" \
  'BEGIN { printf "(floor linked statically as tracciato is: compile / floor %.2f)\n", t / f }'
echo "== peak memory of the compile: ${peak_kb} KiB; model tables ${tables} bytes, output ${output} bytes"
awk -v t="$(mean embedded 1)" -v f="$(mean embedded 2)" \
  'BEGIN { printf "no-argument run / floor: %.3f ms / %.3f ms = %.2f (goal <= 1.5)\n", t * 1000, f * 1000, t / f }'
awk -v t="$(mean compile 1)" -v f="$(mean compile 2)" \
  'BEGIN { printf "compile of 1000 km / floor: %.3f ms / %.3f ms = %.2f (goal <= 1.5)\n", t * 1000, f * 1000, t / f }'
awk -v m="$peak_kb" -v t="$tables" -v o="$output" \
  'BEGIN { printf "compile peak memory / (tables + output): %.1f MiB / %.1f MiB = %.2f (goal <= 2)\n", m / 1024, (t + o) / 1048576, m * 1024 / (t + o) }'
