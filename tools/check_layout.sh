#!/usr/bin/env bash
# The layout rule: each room (folder) includes only the rooms below it. Lists every
# include that breaks it, and every include outside the standard library in the
# compiler core, and fails when there is one. Run by the test command (CTest test
# "Layout.IncludesOnlyRoomsBelow").
#   tools/check_layout.sh [ROOT]
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

core="platform model route_reader train_reader sources compiler driver"
# room: the rooms its code may include, itself among them.
declare -A may=(
  [platform]="platform"
  [platform/posix]="platform platform/posix"
  [platform/win32]="platform platform/win32"
  [test_support]="platform test_support"
  [model]="platform model"
  [route_reader]="platform model route_reader"
  [train_reader]="platform model train_reader"
  [sources]="platform model sources"
  [compiler]="platform model route_reader train_reader compiler"
  [driver]="platform model route_reader train_reader sources compiler driver"
  [dump]="$core dump"
  [plot]="$core plot"
  [view]="$core dump plot view"
  [decompile]="$core decompile"
  [cli]="$core dump plot view decompile cli"
)
# Rooms of tests and tools that may use everything: benchmarks, fuzzers, checks of
# the built executable, golden digests.
open_rooms="bench fuzz robustness golden"

is_test() {  # tests and their helpers also use the test support
  case "$(basename "$1")" in
    *_test.cpp | *_test_*.h | test_*.h | *test_support.h | staged_*.h) return 0 ;;
  esac
  return 1
}

in_list() {  # in_list WORD LIST...
  local w=$1
  shift
  for x in "$@"; do [ "$x" = "$w" ] && return 0; done
  return 1
}

faults=0
while IFS= read -r file; do
  room=$(dirname "$file")
  in_list "${room%%/*}" $open_rooms && continue
  if [ -z "${may[$room]+set}" ]; then
    echo "$file: the folder $room is no room of the layout (add it to tools/check_layout.sh)"
    faults=$((faults + 1))
    continue
  fi
  allowed=${may[$room]}
  is_test "$file" && allowed="$allowed test_support"
  core_room=false
  in_list "$room" $core && ! is_test "$file" && core_room=true
  while IFS= read -r line; do
    n=${line%%:*}
    text=${line#*:}
    if [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
      target=${BASH_REMATCH[1]}
      [[ $target == */* ]] || continue
      target_room=$(dirname "$target")
      if ! in_list "$target_room" $allowed; then
        echo "$file:$n: includes $target: $room may include only: $allowed"
        faults=$((faults + 1))
      fi
    elif $core_room && [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<([^\>]+)\> ]]; then
      target=${BASH_REMATCH[1]}
      if [[ $target == */* || $target == *.* ]]; then
        echo "$file:$n: includes <$target>: the compiler core uses the standard library only"
        faults=$((faults + 1))
      fi
    fi
  done < <(grep -n '#[[:space:]]*include' "$file" || true)
done < <(git ls-files '*.cpp' '*.h' | grep -v '^fuzz/corpus/')

if ((faults)); then
  echo "layout: $faults include(s) against the rule"
  exit 1
fi
echo "layout: every room includes only the rooms below it"
