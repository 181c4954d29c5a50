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
# The installer is the 64-bit test build; with --i686 it is the 32-bit release
# exe, the product, run by the emulated 32-bit Wine (install-wine32.sh) in
# prefixes that run 32-bit programs.
# Usage: scripts/run.sh [--walk] [--i686]
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
walk= i686=
for arg in "$@"; do
  case $arg in
    --walk) walk=1 ;;
    --i686) i686=1 ;;
    *) echo "usage: scripts/run.sh [--walk] [--i686]" >&2; exit 2 ;;
  esac
done

bash "$src/scripts/setup/install-deps.sh"

root=${VEL_BUILD_ROOT:-$src/build}
build=$root/run
cmake --preset tests -S "$src" -B "$build" >/dev/null
cmake --build "$build" --target vel_instaluj e2e_walk
exe=$build/wizard/vel_instaluj.exe
# The prefixes' names, and what runs the installer: with --i686 prefixes
# that run 32-bit programs (vel_prefix in wine-env.sh).
kind=run arch=()
if [ -n "$i686" ]; then
  cmake --preset release -S "$src" -B "$root/release" >/dev/null
  cmake --build "$root/release"
  exe=$root/release/wizard/vel_instaluj.exe
  kind=run-i686 arch=(--i686)
fi

# The walk gets a display of its own, apart from the one the tests use.
VEL_XVFB_DISPLAY=${VEL_RUN_XVFB_DISPLAY:-:78}
. "$src/scripts/wine/wine-env.sh"

winpath() { echo "Z:$1" | tr / '\\'; }

display_reachable() {
  [ -n "${DISPLAY:-}" ] && timeout 5 import -window root -crop 1x1+0+0 null: >/dev/null 2>&1
}

run_on_display() {
  local prefix wine
  prefix=$(vel_prefix "$kind" --fresh "${arch[@]}")
  wine=$(vel_wine64 "$prefix")
  export WINEPREFIX=$prefix
  # On a real desktop the window manager should own the windows.
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d Y /f >/dev/null 2>&1
  echo "Running the installer on $DISPLAY (prefix $prefix)"
  (cd "$(dirname "$exe")" && "$wine" "$exe" >/dev/null 2>&1 </dev/null) || true
  "$VEL_WINESERVER" -w
  echo "Installed files, if any: $prefix/drive_c"
}

# walk_in PREFIX_NAME FOLDER [SETTINGS...]: the walk in a fresh prefix of that
# name, set up as vel_prefix takes the settings, its pictures as PNG in FOLDER.
walk_in() {
  local prefix out=$2 log rc=0 bmp started=$SECONDS
  prefix=$(vel_prefix "$1" --fresh "${@:3}")
  mkdir -p "$out"
  log=$(mktemp "${TMPDIR:-/tmp}/vel-run.XXXXXX")
  # Output through a file: Wine's helper processes would hold a pipe open.
  WINEPREFIX=$prefix "$(vel_wine64 "$prefix")" "$build/tools/walk/e2e_walk.exe" --installer "$(winpath "$exe")" \
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
  local out failed=
  vel_xvfb
  out=$src/screenshots/$(date +%Y%m%d-%H%M%S)
  [ -z "$i686" ] || out=$out-i686
  walk_in "$kind" "$out" "${arch[@]}" || failed="$failed 96dpi"
  walk_in "$kind-dpi144" "$out/dpi144" "${arch[@]}" --dpi 144 || failed="$failed dpi144"
  walk_in "$kind-contrast" "$out/contrast" "${arch[@]}" --high-contrast || failed="$failed contrast"
  ln -sfn "$(basename "$out")" "$src/screenshots/latest"
  echo "Screenshots of $(basename "$exe") ($([ -n "$i686" ] && echo i686 || echo x86_64)): $out" \
    "(at 144 DPI in dpi144/, high contrast in contrast/)"
  [ -z "$failed" ] || { echo "the walk failed:$failed" >&2; exit 1; }
}

if [ -z "$walk" ] && display_reachable; then
  run_on_display
else
  walk_with_screenshots
fi
