#!/usr/bin/env bash
# Set-up for a fresh machine.
#   tools/setup.sh run   install what is missing, build, run the embedded job in run/
#   tools/setup.sh test  install what is missing, build, run every test (normal and
#                        sanitizer builds, the page of tracciato view in chromium, the
#                        .deb, a smoke run of the benchmarks, then the Windows build
#                        under wine and its zip)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/install_missing.sh"
# What the build and the embedded run need.
base_packages=(cmake ninja-build g++ pkgconf libcli11-dev nlohmann-json3-dev libcairo2-dev
               fonts-dejavu-core)
# What the tests need besides: GoogleTest, the Windows cross build and wine, Google
# Benchmark for the smoke run of the benchmarks, the browser the page of
# `tracciato view` is tested in, and what makes and reads the packages (the man page,
# the .deb's dependencies, the zip).
test_packages=(libgtest-dev libgmock-dev g++-mingw-w64-x86-64 wine wine64 xvfb xdotool
               imagemagick libbenchmark-dev libssl-dev chromium
               help2man groff-base dpkg-dev file unzip)

# Node.js drives the browser test; the machine's own is taken when there is one.
# Then the test's one package (playwright-core, pinned in view/test/package-lock.json).
browser_test_driver() {
  command -v node >/dev/null && command -v npm >/dev/null || install_missing nodejs npm
  (cd "$root/view/test" && npm ci --no-audit --no-fund --loglevel=error)
}

build() {  # build DIR [cmake options...]
  local dir=$1
  shift
  cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir"
}

# The benchmarks build, the generated 1000 km scenario compiles without a fault, and
# each micro-benchmark runs once. Timing them is bench/run.sh's job, not the tests'.
bench_smoke() {
  local dir=$root/build/release
  build "$dir" -DTRACCIATO_BENCH=ON
  (cd "$dir" && ctest --output-on-failure --no-tests=error -R '^((Lengths|Plan)/)?GeneratedScenario')
  local smoke
  smoke=$(mktemp -d)
  "$dir/genera_scenario" "$smoke"
  local status=0
  "$dir/tracciato" compile "$smoke/BENCH_linea.txt" "$smoke/BENCH_MAX-.txt" \
    --report "$smoke/report.json" || status=$?
  if [ "$status" -ne 0 ] || ! grep -q '"outcome": "ok"' "$smoke/report.json"; then
    echo "the generated scenario does not compile clean (status $status)" >&2
    cat "$smoke/report.json" >&2 || true
    rm -rf "$smoke"
    return 1
  fi
  rm -rf "$smoke"
  timeout 60 "$dir/tracciato_micro" --benchmark_min_time=0
}

case "${1:-}" in
  run)
    install_missing "${base_packages[@]}"
    build "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DTRACCIATO_TESTS=OFF
    rm -rf "$root/run"
    mkdir -p "$root/run"
    # tracciato-plot, the drawing program behind `tracciato plot`, goes beside it.
    cp "$root/build/release/tracciato" "$root/build/release/tracciato-plot" "$root/run/"
    status=0
    "$root/run/tracciato" || status=$?
    echo "The embedded run ended with status $status; its files are in $root/run:"
    ls -l "$root/run"
    exit "$status"
    ;;
  test)
    install_missing "${base_packages[@]}" "${test_packages[@]}"
    browser_test_driver
    # The tests explicitly: `run` keeps them out of the same build folder. A build
    # without tests is a failure here, never an empty pass.
    build "$root/build/release" -DTRACCIATO_TESTS=ON -DTRACCIATO_BENCH=OFF
    (cd "$root/build/release" && ctest --output-on-failure --no-tests=error -j2)
    # The .deb of that build, and what it holds.
    "$root/tools/deb_tests.sh" "$root/build/release"
    build "$root/build/asan" -DTRACCIATO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
    (cd "$root/build/asan" && ctest --output-on-failure --no-tests=error -j2)
    bench_smoke
    # The Windows build, cross-compiled and run under wine beside build/release.
    "$root/tools/windows_tests.sh"
    # Each fuzz harness for a bounded time (TRACCIATO_FUZZ_SECONDS, 60 s by default).
    "$root/tools/fuzz.sh"
    ;;
  *)
    echo "usage: tools/setup.sh run|test" >&2
    exit 64
    ;;
esac
