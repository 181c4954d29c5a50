#!/usr/bin/env bash
# Builds the RTF reader and text flow natively with libFuzzer and the address
# and undefined-behaviour sanitizers (report/fuzz/CMakeLists.txt), then fuzzes them.
# Usage: scripts/analysis/fuzz-rtf.sh [seconds] [more libFuzzer options]   (default 60 s)
# New corpus entries go to report/fuzz/corpus-work; crashes to report/fuzz/out.
set -eu
src=$(cd "$(dirname "$0")/../.." && pwd)
secs=${1:-60}
shift || true
fuzz=$src/report/fuzz
out=$fuzz/out
build=$src/build/fuzz
mkdir -p "$out" "$fuzz/corpus-work"
cmake -S "$fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build"
cd "$out"
exec "$build/rtf_fuzz" -jobs=1 -workers=1 -max_total_time="$secs" -rss_limit_mb=1024 -timeout=10 \
  -max_len=65536 -print_final_stats=1 -artifact_prefix="$out/" "$@" \
  "$fuzz/corpus-work" "$fuzz/corpus"
