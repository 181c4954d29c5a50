#!/usr/bin/env bash
# Times the ways of copying a tree on this machine, several runs each, into an
# empty target: the engine (CopyFolderTreeKeepSource) as the install window
# runs it (the room checked, the progress shown on a busy window's bar), the
# same without an observer (plain: what the progress costs), the engine as a sealed
# medium uses it (the tree checked against its list, every file hashed as it
# is copied), the floor (a bare FindFirstFileW + CopyFileW loop), Wine's xcopy
# in the same prefix and the host's cp -a; and, as the least the hashing of a
# sealed copy costs, the system's SHA-256 alone (hash: every file listed, read
# and hashed through bcrypt.dll as the sealed copy does, nothing copied) and
# the host's sha256sum over the same files. A sealed copy is then measured
# against the larger of the floor and the hash-only run, run by run. Two
# trees: 5,000 small files and 40 files of 8 MB. Then the memory that listing
# 100,000 files costs.
# Usage: bench/copy-bench.sh [BUILD_DIR]   (default build/tests; RUNS=5)
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$src/build/tests}" && pwd)
exe=$build/bench/copy_bench.exe
runs=${RUNS:-5}
out=${VEL_BENCH_OUT:-$src/bench/out}
[ -f "$exe" ] || { echo "no $exe: build the copy_bench target first" >&2; exit 1; }
mkdir -p "$out"

. "$src/scripts/wine/wine-env.sh"
vel_xvfb
WINEPREFIX=$(vel_prefix bench)
export WINEPREFIX
vel_wineserver "$WINEPREFIX"
"$VEL_WINE64" "$exe" >/dev/null 2>&1 </dev/null || true   # first start of a prefix is slow

winpath() { local p=${1//\//\\}; echo "Z:$p"; }
# The figures are written and read with decimal points, whatever the locale.
awk() { LC_ALL=C command awk "$@"; }
sort() { LC_ALL=C command sort "$@"; }
now_ns() { date +%s%N; }
median() { sort -n | awk '{a[NR]=$1} END {print (NR%2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }
median_of() { echo $1 | tr ' ' '\n' | median; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a/b}'; }
paired() {  # "a1 a2 .." "b1 b2 ..": the ratios a_i/b_i
  paste -d' ' <(echo $1 | tr ' ' '\n') <(echo $2 | tr ' ' '\n') |
    awk '{printf "%.3f ", $1/$2}'
}
larger_each() {  # "a1 a2 .." "b1 b2 ..": max(a_i, b_i)
  paste -d' ' <(echo $1 | tr ' ' '\n') <(echo $2 | tr ' ' '\n') |
    awk '{printf "%s ", ($1 > $2) ? $1 : $2}'
}
count_files() { find "$1" -type f | wc -l; }

make_tree() {  # kind folder
  [ -f "$2.done" ] && return 0
  rm -rf "$2"
  python3 "$src/bench/make_tree.py" "$1" "$2"
  python3 "$src/scripts/release/seal-payload.py" "$2" "$2.seal"
  touch "$2.done"
}

# run_one method source target: prints "wall_ms internal_ms"
run_one() {
  local method=$1 s=$2 t=$3 log=$out/last.log t0 wall internal=-
  rm -rf "$t"
  sync   # the previous run's writes are flushed now, not during this one
  t0=$(now_ns)
  case $method in
    keep|plain|floor) "$VEL_WINE64" "$exe" "$method" "$(winpath "$s")" "$(winpath "$t")" >"$log" 2>&1 </dev/null ;;
    hash) "$VEL_WINE64" "$exe" hash "$(winpath "$s")" >"$log" 2>&1 </dev/null ;;
    sealed) "$VEL_WINE64" "$exe" sealed "$(winpath "$s")" "$(winpath "$t")" "$(winpath "$s.seal")" \
              >"$log" 2>&1 </dev/null ;;
    sha256sum) (cd "$s" && find . -type f -print0 | xargs -0 sha256sum >/dev/null) 2>"$log" ;;
    xcopy) "$VEL_WINE64" xcopy /E /I /H /K /Y "$(winpath "$s")" "$(winpath "$t")" >"$log" 2>&1 </dev/null ;;
    cp) cp -a "$s" "$t" >"$log" 2>&1 ;;
  esac || { echo "$method failed:" >&2; cat "$log" >&2; exit 1; }
  wall=$(( ($(now_ns) - t0) / 1000000 ))
  # The figures' line only: Wine may say something of its own beside it.
  case $method in keep|plain|floor|sealed|hash) internal=$(awk '$1 == "ms" {print $2}' "$log" | tr -d '\r') ;; esac
  local want got
  if [ "$method" != sha256sum ] && [ "$method" != hash ]; then
    want=$(count_files "$s"); got=$(count_files "$t")
    [ "$want" = "$got" ] || { echo "$method copied $got of $want files" >&2; exit 1; }
  fi
  echo "$wall $internal"
}

