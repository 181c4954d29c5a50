#!/usr/bin/env bash
# Checks that the release product does not depend on where it was built: copies
# this source tree to another folder, builds the release preset there from
# nothing and compares the new exe with the given one, byte for byte. The same
# for the exe sealed with a payload's list: the list of the given build
# (seal/payload.seal, from the last medium laid out; else of its sample
# payload) sealed into both builds.
# Exit 0: identical; 1: they differ (or the build failed); 77: the given exe is
# missing (not built here).
# Usage: scripts/check/check-reproducible.sh BUILT.exe [PRESET]
set -eu
ref=${1:?usage: scripts/check/check-reproducible.sh BUILT.exe [PRESET]}
preset=${2:-release}
src=$(cd "$(dirname "$0")/../.." && pwd)
[ -f "$ref" ] || { echo "missing: $ref"; exit 77; }

tmp=$(mktemp -d "${TMPDIR:-/tmp}/vel-repro.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
# A path of another length than the original's: a build path that got into the
# exe would then shift everything after it too.
copy=$tmp/a-second-copy-of-the-source
mkdir -p "$copy"
(cd "$src" && tar --exclude=./build --exclude=./screenshots --exclude=./.git -cf - .) |
  (cd "$copy" && tar -xf -)
refbuild=$(cd "$(dirname "$ref")/.." && pwd)
seal=$refbuild/seal/payload.seal
[ -f "$seal" ] || python3 "$src/scripts/release/seal-payload.py" "$refbuild/wizard/RunImage" "$seal"
cmake --build "$refbuild" --target vel_instaluj_sealed >"$tmp/build.log" 2>&1 || { cat "$tmp/build.log"; exit 1; }
mkdir -p "$tmp/b/seal"
cp "$seal" "$tmp/b/seal/payload.seal"
cmake --preset "$preset" -S "$copy" -B "$tmp/b" >/dev/null
if ! cmake --build "$tmp/b" -j "${VEL_REPRO_JOBS:-2}" --target vel_instaluj vel_instaluj_sealed >"$tmp/build.log" 2>&1; then
  cat "$tmp/build.log"; exit 1
fi

# same A B: the two files are byte-identical.
same() {
  local a b
  a=$(sha256sum <"$1" | cut -d' ' -f1)
  b=$(sha256sum <"$2" | cut -d' ' -f1)
  echo "$a  $1"
  echo "$b  $2 (built again)"
  [ "$a" = "$b" ] && return 0
  echo "the two builds differ:"
  cmp -l "$1" "$2" | head -20
  return 1
}
same "$ref" "$tmp/b/wizard/vel_instaluj.exe" || exit 1
same "$refbuild/wizard/sealed/vel_instaluj.exe" "$tmp/b/wizard/sealed/vel_instaluj.exe" || exit 1
echo "identical"
