#!/usr/bin/env bash
# Checks that the release product does not depend on where it was built: copies
# this source tree to another folder, builds the release preset there from
# nothing and compares the new exe with the given one, byte for byte.
# Exit 0: identical; 1: they differ (or the build failed); 77: the given exe is
# missing (not built here).
# Usage: scripts/check-reproducible.sh BUILT.exe [PRESET]
set -eu
ref=${1:?usage: scripts/check-reproducible.sh BUILT.exe [PRESET]}
preset=${2:-release}
src=$(cd "$(dirname "$0")/.." && pwd)
[ -f "$ref" ] || { echo "missing: $ref"; exit 77; }

tmp=$(mktemp -d "${TMPDIR:-/tmp}/vel-repro.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
# A path of another length than the original's: a build path that got into the
# exe would then shift everything after it too.
copy=$tmp/a-second-copy-of-the-source
mkdir -p "$copy"
(cd "$src" && tar --exclude=./build --exclude=./screenshots --exclude=./.git -cf - .) |
  (cd "$copy" && tar -xf -)
cmake --preset "$preset" -S "$copy" -B "$tmp/b" >/dev/null
if ! cmake --build "$tmp/b" -j "${VEL_REPRO_JOBS:-2}" --target vel_instaluj >"$tmp/build.log" 2>&1; then
  cat "$tmp/build.log"; exit 1
fi
a=$(sha256sum <"$ref" | cut -d' ' -f1)
b=$(sha256sum <"$tmp/b/wizard/vel_instaluj.exe" | cut -d' ' -f1)
echo "$a  $ref"
echo "$b  $copy (built again)"
if [ "$a" != "$b" ]; then
  echo "the two builds differ:"
  cmp -l "$ref" "$tmp/b/wizard/vel_instaluj.exe" | head -20
  exit 1
fi
echo "identical"
