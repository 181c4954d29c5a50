#!/usr/bin/env bash
# The hardening check must notice each loss: copies of a good exe, each with
# one property taken away in its headers or resources, must fail, naming it.
# So must the imports check a copy that imports a function Windows 7 lacks.
# Usage: hardening-loss-test.sh PROGRAM.exe...
set -u
checks=$(cd "$(dirname "$0")/../.." && pwd)/scripts/check
check=$checks/check-hardening.py
tmp=$(mktemp -d "${TMPDIR:-/tmp}/vel-hardening.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
failures=0

u32() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }
u16() { od -An -tu2 -j "$2" -N2 "$1" | tr -d ' '; }
put16() {
  printf "$(printf '\\%03o\\%03o' $(($3 & 255)) $(($3 >> 8)))" |
    dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}

# expect_lost NAME WORDS: the check fails on the copy and says WORDS.
expect_lost() {
  local out
  if out=$(python3 "$check" "$tmp/$1.exe"); then
    echo "FAIL: the check passed an exe with $1"; failures=$((failures + 1))
  elif ! grep -q "lost: .*$2" <<<"$out"; then
    echo "FAIL: with $1 the check said: $out"; failures=$((failures + 1))
  else
    echo "caught: $out"
  fi
}

# expect_refused NAME FUNCTION: the imports check fails on the copy, naming it.
expect_refused() {
  local out
  if out=$(bash "$checks/check-imports.sh" "$tmp/$1.exe"); then
    echo "FAIL: the imports check passed an exe with $1"; failures=$((failures + 1))
  elif ! grep -q "imports $2 from" <<<"$out"; then
    echo "FAIL: with $1 the imports check said: $out"; failures=$((failures + 1))
  else
    echo "caught: $(head -c 120 <<<"$out")..."
  fi
}

for exe in "$@"; do
  [ -f "$exe" ] || { echo "missing: $exe"; exit 77; }
  python3 "$check" "$exe" || { echo "FAIL: the original itself does not pass"; exit 1; }
  bash "$checks/check-imports.sh" "$exe" || { echo "FAIL: the original itself does not pass the imports check"; exit 1; }
  pe=$(u32 "$exe" 60)
  opt=$((pe + 24))
  flags=$((opt + 70))
  dirs=$((opt + 96)); [ "$(u16 "$exe" $opt)" = 523 ] && dirs=$((opt + 112))  # 0x20b: PE32+
  for name in no-aslr no-dep no-relocs other-version changed-manifest older-subsystem older-os newer-import; do
    cp "$exe" "$tmp/$name.exe"
  done
  put16 "$tmp/no-aslr.exe" $flags $(($(u16 "$exe" $flags) & ~0x40))
  put16 "$tmp/no-dep.exe" $flags $(($(u16 "$exe" $flags) & ~0x100))
  put16 "$tmp/no-relocs.exe" $((dirs + 5 * 8 + 4)) 0
  put16 "$tmp/no-relocs.exe" $((dirs + 5 * 8 + 6)) 0
  # The product version as text, UTF-16: 3.51 becomes 3.52.
  perl -0777 -pi -e '($k, $v) = map { join "\x00", split // } "ProductVersion", "3.5";
    s/(\Q$k\E\x00{3}(?:\x00\x00)?\Q$v\E\x00)1/${1}2/' "$tmp/other-version.exe"
  perl -0777 -pi -e 's/requestedExecutionLevel level/requestedExecutionLevel lewel/' "$tmp/changed-manifest.exe"
  # The oldest Windows lowered: subsystem 6.1 to 6.0 (Vista), OS 6.1 to 5.1 (XP).
  put16 "$tmp/older-subsystem.exe" $((opt + 50)) 0
  put16 "$tmp/older-os.exe" $((opt + 40)) 5
  # CopyFileExW imported as CopyFile2, which came with Windows 8 (the name
  # padded with zeros to the same length).
  perl -0777 -pi -e 's/CopyFileExW\x00/CopyFile2\x00\x00\x00/ or die "no CopyFileExW import\n"' "$tmp/newer-import.exe" ||
    failures=$((failures + 1))
  expect_lost no-aslr "no dynamic base"
  expect_lost no-dep "not NX compatible"
  expect_lost no-relocs "0 relocations"
  expect_lost other-version "instead of 3.51"
  expect_lost changed-manifest "the manifest differs"
  expect_lost older-subsystem "subsystem version 6.0 instead of 6.1"
  expect_lost older-os "OS version 5.1 instead of 6.1"
  expect_refused newer-import CopyFile2
done
[ $failures = 0 ]
