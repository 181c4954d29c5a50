#!/usr/bin/env bash
# The screenshot walk of scripts/run.sh as a test: the typical run of the given
# installer, a whole installation included, in a fresh prefix of its own (the
# walk expects the target folder not to exist yet), named after OUT and set up
# with the given settings of vel_prefix (wine-env.sh: --dpi N, --high-contrast,
# --i686); the pictures stay in OUT.
# Usage: walk-test.sh E2E_WALK.exe INSTALLER.exe OUT [PREFIX SETTINGS...]
set -eu
walk=$1 installer=$2 out=$3
shift 3
[ -f "$installer" ] || { echo "missing: $installer"; exit 77; }
. "$(cd "$(dirname "$0")/../.." && pwd)/scripts/wine/wine-env.sh"
vel_xvfb
prefix=$(vel_prefix "$(basename "$out")" --fresh "$@")
export WINEPREFIX=$prefix
rm -rf "$out"; mkdir -p "$out"
log=$out/walk.log
rc=0
"$(vel_wine64 "$prefix")" "$walk" --installer "Z:${installer//\//\\}" --out "Z:${out//\//\\}" \
  >"$log" 2>&1 </dev/null || rc=$?
"$VEL_WINESERVER" -w
cat "$log"
[ $rc = 0 ] || { echo "the walk failed (exit $rc)"; exit 1; }
shots=$(find "$out" -name '*.bmp' | wc -l)
echo "$shots pictures in $out"
[ "$shots" -ge 8 ] || { echo "too few pictures"; exit 1; }
