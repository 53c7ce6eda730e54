#!/usr/bin/env bash
# The Windows checks: cross-build tracciato.exe with mingw-w64 and run it under wine,
# with a virtual X display for its windows, beside the Linux build.
#   tools/windows_tests.sh
# Installs what is missing, builds into build/mingw, keeps wine's prefix in
# build/wine-prefix and the runs' folders in build/wine-tests, and saves a picture of
# the waiting window as build/waiting-window.png. The Linux executable it compares
# with is build/release/tracciato (built here when tools/setup.sh has not built it),
# or the one TRACCIATO_LINUX_EXE names.
# Ends with "N passed, M failed" and a non-zero status when anything failed.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
. "$root/tools/install_missing.sh"
packages=(cmake ninja-build g++ libcli11-dev nlohmann-json3-dev
          g++-mingw-w64-x86-64 wine wine64 xvfb xdotool imagemagick unzip)

. "$root/tools/checks.sh"
die() {
  echo "windows_tests: $*" >&2
  fail "$*"
  finish
}

# A Linux path as wine's drive Z: names it.
winpath() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }

xvfb_pid=
stop_display() {
  if [ -n "${WINEPREFIX:-}" ] && command -v wineserver >/dev/null; then
    timeout 30 wineserver -k >/dev/null 2>&1 || true
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=
  fi
}
trap stop_display EXIT

start_display() {
  local n
  for n in $(seq 90 160); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
  done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$build/wine-tests/xvfb.log" 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 100); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  return 1
}

# --- set-up ---------------------------------------------------------------------

install_missing "${packages[@]}" || die "cannot install: ${packages[*]}"

linux_exe=${TRACCIATO_LINUX_EXE:-$build/release/tracciato}
if [ ! -x "$linux_exe" ]; then
  { cmake -S "$root" -B "$build/release" -G Ninja >/dev/null &&
      cmake --build "$build/release" --target tracciato; } || die "the Linux build failed"
fi

echo "Cross-building for Windows into build/mingw"
start=$SECONDS
{ cmake -S "$root" -B "$build/mingw" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null &&
    cmake --build "$build/mingw" --target tracciato win32_platform_check; } ||
  die "the Windows cross-build failed"
echo "Cross-build took $((SECONDS - start)) s"
exe=$build/mingw/tracciato.exe
check "tracciato.exe ships without debug sections" \
  bash -c '! x86_64-w64-mingw32-objdump -h "$1" | grep -q "\.debug_"' _ "$exe"
harness=$build/mingw/win32_platform_check.exe

