#!/usr/bin/env bash
# Builds the 32-bit release product and the 64-bit test build, then runs every
# test under Wine. Usage: scripts/test.sh [extra ctest arguments]
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
bash "$src/scripts/install-deps.sh"

if [ "$(id -u)" = 0 ] && [ -z "${VEL_ALLOW_ROOT:-}" ]; then
  # Wine running as root lets a write onto a read-only file through, where
  # Windows refuses it: the tests run as an unprivileged user.
  id -u veltest >/dev/null 2>&1 || useradd -m -s /bin/bash veltest
  if [ -f "$src/scripts/cups-setup.sh" ]; then bash "$src/scripts/cups-setup.sh"; fi
  # A small file system of its own, which the full-disk tests fill up.
  small=/tmp/vel-small-disk
  mkdir -p "$small"
  mountpoint -q "$small" ||
    mount -t tmpfs -o "size=512k,mode=0700,uid=$(id -u veltest),gid=$(id -g veltest)" tmpfs "$small" ||
    echo "test.sh: no small file system: the full-disk tests will be skipped" >&2
  mountpoint -q "$small" && export VEL_SMALL_DISK=$small
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
  # A second run beside this one gives its own display and state folder.
  exec runuser -u veltest -- env CI="${CI:-}" VEL_SMALL_DISK="${VEL_SMALL_DISK:-}" VEL_BUILD_ROOT=/home/veltest/vel-build/$key \
    VEL_XVFB_DISPLAY="${VEL_XVFB_DISPLAY:-:77}" VEL_STATE_DIR="${VEL_STATE_DIR:-/home/veltest/.cache/vel_instaluj}" \
    bash "$run_src/scripts/test.sh" "$@"
fi

build=${VEL_BUILD_ROOT:-$src/build}
. "$src/scripts/wine-env.sh"
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

cmake --preset release -S "$src" -B "$build/release" >/dev/null
cmake --build "$build/release"
# The same release configuration for x86_64: the shipping build the e2e tests also run.
cmake --preset release-x64 -S "$src" -B "$build/release-x64" >/dev/null
cmake --build "$build/release-x64"
cmake --preset tests -S "$src" -B "$build/tests" >/dev/null
cmake --build "$build/tests"
vel_xvfb
# Start the shared prefix and its server now: the first test program would
# otherwise spend the test discovery's few seconds waiting for them.
prefix=$(vel_prefix test)
vel_wineserver "$prefix"
WINEPREFIX=$prefix "$VEL_WINE64" cmd /c exit >/dev/null 2>&1 || true
ctest --test-dir "$build/tests" -j2 --output-on-failure --timeout 300 "$@"
