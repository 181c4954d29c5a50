#!/usr/bin/env bash
# Builds the installer with its sample RunImage and runs it under Wine, in a
# fresh prefix of its own (never ~/.wine), on a Polish system (wine-env.sh).
#  - With a reachable display in $DISPLAY: opens the installer there to be used
#    by hand, and returns when it ends.
#  - Without one (or with --walk): runs it on a virtual display, walks the
#    typical run with the end-to-end driver and saves a picture of every
#    window in screenshots/<time>/ (also reachable as screenshots/latest);
#    then the same at 144 DPI into <time>/dpi144/ and in the high-contrast
#    colour scheme into <time>/contrast/, each in a fresh prefix of its own.
# The build is the 64-bit one: the 32-bit release needs a 32-bit Wine, which
# this machine does not have.
# Usage: scripts/run.sh [--walk]
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
walk=
case "${1:-}" in
  --walk) walk=1 ;;
  "") ;;
  *) echo "usage: scripts/run.sh [--walk]" >&2; exit 2 ;;
esac

bash "$src/scripts/install-deps.sh"

build=${VEL_BUILD_ROOT:-$src/build}/run
cmake --preset tests -S "$src" -B "$build" >/dev/null
cmake --build "$build" --target vel_instaluj e2e_walk
exe=$build/wizard/vel_instaluj.exe

# The walk gets a display of its own, apart from the one the tests use.
VEL_XVFB_DISPLAY=${VEL_RUN_XVFB_DISPLAY:-:78}
. "$src/scripts/wine-env.sh"

winpath() { echo "Z:$1" | tr / '\\'; }

display_reachable() {
  [ -n "${DISPLAY:-}" ] && timeout 5 import -window root -crop 1x1+0+0 null: >/dev/null 2>&1
}

run_on_display() {
  local prefix
  prefix=$(vel_prefix run fresh)
  export WINEPREFIX=$prefix
  # On a real desktop the window manager should own the windows.
  "$VEL_WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d Y /f >/dev/null 2>&1
  echo "Running the installer on $DISPLAY (prefix $prefix)"
  (cd "$(dirname "$exe")" && "$VEL_WINE64" "$exe" >/dev/null 2>&1 </dev/null) || true
  "$VEL_WINESERVER" -w
  echo "Installed files, if any: $prefix/drive_c"
}

# walk_in PREFIX_NAME FOLDER: the walk in a fresh prefix of that name (see
# vel_prefix for what the name sets up), its pictures as PNG in FOLDER.
walk_in() {
  local prefix out=$2 log rc=0 bmp started=$SECONDS
  prefix=$(vel_prefix "$1" fresh)
  mkdir -p "$out"
  log=$(mktemp "${TMPDIR:-/tmp}/vel-run.XXXXXX")
  # Output through a file: Wine's helper processes would hold a pipe open.
  WINEPREFIX=$prefix "$VEL_WINE64" "$build/tests/e2e/e2e_walk.exe" --installer "$(winpath "$exe")" \
    --out "$(winpath "$out")" >"$log" 2>&1 </dev/null || rc=$?
  cat "$log"; rm -f "$log"
  WINEPREFIX=$prefix "$VEL_WINESERVER" -w
  for bmp in "$out"/*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
  done
  echo "walk in prefix $1: $((SECONDS - started)) s"
  return $rc
}

# The typical run at the usual 96 DPI, then again at 144 DPI and in a black
# high-contrast colour scheme, each in a subfolder of its own.
walk_with_screenshots() {
  local out failed= variant
  vel_xvfb
  out=$src/screenshots/$(date +%Y%m%d-%H%M%S)
  walk_in run "$out" || failed="$failed 96dpi"
  for variant in dpi144 contrast; do
    walk_in "run-$variant" "$out/$variant" || failed="$failed $variant"
  done
  ln -sfn "$(basename "$out")" "$src/screenshots/latest"
  echo "Screenshots: $out (at 144 DPI in dpi144/, high contrast in contrast/)"
  [ -z "$failed" ] || { echo "the walk failed:$failed" >&2; exit 1; }
}

if [ -z "$walk" ] && display_reachable; then
  run_on_display
else
  walk_with_screenshots
fi
