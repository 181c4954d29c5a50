#!/usr/bin/env bash
# Counts the checks (EXPECT_*/ASSERT_*) the test suite executes, at each commit
# given, and compares them per test program. Measurement only: the tests and
# the normal build stay as they are.
# Usage, as root (it goes on as veltest, as scripts/test.sh does) from a checkout:
#   VEL_XVFB_DISPLAY=:82 VEL_STATE_DIR=/home/veltest/.cache/vel-x \
#     bash scripts/analysis/count-checks.sh COMMIT [COMMIT...]
# Each commit is unpacked (git archive) into $VEL_COUNT_DIR/<commit>/src
# (default /home/veltest/vel-count); its test build is configured with
# count-checks.h forced into every C++ unit, and that commit's own
# scripts/test.sh builds it and runs ctest, every gtest program run appending
# its count to <commit>/checks.tsv. Printed: per commit the checks executed, the
# tests ctest ran and passed; a table of checks per test program; the test runs
# whose count differs between the first and the last commit go to
# $VEL_COUNT_DIR/diff-<first>-<last>.tsv.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=${VEL_COUNT_DIR:-/home/veltest/vel-count}
[ $# -gt 0 ] || { echo "usage: count-checks.sh COMMIT [COMMIT...]" >&2; exit 2; }

if [ "${1:-}" != --unpacked ]; then
  repo=$(git -C "$here" rev-parse --show-toplevel)
  shas=
  for c in "$@"; do
    sha=$(git -C "$repo" rev-parse --short=7 "$c^{commit}")
    rm -rf "$root/$sha/src"; mkdir -p "$root/$sha/src"
    git -C "$repo" archive "$sha" | tar -x -C "$root/$sha/src"
    shas="$shas $sha"
  done
  mkdir -p "$root/tool"
  # -p: a header no newer than the last build's objects rebuilds nothing.
  cp -p "$here/count-checks.sh" "$here/count-checks.h" "$root/tool/"
  if [ "$(id -u)" = 0 ]; then
    id -u veltest >/dev/null 2>&1 || bash "$repo/scripts/setup/prepare-test-machine.sh"
    chown -R veltest: "$root"
    small=
    mountpoint -q /tmp/vel-small-disk && small=/tmp/vel-small-disk
    # shellcheck disable=SC2086
    exec runuser -u veltest -- env VEL_SMALL_DISK="$small" VEL_COUNT_DIR="$root" \
      VEL_XVFB_DISPLAY="${VEL_XVFB_DISPLAY:-:77}" VEL_STATE_DIR="${VEL_STATE_DIR:-/home/veltest/.cache/vel_instaluj}" \
      bash "$root/tool/count-checks.sh" --unpacked $shas
  fi
  # shellcheck disable=SC2086
  set -- --unpacked $shas
fi
shift
hdr=$root/tool/count-checks.h
# The release builds are built one after the other below, not inside the test
# build's own parallel build.
export CMAKE_BUILD_PARALLEL_LEVEL=2

for sha in "$@"; do
  d=$root/$sha b=$root/$sha/build
  rm -f "$d/checks.tsv" "$d/ctest.xml"
  echo "== $sha: building and testing (log: $d/test.log)" >&2
  cmake --preset tests -S "$d/src" -B "$b/tests" -D CMAKE_CXX_FLAGS="-include $hdr" \
    -D VEL_RELEASE_DIR="$b/release" -D VEL_RELEASE_X64_DIR="$b/release-x64" >"$d/test.log" 2>&1
  if grep -q vel_release_builds "$d/src/CMakeLists.txt"; then
    cmake --build "$b/tests" --target vel_release_builds >>"$d/test.log" 2>&1
  fi
  # The file as the Windows test programs open it.
  win=$d/checks.tsv
  win=Z:${win//\//\\}
  VEL_BUILD_ROOT=$b VEL_CHECK_COUNT_FILE=$win bash "$d/src/scripts/test.sh" --output-junit "$d/ctest.xml" \
    >>"$d/test.log" 2>&1 || true
  [ -s "$d/ctest.xml" ] || { echo "count-checks: $sha: ctest did not run, see $d/test.log" >&2; exit 1; }
done

python3 - "$root" "$@" <<'EOF'
import collections, re, sys, xml.etree.ElementTree as ET
root, shas = sys.argv[1], sys.argv[2:]

def variant(prefix, installer, locale):
    v = []
    if 'release-x64' in installer: v.append('shipping')
    elif re.search(r'[/\\]release[/\\]', installer): v.append('i686')
    elif prefix.split()[0] not in ('-', 'test'): v.append(prefix.split()[0])
    if locale.startswith('en_'): v.append('english')
    return ' '.join(v)

per_prog, per_run = {}, {}
for sha in shas:
    progs, runs, recorded = collections.Counter(), collections.Counter(), 0
    for line in open(f'{root}/{sha}/checks.tsv', encoding='utf-8', errors='replace'):
        prog, checks, _run, _skip, filt, prefix, installer, locale = line.rstrip('\r\n').split('\t')
        key = prog + (f' [{variant(prefix, installer, locale)}]' if variant(prefix, installer, locale) else '')
        progs[key] += int(checks); runs[(key, filt)] += int(checks); recorded += 1
    cases = ET.parse(f'{root}/{sha}/ctest.xml').getroot().iter('testcase')
    total = failed = skipped = gtest_runs = 0
    for c in cases:
        total += 1
        status = c.get('status')
        if c.find('skipped') is not None or status in ('notrun', 'disabled'): skipped += 1
        elif status == 'fail' or c.find('failure') is not None: failed += 1
        out = c.findtext('system-out') or ''
        gtest_runs += len(re.findall(r'^\[==========\] Running \d+ tests?', out, re.M))
    per_prog[sha], per_run[sha] = progs, runs
    print(f'{sha}: {sum(progs.values())} checks executed; ctest ran {total} tests: {total - failed - skipped} passed, '
          f'{failed} failed, {skipped} skipped; gtest runs recorded {recorded}, ctest saw {gtest_runs}')

names = sorted(set().union(*per_prog.values()))
w = max(len(n) for n in names)
print(f'\n{"test program":<{w}}' + ''.join(f'{s:>10}' for s in shas) + ('      diff' if len(shas) > 1 else ''))
for n in names + ['total']:
    v = [sum(per_prog[s].values()) if n == 'total' else per_prog[s][n] for s in shas]
    print(f'{n:<{w}}' + ''.join(f'{x:>10}' for x in v) + (f'{v[-1] - v[0]:>+10}' if len(shas) > 1 else ''))
if len(shas) > 1:
    a, b = per_run[shas[0]], per_run[shas[-1]]
    path = f'{root}/diff-{shas[0]}-{shas[-1]}.tsv'
    with open(path, 'w') as f:
        for k in sorted(set(a) | set(b)):
            if a.get(k) != b.get(k):
                f.write(f'{k[0]}\t{k[1]}\t{a.get(k, "-")}\t{b.get(k, "-")}\n')
    print(f'\nruns whose count differs: {path}')
EOF
