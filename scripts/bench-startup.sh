#!/usr/bin/env bash
# Measures under Wine how long the installer takes from its start until the
# welcome page is shown and waits for input, against a trivial program that
# shows one window, alternating runs in one prefix; prints the medians and
# their ratio. Also prints the size of the 32-bit release exe when built.
# Usage: scripts/bench-startup.sh [runs]
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-10}
root=${VEL_BUILD_ROOT:-$src/build}
# The same build as scripts/run.sh.
build=$root/run
cmake --preset tests -S "$src" -B "$build" >/dev/null
cmake --build "$build" --target vel_instaluj e2e_startup_bench

VEL_XVFB_DISPLAY=${VEL_BENCH_XVFB_DISPLAY:-:79}
. "$src/scripts/wine-env.sh"
vel_xvfb
prefix=$(vel_prefix bench)
export WINEPREFIX=$prefix
vel_wineserver "$prefix"
log=$(mktemp "${TMPDIR:-/tmp}/vel-bench.XXXXXX")
rc=0
"$VEL_WINE64" "$build/tests/e2e/e2e_startup_bench.exe" --runs "$runs" >"$log" 2>&1 </dev/null || rc=$?
cat "$log"; rm -f "$log"
vel_wineserver_stop "$prefix"

release=$root/release/wizard/vel_instaluj.exe
if [ -f "$release" ]; then
  echo "release exe (i686): $(stat -c %s "$release") bytes"
fi
exit $rc