# The zip CPack makes of the cross build: tracciato.exe at its top, with the README and
# the documents it points to, and nothing else.
echo "-- the Windows zip"
rm -f "$build/mingw"/tracciato-*.zip
(cd "$build/mingw" && cpack -G ZIP >cpack.log 2>&1) || { cat "$build/mingw/cpack.log"; fail "cpack makes the zip"; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/mingw/CMakeCache.txt")
zip=$build/mingw/tracciato-$version-windows-x86_64.zip
if [ -f "$zip" ]; then
  pass "cpack makes $(basename "$zip")"
  expected_zip="README.md
docs/
docs/format.md
docs/map.png
docs/profile.png
docs/view.png
tracciato.exe"
  if diff -u <(echo "$expected_zip") <(unzip -Z1 "$zip" | LC_ALL=C sort) >"$build/mingw/zip-files.diff"; then
    pass "the zip holds tracciato.exe, README.md and docs/, nothing else"
  else
    fail "the zip holds tracciato.exe, README.md and docs/, nothing else (- expected, + found):"
    sed -n '3,$p' "$build/mingw/zip-files.diff"
  fi
  check "the zip's tracciato.exe is the one built" bash -c 'unzip -p "$1" tracciato.exe | cmp -s - "$2"' _ "$zip" "$exe"
else
  fail "cpack makes tracciato-$version-windows-x86_64.zip"
fi

rm -rf "$build/wine-tests"
mkdir -p "$build/wine-tests"
start_display || die "Xvfb did not start"

export WINEPREFIX=$build/wine-prefix WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko: their installers would wait for an answer on the virtual display.
export WINEDLLOVERRIDES="mscoree,mshtml="
start=$SECONDS
timeout -k 10 900 wineboot -i >"$build/wine-tests/wineboot.log" 2>&1 ||
  die "wineboot did not finish (see build/wine-tests/wineboot.log)"
echo "Wine's start-up (wineboot) took $((SECONDS - start)) s"
# Wine draws the window frames itself: the virtual display has no window manager.
timeout -k 5 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f \
  >/dev/null 2>&1

# --- (a) the embedded run gives the Linux build's bytes ---------------------------

echo "-- the embedded run of tracciato.exe"
lin=$build/wine-tests/embedded-linux
win=$build/wine-tests/embedded-windows
mkdir -p "$lin" "$win"
cp "$linux_exe" "$lin/"
cp "$exe" "$win/"
lin_status=0
(cd "$lin" && ./tracciato >stdout.log 2>stderr.log) || lin_status=$?
win_status=0
(cd "$win" && timeout -k 10 300 wine ./tracciato.exe >stdout.log 2>stderr.log) || win_status=$?
check "the Linux run ends with status 0" [ "$lin_status" -eq 0 ]
check "the Windows run ends with status 0 (got $win_status)" [ "$win_status" -eq 0 ]
expected=("ROVELDA-MARNE_K 517_note.txt" "ROVELDA-MARNE_K 517_rallentamenti.txt"
          "ROVELDA-MARNE_K 517_scheda_treno.txt" "ROVELDA-MARNE_linea.dat"
          "ROVELDA-MARNE_K 517.sim" "ROVELDA-MARNE_K 517.dat")
for f in "${expected[@]}"; do
  if [ ! -f "$win/$f" ]; then
    fail "tracciato.exe wrote $f"
  else
    check "$f is byte-identical to the Linux build's" cmp -s "$lin/$f" "$win/$f"
  fi
done
listing() { (cd "$1" && ls -A | grep -v -x -e tracciato -e tracciato.exe -e stdout.log -e stderr.log); }
check "the Windows run leaves the same files as the Linux run, no source text" \
  diff <(listing "$lin") <(listing "$win")

# The page of tracciato view, from the embedded run's files: the same bytes on Windows.
page="ROVELDA-MARNE_K 517.html"
"$linux_exe" view "$lin" --route ROVELDA-MARNE --train "K 517" >/dev/null 2>"$lin/view.err"
view_status=0
(cd "$win" && timeout -k 10 120 wine ./tracciato.exe view . --route ROVELDA-MARNE --train "K 517" \
   >view.out 2>view.err) || view_status=$?
check "tracciato.exe view ends with status 0 (got $view_status)" [ "$view_status" -eq 0 ]
if [ ! -f "$win/$page" ]; then
  fail "tracciato.exe view writes $page beside the scenario's files"
else
  check "the page of tracciato.exe view is byte-identical to the Linux build's" \
    cmp -s "$lin/$page" "$win/$page"
fi
rm -f "$lin/$page" "$win/$page" "$lin/view.err" "$win/view.out" "$win/view.err"
# The build without cairo draws no pictures and says how to see them.
plot_status=0
(cd "$win" && timeout -k 10 60 wine ./tracciato.exe plot . --route ROVELDA-MARNE --train "K 517" \
   >plot.out 2>plot.err) || plot_status=$?
check "tracciato.exe plot ends with status 3 (got $plot_status)" [ "$plot_status" -eq 3 ]
check "tracciato.exe plot points to tracciato view of the same scenario" \
  grep -q -F 'tracciato view . --route ROVELDA-MARNE --train "K 517"' "$win/plot.err"
rm -f "$win/plot.out" "$win/plot.err"

# The sources subcommand writes the two source texts the embedded run deletes.
mkdir -p "$lin/sources" "$win/sources"
"$linux_exe" sources "$lin/sources" >/dev/null 2>&1
(cd "$win" && timeout -k 10 120 wine ./tracciato.exe sources sources >/dev/null 2>&1)
for f in "ROVELDA-MARNE_linea.txt" "ROVELDA-MARNE_K 517-.txt"; do
  check "tracciato.exe sources writes $f as the Linux build does" cmp -s "$lin/sources/$f" "$win/sources/$f"
done

# The starter scenario: the same two texts, and they check clean, with and without the plan.
"$linux_exe" new "$lin/starter" --route MYLINE --train "R 1" >/dev/null 2>&1
(cd "$win" && timeout -k 10 120 wine ./tracciato.exe new starter --route MYLINE --train "R 1" \
   >/dev/null 2>&1)
for f in "MYLINE_linea.txt" "MYLINE_R 1-.txt"; do
  check "tracciato.exe new writes $f as the Linux build does" cmp -s "$lin/starter/$f" "$win/starter/$f"
done
for plan in "" "--no-plan"; do
  starter_status=0
  (cd "$win/starter" && timeout -k 10 120 wine ../tracciato.exe check MYLINE_linea.txt "MYLINE_R 1-.txt" \
     $plan >check.out 2>check.err) || starter_status=$?
  check "the starter checks clean under wine ${plan:-with the plan} (status $starter_status)" \
    bash -c '[ "$1" -eq 0 ] && [ ! -s "$2" ]' _ "$starter_status" "$win/starter/check.err"
done

# The embedded run's files decompiled: the same texts as the Linux build writes, every
# file given back.
echo "-- decompile of the embedded run's files"
"$linux_exe" decompile "$lin" --route ROVELDA-MARNE --train "K 517" -o "$lin/decompiled" \
  >"$lin/decompile.log" 2>&1
lin_status=$?
win_status=0
(cd "$win" && timeout -k 10 300 wine ./tracciato.exe decompile . --route ROVELDA-MARNE --train "K 517" \
   -o decompiled >decompile.log 2>&1) || win_status=$?
check "decompile under Linux ends with status 0 (got $lin_status)" [ "$lin_status" -eq 0 ]
check "tracciato.exe decompile ends with status 0 (got $win_status)" [ "$win_status" -eq 0 ]
check "tracciato.exe decompile says the three files are identical" \
  bash -c '[ "$(tr -d "\r" <"$1" | grep -c ": identical$")" -eq 3 ]' _ "$win/decompile.log"
for f in "ROVELDA-MARNE_linea.txt" "ROVELDA-MARNE_K 517-.txt"; do
  check "tracciato.exe decompile writes $f as the Linux build does" \
    cmp -s "$lin/decompiled/$f" "$win/decompiled/$f"
done

# --- (b) errore: its box in the no-argument run, its line under compile -------------

echo "-- the message box of errore, as the Win32 layer shows it"
stage=$build/wine-tests/errore
mkdir -p "$stage"
(exec timeout -k 10 120 wine "$harness" --show-message " Errore n. 1250" >/dev/null 2>&1) &
box_pid=$!
timeout -k 5 60 wine "$harness" --message-box tracciato " Errore n. 1250" 45 >"$stage/box.log" 2>&1
cat "$stage/box.log"
box_passed=$(sed -n 's/^win32_platform_check: \([0-9]*\) checks passed, \([0-9]*\) failed.*/\1/p' "$stage/box.log")
box_failed=$(sed -n 's/^win32_platform_check: \([0-9]*\) checks passed, \([0-9]*\) failed.*/\2/p' "$stage/box.log")
if [ -n "$box_passed" ]; then
  passed=$((passed + box_passed))
  failed=$((failed + box_failed))
else
  fail "the message box could be inspected"
fi
# Close the box as a person would: focus it and press Enter.
box=$(timeout 20 xdotool search --sync --onlyvisible --name '^tracciato$' 2>/dev/null | head -n 1)
if [ -n "$box" ]; then
  xdotool windowfocus --sync "$box" >/dev/null 2>&1
  xdotool key --clearmodifiers Return
  pass "the message box is closed with the Enter key"
else
  fail "the message box is closed with the Enter key (no window found)"
fi
wait "$box_pid" || true

echo "-- compile of a scenario whose post-processing puts an abatement in cell 1"
# Abatements in cells 2 and 3, a slow-down starting in cell 8: the first approach
# window (cells 3, 2, 1) has only cell 1 free.
printf '[generale]\r\nlunghezza percorso, 5000\r\n[curve]\r\n[fine]\r\n' >"$stage/PROVA_linea.txt"
printf '[generale]\r\nabbattimento, 100, 50\r\nabbattimento, 150, 50\r\nrallentamento, 350, 60, 100, 1, 0, 0\r\n[fine]\r\n' \
  >"$stage/PROVA_T1-.txt"
cp "$stage/PROVA_linea.txt" "$stage/route.orig"
cp "$stage/PROVA_T1-.txt" "$stage/train.orig"
# A script's compile never waits on a box: it ends by itself.
compile_status=0
(cd "$stage" && exec timeout -k 10 60 wine "$(winpath "$exe")" compile PROVA_linea.txt PROVA_T1-.txt \
   --report report.json >stdout.log 2>stderr.log) || compile_status=$?
check "compile ends by itself with status 2, no box waiting (got $compile_status)" [ "$compile_status" -eq 2 ]
check "no window was left open" \
  bash -c '! timeout 3 xdotool search --onlyvisible --name "^tracciato$" >/dev/null 2>&1'
check "compile prints \" Errore n. 1250\" on standard error" grep -q -F " Errore n. 1250" "$stage/stderr.log"
check "no .sim or .dat file is left" \
  bash -c '! ls "$1" | grep -q -E "\\.(sim|dat)$"' _ "$stage"
check "the report says errore 1250 and lists no file" \
  bash -c 'tr -d " \r\n" <"$1" | grep -q "\"outcome\":\"errore\".*\"errore\":\"1250\",\"files\":\[\]"' _ "$stage/report.json"
check "the source texts are left as they were" \
  bash -c 'cmp -s "$1/route.orig" "$1/PROVA_linea.txt" && cmp -s "$1/train.orig" "$1/PROVA_T1-.txt"' _ "$stage"

# --- (c) the waiting form as Windows reports it, and the file layer ------------------

echo "-- the Win32 layer and the waiting form"
scratch=$build/wine-tests/scratch
mkdir -p "$scratch"
rm -f "$build/waiting-window.png" "$build/wine-tests/waiting-window.bmp"
timeout -k 5 120 wine "$harness" "$(winpath "$scratch")" "$(winpath "$build/wine-tests/waiting-window.bmp")" \
  >"$build/wine-tests/harness.log" 2>&1
cat "$build/wine-tests/harness.log"
h_passed=$(sed -n 's/^win32_platform_check: \([0-9]*\) checks passed, \([0-9]*\) failed.*/\1/p' "$build/wine-tests/harness.log")
h_failed=$(sed -n 's/^win32_platform_check: \([0-9]*\) checks passed, \([0-9]*\) failed.*/\2/p' "$build/wine-tests/harness.log")
if [ -n "$h_passed" ]; then
  passed=$((passed + h_passed))
  failed=$((failed + h_failed))
else
  fail "win32_platform_check ran to its end"
fi
magick=convert
[ -x /usr/bin/convert ] && magick=/usr/bin/convert
check "the screenshot is saved as build/waiting-window.png" \
  bash -c '[ -s "$2" ] && "$1" "$2" "$3" && [ -s "$3" ]' _ "$magick" \
  "$build/wine-tests/waiting-window.bmp" "$build/waiting-window.png"

# --- (d) the command line under a GUI-subsystem executable ---------------------------

echo "-- the command line"
usage_status=0
(cd "$build/wine-tests" && timeout -k 5 60 wine "$(winpath "$exe")" compile >usage.out 2>usage.err) ||
  usage_status=$?
check "a usage error ends with status 64 (got $usage_status)" [ "$usage_status" -eq 64 ]
check "the usage line reaches standard error" grep -q "usage" "$build/wine-tests/usage.err"

# A folder name that Windows-1252 cannot hold is refused, not mangled into another name.
odd=$build/wine-tests/Ω
mkdir -p "$odd"
cp "$exe" "$odd/"
odd_status=0
(cd "$odd" && timeout -k 5 60 wine ./tracciato.exe >stdout.log 2>stderr.log) || odd_status=$?
check "a run from a folder 1252 cannot name ends with status 3 (got $odd_status)" [ "$odd_status" -eq 3 ]
check "its report names the reason" grep -q "cannot hold" "$odd/stderr.log"
check "it writes no file anywhere" \
  bash -c '[ -z "$(ls -A "$1" | grep -v -x -e tracciato.exe -e stdout.log -e stderr.log)" ] &&
           [ -z "$(find "$2" -maxdepth 1 -name "ROVELDA*")" ]' _ "$odd" "$build/wine-tests"

finish
