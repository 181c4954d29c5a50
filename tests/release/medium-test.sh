#!/usr/bin/env bash
# scripts/release.sh as a vendor uses it: bad payloads refused with a clear
# error, the sample medium laid out with checksums and zip and its exe sealed
# with the payload's list, an own payload shipped as given, and signing with a
# throwaway certificate that osslsigncode accepts while the exe keeps its
# imports, manifest, resources and seal.
# Usage: medium-test.sh RELEASE_BUILD_DIR
set -u
build=${1:?usage: medium-test.sh RELEASE_BUILD_DIR}
src=$(cd "$(dirname "$0")/../.." && pwd)
built=$build/wizard/vel_instaluj.exe
sealed=$build/wizard/sealed/vel_instaluj.exe
tmp=$(mktemp -d "${TMPDIR:-/tmp}/vel-medium.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
release() { bash "$src/scripts/release.sh" --build "$build" "$@" >"$tmp/log" 2>&1; }

# refused WORDS ARGS...: release.sh fails and says WORDS.
refused() {
  local words=$1; shift
  if release "$@"; then fail "release.sh $* succeeded"; return; fi
  grep -q "release: .*$words" "$tmp/log" || { fail "release.sh $* said:"; cat "$tmp/log"; }
}

# sums_hold MEDIUM: SHA256SUMS lists every other file and every sum holds.
sums_hold() {
  local listed files
  listed=$(cut -c67- "$1/SHA256SUMS" | sort)
  files=$(cd "$1" && find . -type f ! -name SHA256SUMS -printf '%P\n' | sort)
  [ "$listed" = "$files" ] || fail "SHA256SUMS of $1 lists: $listed"
  (cd "$1" && sha256sum --quiet -c SHA256SUMS) || fail "a sum in $1 does not hold"
}

bad_payloads() {
  mkdir -p "$tmp/empty" "$tmp/clash/Dane" "$tmp/clash/dane" "$tmp/other"
  touch "$tmp/clash/Vel.exe" "$tmp/other/x.txt"
  refused "does not exist" --out "$tmp/m" "$tmp/no-such-folder"
  refused "has no Vel.exe at its top" --out "$tmp/m" "$tmp/empty"
  refused "differ only in letter case" --out "$tmp/m" "$tmp/clash"
  refused "holds no earlier medium" --out "$tmp/other"
  [ -e "$tmp/other/x.txt" ] || fail "a folder that was no medium lost its files"
}

# carries_seal EXE MEDIUM: the exe holds the list line of each RunImage file
# of the medium (sum, size, path with backslashes).
carries_seal() {
  local sum size path missing=0
  while read -r sum path; do
    case $path in RunImage/*) ;; *) continue ;; esac
    path=${path#RunImage/} size=$(stat -c %s "$2/RunImage/$path")
    grep -qaF "$sum $size ${path//\//\\}" "$1" || missing=$((missing + 1))
  done <"$2/SHA256SUMS"
  [ $missing = 0 ]
}

sample_medium() {
  release --zip --out "$tmp/sample" || { fail "the sample medium"; cat "$tmp/log"; return; }
  cmp -s "$sealed" "$tmp/sample/vel_instaluj.exe" || fail "without a certificate the exe is not the sealed one built"
  carries_seal "$tmp/sample/vel_instaluj.exe" "$tmp/sample" || fail "the exe lacks the list of its RunImage"
  ! grep -qa "$(grep ' RunImage/Vel.exe$' "$tmp/sample/SHA256SUMS" | cut -c1-64)" "$built" ||
    fail "the plain exe carries a list"
  diff -r "$build/wizard/RunImage" "$tmp/sample/RunImage" || fail "RunImage is not the sample payload"
  sums_hold "$tmp/sample"
  [ "$(unzip -Z1 "$tmp/sample.zip" | grep -v '/$' | sort)" = "$(cd "$tmp/sample" && find . -type f -printf '%P\n' | sort)" ] ||
    fail "the zip holds other files than the medium"
}

own_payload() {
  mkdir -p "$tmp/app/Dane"
  echo program >"$tmp/app/VEL.EXE"
  echo data >"$tmp/app/Dane/tablica.ini"
  release --out "$tmp/own" "$tmp/app" || { fail "a payload with VEL.EXE"; cat "$tmp/log"; return; }
  diff -r "$tmp/app" "$tmp/own/RunImage" || fail "RunImage is not the payload given"
  sums_hold "$tmp/own"
  carries_seal "$tmp/own/vel_instaluj.exe" "$tmp/own" || fail "the exe lacks the list of its own payload"
  # Laid out again over itself: replaced, nothing left of the sample before.
  release --out "$tmp/sample" "$tmp/app" && diff -r "$tmp/app" "$tmp/sample/RunImage" ||
    fail "a medium laid out again keeps what it had"
}

# A throwaway CA and a code-signing certificate it issued, with an encrypted key.
make_certificates() {
  cd "$tmp" || return
  openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 -subj "/CN=Throwaway test CA" \
    -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign 2>/dev/null
  echo "a throwaway password" >pass
  openssl req -newkey rsa:2048 -keyout signer.key -passout file:pass -out signer.csr \
    -subj "/CN=Throwaway test signer" 2>/dev/null
  printf 'basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' >ext
  openssl x509 -req -in signer.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2 -extfile ext \
    -out signer.pem 2>/dev/null
  cd - >/dev/null
}

signed_medium() {
  make_certificates
  refused "needs both --cert and --key" --out "$tmp/signed" --cert "$tmp/signer.pem"
  release --out "$tmp/signed" --cert "$tmp/signer.pem" --key "$tmp/signer.key" --pass-file "$tmp/pass" ||
    { fail "signing"; cat "$tmp/log"; return; }
  local exe=$tmp/signed/vel_instaluj.exe
  echo "signed: $(stat -c %s "$exe") bytes, unsigned: $(stat -c %s "$built") bytes"
  osslsigncode verify -in "$exe" -CAfile "$tmp/ca.pem" >"$tmp/verify" 2>&1 ||
    { fail "osslsigncode does not accept the signature"; cat "$tmp/verify"; }
  # The verifier is no rubber stamp: a changed byte breaks the signature.
  cp "$exe" "$tmp/tampered.exe"
  printf '\x90' | dd of="$tmp/tampered.exe" bs=1 seek=4096 conv=notrunc status=none
  ! osslsigncode verify -in "$tmp/tampered.exe" -CAfile "$tmp/ca.pem" >/dev/null 2>&1 ||
    fail "a tampered exe still verifies"
  "$src/scripts/check/check-imports.sh" "$exe" || fail "the signed exe lost its imports"
  python3 "$src/scripts/check/check-hardening.py" "$exe" || fail "the signed exe lost what the built one had"
  osslsigncode remove-signature -in "$exe" -out "$tmp/unsigned.exe" >/dev/null 2>&1
  cmp -s "$sealed" "$tmp/unsigned.exe" || fail "signing changed more than the signature"
  carries_seal "$exe" "$tmp/signed" || fail "the signed exe lost its list"
  sums_hold "$tmp/signed"
}

[ -f "$built" ] || { echo "missing: $built"; exit 77; }
bad_payloads
sample_medium
own_payload
signed_medium
[ $failures = 0 ] && echo "all medium checks passed"
