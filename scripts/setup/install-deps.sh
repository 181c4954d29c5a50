#!/usr/bin/env bash
# Installs every package the build, the tests and the demo run need on a
# Debian 12 machine, generates the locales Wine runs under (Polish for the
# run and the tests, US English for the one scenario on another system), and
# sets up the emulated 32-bit Wine that runs the i686 release exe
# (scripts/setup/install-wine32.sh).
# Idempotent: does nothing when all are present. Run as root (or with sudo
# available).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
locales_needed="pl_PL.UTF-8 en_US.UTF-8"
pkgs="cmake ninja-build g++-mingw-w64-i686-posix g++-mingw-w64-i686-win32
  g++-mingw-w64-x86-64-posix googletest wine64 fonts-wine xvfb xauth
  imagemagick python3 python3-pil cups printer-driver-cups-pdf poppler-utils
  g++-mingw-w64-x86-64-win32 osslsigncode openssl zip unzip
  clang libclang-rt-14-dev passwd util-linux locales"

# A generated locale is listed by `locale -a` as e.g. "pl_PL.utf8".
locale_missing() {
  local have l
  have=$(locale -a 2>/dev/null | tr 'A-Z' 'a-z' | sed 's/utf-8$/utf8/')
  for l in $locales_needed; do
    printf '%s\n' "$have" | grep -qx "$(printf '%s' "$l" | tr 'A-Z' 'a-z' | sed 's/utf-8$/utf8/')" ||
      printf '%s ' "$l"
  done
}

missing=
for p in $pkgs; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing="$missing $p"
done
gen=$(locale_missing)
[ -z "$missing" ] && [ -z "$gen" ] && bash "$here/install-wine32.sh" --check && exit 0
sudo=
[ "$(id -u)" = 0 ] || sudo=sudo
if [ -n "$missing" ]; then
  echo "installing:$missing"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq $missing
fi
gen=$(locale_missing)
if [ -n "$gen" ]; then
  echo "generating locales: $gen"
  # Through /etc/locale.gen, so that an upgrade of the locales package, which
  # rebuilds the locale archive from that list, keeps them.
  for l in $gen; do
    line="$l ${l#*.}"
    if grep -q "^# *$line\$" /etc/locale.gen 2>/dev/null; then
      $sudo sed -i "s/^# *$line\$/$line/" /etc/locale.gen
    elif ! grep -q "^$line\$" /etc/locale.gen 2>/dev/null; then
      echo "$line" | $sudo tee -a /etc/locale.gen >/dev/null
    fi
  done
  $sudo locale-gen >/dev/null
  gen=$(locale_missing)
  [ -z "$gen" ] || { echo "install-deps.sh: locales not generated: $gen" >&2; exit 1; }
fi
bash "$here/install-wine32.sh"
