#!/usr/bin/env bash
# Builds the 32-bit release product, the x86_64 release configuration and the
# 64-bit test build, then runs every test under Wine.
# Usage: scripts/test.sh [extra ctest arguments]
# Started as root it prepares the machine (setup/prepare-test-machine.sh) and
# runs again as the user veltest. VEL_XVFB_DISPLAY and VEL_STATE_DIR give a
# second run beside this one a display and a state folder of its own.
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
bash "$src/scripts/setup/install-deps.sh"

if [ "$(id -u)" = 0 ] && [ -z "${VEL_ALLOW_ROOT:-}" ]; then
  bash "$src/scripts/setup/prepare-test-machine.sh"
  small=
  mountpoint -q /tmp/vel-small-disk && small=/tmp/vel-small-disk
  run_src=$src
  if ! runuser -u veltest -- test -r "$src/CMakeLists.txt"; then
    run_src=/home/veltest/vel-src
    rm -rf "$run_src"; mkdir -p "$run_src"
    (cd "$src" && tar --exclude=./build -cf - .) | (cd "$run_src" && tar -xf -)
    chown -R veltest: "$run_src"
  fi
  # One build folder per source folder: CMake refuses a build folder that was
  # configured from another source.
  key=$(printf '%s' "$run_src" | md5sum | cut -c1-12)
  exec runuser -u veltest -- env CI="${CI:-}" VEL_SMALL_DISK="$small" VEL_BUILD_ROOT=/home/veltest/vel-build/$key \
    VEL_XVFB_DISPLAY="${VEL_XVFB_DISPLAY:-:77}" VEL_STATE_DIR="${VEL_STATE_DIR:-/home/veltest/.cache/vel_instaluj}" \
    bash "$run_src/scripts/test.sh" "$@"
fi

build=${VEL_BUILD_ROOT:-$src/build}
. "$src/scripts/wine/wine-env.sh"
cleanup() {
  local p
  if [ -n "${CI:-}" ]; then
    # Every prefix the tests used keeps a server alive: the shared one and
    # those at another DPI or colour scheme.
    for p in "$VEL_STATE_DIR"/prefix-*/; do
      [ -d "$p" ] && vel_wineserver_stop "${p%/}"
    done
  fi
}
trap cleanup EXIT

# The test build builds the two release builds into the folders it is given
# (target vel_release_builds), which its shipping.*, i686.*, release.* and
# hardening.* tests use.
cmake --preset tests -S "$src" -B "$build/tests" \
  -D VEL_RELEASE_DIR="$build/release" -D VEL_RELEASE_X64_DIR="$build/release-x64" >/dev/null
cmake --build "$build/tests"
vel_xvfb
# Start the shared prefix and its server now: the first test program would
# otherwise spend the test discovery's few seconds waiting for them.
prefix=$(vel_prefix test)
vel_wineserver "$prefix"
WINEPREFIX=$prefix "$VEL_WINE64" cmd /c exit >/dev/null 2>&1 || true
ctest --test-dir "$build/tests" -j2 --output-on-failure --timeout 300 "$@"
