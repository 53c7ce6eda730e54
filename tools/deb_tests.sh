#!/usr/bin/env bash
# The Debian package: makes it with cpack in a built Linux tree and checks what it holds.
#   tools/deb_tests.sh [BUILD_DIR]      (default build/release, built beforehand)
# Leaves tracciato_VERSION_ARCH.deb in BUILD_DIR. Ends with "N passed, M failed" and a
# non-zero status when anything failed.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build/release}

. "$root/tools/checks.sh"

# Every file the package holds, and nothing else: no library, header or test.
expected_files() {
  cat <<'EOF'
./usr/bin/tracciato
./usr/bin/tracciato-plot
./usr/share/doc/tracciato/README.md
./usr/share/doc/tracciato/docs/format.md
./usr/share/doc/tracciato/docs/map.png
./usr/share/doc/tracciato/docs/profile.png
./usr/share/doc/tracciato/docs/view.png
./usr/share/man/man1/tracciato.1.gz
EOF
}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$dir/CMakeCache.txt" 2>/dev/null)
if [ -z "$version" ]; then
  fail "$dir is a configured build tree"
  finish
fi

echo "-- the Debian package"
rm -f "$dir"/tracciato_*.deb
start=$SECONDS
if ! (cd "$dir" && cpack -G DEB >cpack.log 2>&1); then
  cat "$dir/cpack.log"
  fail "cpack makes the .deb"
  finish
fi
debs=("$dir"/tracciato_*.deb)
deb=$dir/tracciato_${version}_$(dpkg --print-architecture).deb
check "cpack makes $(basename "$deb") in $((SECONDS - start)) s" [ "${#debs[@]}" -eq 1 ] && [ -f "$deb" ]
[ -f "$deb" ] || finish

# dpkg-deb -c lines: MODE OWNER SIZE DATE TIME PATH (a path may hold spaces).
listing=$(dpkg-deb -c "$deb")
files=$(grep -v '^d' <<<"$listing" | sed -E 's/^([^ ]+ +){5}//' | LC_ALL=C sort)
if diff -u <(expected_files | LC_ALL=C sort) <(echo "$files") >"$dir/deb-files.diff"; then
  pass "the .deb holds exactly the programs, the documents and the man page"
else
  fail "the .deb holds exactly the programs, the documents and the man page (- expected, + found):"
  sed -n '3,$p' "$dir/deb-files.diff"
fi
check "both programs are executable" \
  bash -c '[ "$(grep -c -E "^-rwxr-xr-x .* \./usr/bin/tracciato(-plot)?$" <<<"$1")" -eq 2 ]' _ "$listing"

field() { dpkg-deb -f "$deb" "$1"; }
check "Package is tracciato" [ "$(field Package)" = tracciato ]
check "Version is the project's, $version" [ "$(field Version)" = "$version" ]
check "a Maintainer is named" [ -n "$(field Maintainer)" ]
check "a Description is given" [ -n "$(field Description)" ]
depends=$(field Depends)
check "Depends, as dpkg-shlibdeps found them, names cairo ($depends)" \
  grep -q -E '(^|, )libcairo2( |,|$)' <<<"$depends"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
bin=$unpacked/usr/bin
check "the unpacked tracciato --version says tracciato $version" \
  [ "$("$bin/tracciato" --version 2>&1)" = "tracciato $version" ]
check "the programs ship without debug sections" \
  bash -c '! readelf -S "$1" "$2" | grep -q "\.debug_"' _ "$bin/tracciato" "$bin/tracciato-plot"

# tracciato plot starts the tracciato-plot beside it: a scenario compiled and drawn with
# the unpacked programs alone.
work=$unpacked/work
mkdir -p "$work"
(cd "$work" && "$bin/tracciato" sources src >sources.log 2>&1 &&
   "$bin/tracciato" compile src/ROVELDA-MARNE_linea.txt "src/ROVELDA-MARNE_K 517-.txt" -o out \
     >compile.log 2>&1 &&
   "$bin/tracciato" plot out --route ROVELDA-MARNE --train "K 517" >plot.log 2>&1)
plot_status=$?
check "the unpacked tracciato compiles the shipped scenario and plots it (status $plot_status)" \
  [ "$plot_status" -eq 0 ]
check "the pictures are drawn by the tracciato-plot beside it" \
  bash -c '[ -s "$1/ROVELDA-MARNE_K 517_map.svg" ] && [ -s "$1/ROVELDA-MARNE_K 517_profile.svg" ]' \
  _ "$work/out"
[ "$plot_status" -eq 0 ] || cat "$work"/*.log

# The man page: well-formed for groff, one section per subcommand.
man_page=$unpacked/usr/share/man/man1/tracciato.1.gz
if [ -f "$man_page" ]; then
  groff_errors=$(zcat "$man_page" | groff -man -ww -z 2>&1)
  check "groff reads the man page without a warning" [ -z "$groff_errors" ]
  [ -z "$groff_errors" ] || echo "$groff_errors"
  sections=$(zcat "$man_page" | sed -n 's/^\.SH "*\([^"]*\)"*$/\1/p' | tr '\n' ,)
  check "the man page has its sections, one per subcommand ($sections)" \
    [ "$sections" = "NAME,SYNOPSIS,DESCRIPTION,OPTIONS,COMMANDS,TRACCIATO NEW,TRACCIATO SOURCES,TRACCIATO COMPILE,TRACCIATO CHECK,TRACCIATO PLOT,TRACCIATO VIEW,TRACCIATO DUMP,TRACCIATO EXPLAIN,TRACCIATO DECOMPILE,SEE ALSO," ]
else
  fail "the man page is in the package"
fi

finish