bench_tree() {  # kind description
  local kind=$1 s=$out/src-$1 t=$out/dst-$1 m r line
  make_tree "$kind" "$s"
  declare -A wall internal
  local order=(keep plain sealed floor hash xcopy cp sha256sum) k n=8
  for m in "${order[@]}"; do wall[$m]=; internal[$m]=; done
  for r in $(seq "$runs"); do
    # Interleaved, each round starting with the next method, so drift in the
    # machine's load and the position in a round hit every method alike.
    for k in $(seq 0 $((n - 1))); do
      m=${order[(r + k) % n]}
      line=$(run_one "$m" "$s" "$t")
      wall[$m]+="${line% *} "; internal[$m]+="${line#* } "
    done
  done
  rm -rf "$t"
  echo
  echo "$2: median of $runs runs"
  echo "  wall = whole process incl. Wine start-up; in-exe = the copy (or hashing) call alone;"
  echo "  ratio = ratio of the medians; paired = median of each run's ratio to the floor's run"
  printf '  %-9s %9s %7s %7s %10s %7s %7s\n' method wall_ms ratio paired in-exe_ms ratio paired
  for m in "${order[@]}"; do
    local w wr wp i=- ir=- ip=-
    w=$(median_of "${wall[$m]}")
    wr=$(ratio "$w" "$(median_of "${wall[floor]}")")
    wp=$(median_of "$(paired "${wall[$m]}" "${wall[floor]}")")
    if [[ " keep plain sealed floor hash " == *" $m "* ]]; then
      i=$(median_of "${internal[$m]}")
      ir=$(ratio "$i" "$(median_of "${internal[floor]}")")
      ip=$(median_of "$(paired "${internal[$m]}" "${internal[floor]}")")
    fi
    printf '  %-9s %9s %7s %7s %10s %7s %7s\n' "$m" "$w" "$wr" "$wp" "$i" "$ir" "$ip"
  done
  # A sealed copy must at least read and hash every byte: its limit is the
  # larger of the floor and the host's own hashing, run by run.
  local limit
  limit=$(larger_each "${wall[floor]}" "${wall[sha256sum]}")
  echo "  sealed against the larger of floor and sha256sum (wall, paired): $(median_of "$(paired "${wall[sealed]}" "$limit")")"
  # The same with the system's own hashing under Wine, which is what a sealed
  # copy really calls; the in-exe figures leave Wine's start-up out.
  local limit_wall limit_in
  limit_wall=$(larger_each "${wall[floor]}" "${wall[hash]}")
  limit_in=$(larger_each "${internal[floor]}" "${internal[hash]}")
  echo "  sealed against the larger of floor and hash (paired): wall $(median_of "$(paired "${wall[sealed]}" "$limit_wall")"), in-exe $(median_of "$(paired "${internal[sealed]}" "$limit_in")")"
}

bench_tree small "tree (a): 5,000 files of 1-16 KB in nested folders"
bench_tree large "tree (b): 40 files of 8 MB"

make_tree many "$out/src-many"
echo
echo "listing 100,000 files with ListFilesRecursive (3 runs):"
for r in 1 2 3; do
  echo "  $("$VEL_WINE64" "$exe" list "$(winpath "$out/src-many")" </dev/null | tr -d '\r')"
done
