#!/usr/bin/env bash
# Builds the installer with its sample RunImage and runs it under Wine, in a
# fresh prefix of its own (never ~/.wine).
#  - With a reachable display in $DISPLAY: opens the installer there to be used
#    by hand, and returns when it ends.
#  - Without one (or with --walk): runs it on a virtual display, walks the
#    typical run with the end-to-end driver and saves a picture of every
#    window in screenshots/<time>/ (also reachable as screenshots/latest).
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

walk_with_screenshots() {
  local prefix out log rc=0
  vel_xvfb
  prefix=$(vel_prefix run fresh)
  export WINEPREFIX=$prefix
  out=$src/screenshots/$(date +%Y%m%d-%H%M%S)
  mkdir -p "$out"
  log=$(mktemp "${TMPDIR:-/tmp}/vel-run.XXXXXX")
  # Output through a file: Wine's helper processes would hold a pipe open.
  "$VEL_WINE64" "$build/tests/e2e/e2e_walk.exe" --installer "$(winpath "$exe")" \
    --out "$(winpath "$out")" >"$log" 2>&1 </dev/null || rc=$?
  cat "$log"; rm -f "$log"
  "$VEL_WINESERVER" -w
  local bmp
  for bmp in "$out"/*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
  done
  ln -sfn "$(basename "$out")" "$src/screenshots/latest"
  echo "Screenshots: $out"
  [ $rc = 0 ] || { echo "the walk failed (exit $rc)" >&2; exit $rc; }
}

if [ -z "$walk" ] && display_reachable; then
  run_on_display
else
  walk_with_screenshots
fi
