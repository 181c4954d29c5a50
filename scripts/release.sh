#!/usr/bin/env bash
# Builds the 32-bit release and lays out the folder a vendor copies onto the
# installation medium: vel_instaluj.exe, the RunImage folder beside it and
# SHA256SUMS over every file; with --zip also a zip of the same. The exe on the
# medium is sealed: it carries the list of every RunImage file with its size
# and SHA-256, and refuses a medium that differs from it. Given a certificate
# and its key, it is signed (Authenticode), which so covers the payload too;
# without them it is the sealed exe the build made, byte for byte.
# Usage: scripts/release.sh [options] [PAYLOAD]
#   PAYLOAD           the application folder shipped as RunImage, with Vel.exe
#                     at its top (default: the sample payload the build makes)
#   --out DIR         the medium folder (default build/medium); a medium laid
#                     out there before is replaced
#   --zip             also DIR.zip
#   --cert FILE       code-signing certificate, PEM (may hold the chain) or DER
#   --key FILE        its private key, PEM or DER
#   --pass-file FILE  the key's password, when the key is encrypted
#   --timestamp URL   an RFC 3161 time-stamp server (optional)
#   --build DIR       the release build folder (default build/release)
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
root=${VEL_BUILD_ROOT:-$src/build}
build=$root/release out=$root/medium zip= cert= key= pass= tsa= payload=

die() { echo "release: $*" >&2; exit 1; }
usage() { sed -n '/^# Usage/,/^set -eu/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2; exit 2; }

parse_args() {
  while [ $# -gt 0 ]; do
    case $1 in
      --out) out=${2:?}; shift ;;
      --zip) zip=1 ;;
      --cert) cert=${2:?}; shift ;;
      --key) key=${2:?}; shift ;;
      --pass-file) pass=${2:?}; shift ;;
      --timestamp) tsa=${2:?}; shift ;;
      --build) build=${2:?}; shift ;;
      -h|--help) usage ;;
      -*) echo "release: unknown option $1" >&2; usage ;;
      *) [ -z "$payload" ] || usage; payload=$1 ;;
    esac
    shift
  done
  if [ -n "$cert" ] || [ -n "$key" ]; then
    [ -n "$cert" ] && [ -n "$key" ] || die "signing needs both --cert and --key"
    [ -r "$cert" ] || die "certificate $cert cannot be read"
    [ -r "$key" ] || die "key $key cannot be read"
  fi
  [ -z "$pass" ] || [ -r "$pass" ] || die "password file $pass cannot be read"
  [ -z "$tsa$pass" ] || [ -n "$cert" ] || die "--timestamp and --pass-file go with --cert and --key"
}

# The payload must hold the program the shortcuts start. The medium's file
# system, like Windows, may not tell letter case apart: Vel.exe is found in
# any case, and two names differing only in case could not both be shipped.
check_payload() {
  [ -d "$1" ] || die "payload folder $1 does not exist"
  local main clashes
  main=$(find -L "$1" -mindepth 1 -maxdepth 1 -type f -iname vel.exe -printf '%f\n')
  [ -n "$main" ] || die "payload folder $1 has no Vel.exe at its top"
  [ "$main" = Vel.exe ] || [ "$(echo "$main" | wc -l)" -gt 1 ] ||
    echo "release: the main program is named $main; Windows finds it as Vel.exe"
  clashes=$(cd "$1" && find -L . -mindepth 1 -printf '%P\n' | LC_ALL=C.UTF-8 sed 's/.*/\L&\E\t&/' |
    LC_ALL=C sort | awk -F'\t' '{ names[$1] = names[$1] "  " $2 "\n"; n[$1]++ }
      END { for (k in n) if (n[k] > 1) printf "%s", names[k] }')
  [ -z "$clashes" ] || die "payload names that differ only in letter case:
$clashes"
}

# The medium folder is replaced: never a folder that is not a medium of ours,
# nor one inside the payload or holding it.
prepare_out() {
  local p o
  o=$(realpath -m "$out") p=$(realpath -m "$payload")
  case "$p/" in "$o"/*) die "the payload $payload lies inside the medium folder $out" ;; esac
  case "$o/" in "$p"/*) die "the medium folder $out lies inside the payload $payload" ;; esac
  if [ -n "$(ls -A "$out" 2>/dev/null)" ] && ! [ -f "$out/SHA256SUMS" -a -f "$out/vel_instaluj.exe" ]; then
    die "$out is not empty and holds no earlier medium; give a new or empty folder"
  fi
  mkdir -p "$out"
  find "$out" -mindepth 1 -delete
}

build_release() {
  bash "$src/scripts/setup/install-deps.sh"
  cmake --preset release -S "$src" -B "$build" >/dev/null
  cmake --build "$build" -j2
}

# The exe for this medium: the release program with the list of the RunImage
# laid out on it, so it is sealed from the very files that ship.
build_sealed() {
  python3 "$src/scripts/release/seal-payload.py" "$out/RunImage" "$build/seal/payload.seal" ||
    die "the payload cannot be sealed (above)"
  cmake --build "$build" --target vel_instaluj_sealed >/dev/null || die "the sealed exe did not build"
  exe=$build/wizard/sealed/vel_instaluj.exe
  "$src/scripts/check/check-imports.sh" "$exe" && python3 "$src/scripts/check/check-hardening.py" "$exe" ||
    die "the built exe is not fit to ship (above)"
}

place_exe() {
  if [ -z "$cert" ]; then
    cp "$exe" "$out/vel_instaluj.exe"
    return
  fi
  local args=(sign -certs "$cert" -key "$key" -h sha256 -n "Instalator programu Velandra")
  [ -z "$pass" ] || args+=(-readpass "$pass")
  [ -z "$tsa" ] || args+=(-ts "$tsa")
  osslsigncode "${args[@]}" -in "$exe" -out "$out/vel_instaluj.exe" >/dev/null ||
    die "signing failed (osslsigncode above)"
  python3 "$src/scripts/check/check-hardening.py" "$out/vel_instaluj.exe" >/dev/null ||
    die "the signed exe lost what the built one had"
  echo "signed with $(openssl x509 -in "$cert" -noout -subject 2>/dev/null ||
    openssl x509 -inform der -in "$cert" -noout -subject)"
}

write_sums() {
  local sums
  sums=$(cd "$out" && find . -type f -printf '%P\0' | LC_ALL=C sort -z | xargs -0 sha256sum --)
  printf '%s\n' "$sums" >"$out/SHA256SUMS"
}

make_zip() {
  local z
  z=$(cd "$(dirname "$out")" && pwd)/$(basename "$out").zip
  rm -f "$z"
  (cd "$out" && zip -qrX "$z" .)
  echo "zip: $z"
}

parse_args "$@"
# A payload given is checked before the build, to fail fast.
[ -z "$payload" ] || check_payload "$payload"
build_release
[ -n "$payload" ] || { payload=$build/wizard/RunImage; check_payload "$payload"; }
prepare_out
mkdir "$out/RunImage"
cp -RL --preserve=timestamps "$payload/." "$out/RunImage/"
build_sealed
place_exe
write_sums
[ -z "$zip" ] || make_zip
echo "medium: $out ($(stat -c %s "$out/vel_instaluj.exe") bytes vel_instaluj.exe," \
  "$(find "$out/RunImage" -type f | wc -l) files in RunImage)"
