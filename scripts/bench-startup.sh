#!/usr/bin/env bash
# Measures under Wine how long the installer takes from its start until the
# welcome page is shown and waits for input, against a trivial program that
# shows one window, alternating runs in one prefix; prints the medians and
# their ratio. Also prints the size of the 32-bit release exe when built.
# Usage: scripts/bench-startup.sh [runs] [--parts]   (--parts: also time the
# trivial program with each piece of the installer's start-up added)
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-10}
root=${VEL_BUILD_ROOT:-$src/build}
# The same build as scripts/run.sh.
build=$root/run
cmake --preset tests -S "$src" -B "$build" >/dev/null
cmake --build "$build" --target vel_instaluj e2e_startup_bench trivial_window

VEL_XVFB_DISPLAY=${VEL_BENCH_XVFB_DISPLAY:-:79}
. "$src/scripts/wine-env.sh"
vel_xvfb
prefix=$(vel_prefix bench)
export WINEPREFIX=$prefix
vel_wineserver "$prefix"
# Stripped copies, as the product ships: the test build carries debug data.
mkdir -p "$prefix/drive_c/bench"
x86_64-w64-mingw32-strip -o "$prefix/drive_c/bench/vel_instaluj.exe" "$build/wizard/vel_instaluj.exe"
x86_64-w64-mingw32-strip -o "$prefix/drive_c/bench/trivial_window.exe" "$build/tests/e2e/trivial_window.exe"
log=$(mktemp "${TMPDIR:-/tmp}/vel-bench.XXXXXX")
rc=0
"$VEL_WINE64" "$build/tests/e2e/e2e_startup_bench.exe" --runs "$runs" ${2:-} \
  --installer 'C:\bench\vel_instaluj.exe' --trivial 'C:\bench\trivial_window.exe' >"$log" 2>&1 </dev/null || rc=$?
cat "$log"; rm -f "$log"
vel_wineserver_stop "$prefix"

release=$root/release/wizard/vel_instaluj.exe
if [ -f "$release" ]; then
  echo "release exe (i686): $(stat -c %s "$release") bytes"
fi
exit $rc
