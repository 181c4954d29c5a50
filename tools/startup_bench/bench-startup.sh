#!/usr/bin/env bash
# Measures under Wine how long the installer takes from its start until the
# welcome page is shown and waits for input, against a trivial program that
# shows one window, alternating runs in one prefix; prints the medians and
# their ratio. Also prints the size of the 32-bit release exe when built.
# Usage: tools/startup_bench/bench-startup.sh [runs] [--parts] [--i686]   (--parts: also
# time the trivial program with each piece of the installer's start-up added;
# --i686: the installer is the i686 release exe, under the emulated 32-bit
# Wine, against the same 64-bit trivial program)
set -eu
src=$(cd "$(dirname "$0")/../.." && pwd)
runs=10 parts= i686=
for arg in "$@"; do
  case $arg in
    --parts) parts=--parts ;;
    --i686) i686=1 ;;
    *[!0-9]*|"") echo "usage: tools/startup_bench/bench-startup.sh [runs] [--parts] [--i686]" >&2; exit 2 ;;
    *) runs=$arg ;;
  esac
done
root=${VEL_BUILD_ROOT:-$src/build}
# The same build as scripts/run.sh.
build=$root/run
cmake --preset tests -S "$src" -B "$build" >/dev/null
cmake --build "$build" --target vel_instaluj e2e_startup_bench trivial_window
installer=$build/wizard/vel_instaluj.exe name=bench arch=()
if [ -n "$i686" ]; then
  cmake --preset release -S "$src" -B "$root/release" >/dev/null
  cmake --build "$root/release"
  installer=$root/release/wizard/vel_instaluj.exe name=bench-i686 arch=(--i686)
fi

VEL_XVFB_DISPLAY=${VEL_BENCH_XVFB_DISPLAY:-:79}
. "$src/scripts/wine/wine-env.sh"
vel_xvfb
prefix=$(vel_prefix "$name" "${arch[@]}")
export WINEPREFIX=$prefix
vel_wineserver "$prefix"
# Stripped copies, as the product ships: the test build carries debug data.
mkdir -p "$prefix/drive_c/bench"
if [ -n "$i686" ]; then
  cp "$installer" "$prefix/drive_c/bench/vel_instaluj.exe"  # the release is stripped already
else
  x86_64-w64-mingw32-strip -o "$prefix/drive_c/bench/vel_instaluj.exe" "$installer"
fi
x86_64-w64-mingw32-strip -o "$prefix/drive_c/bench/trivial_window.exe" "$build/tools/startup_bench/trivial_window.exe"
log=$(mktemp "${TMPDIR:-/tmp}/vel-bench.XXXXXX")
rc=0
"$(vel_wine64 "$prefix")" "$build/tools/startup_bench/e2e_startup_bench.exe" --runs "$runs" $parts \
  --installer 'C:\bench\vel_instaluj.exe' --trivial 'C:\bench\trivial_window.exe' >"$log" 2>&1 </dev/null || rc=$?
cat "$log"; rm -f "$log"
vel_wineserver_stop "$prefix"

release=$root/release/wizard/vel_instaluj.exe
if [ -f "$release" ]; then
  echo "release exe (i686): $(stat -c %s "$release") bytes"
fi
exit $rc
