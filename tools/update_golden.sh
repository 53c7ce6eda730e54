#!/usr/bin/env bash
# Regenerates the golden digests (golden/*.sha256) from the program as it is built now.
# Run it after a deliberate change of output bytes and commit the digests with the
# change, so that the review sees which files changed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TRACCIATO_BUILD:-$root/build/release}
cmake -S "$root" -B "$build" -G Ninja -DTRACCIATO_TESTS=ON >/dev/null
cmake --build "$build" --target golden_tests
TRACCIATO_UPDATE_GOLDEN=1 "$build/golden/golden_tests" --gtest_brief=1
git -C "$root" diff --stat -- golden/
