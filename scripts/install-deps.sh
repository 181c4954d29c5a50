#!/usr/bin/env bash
# Installs every package the build, the tests and the demo run need on a
# Debian 12 machine. Idempotent: does nothing when all are present. Run as root
# (or with sudo available).
set -eu
pkgs="cmake ninja-build g++-mingw-w64-i686-posix g++-mingw-w64-i686-win32
  g++-mingw-w64-x86-64-posix googletest wine64 fonts-wine xvfb xauth
  imagemagick python3 python3-pil cups printer-driver-cups-pdf poppler-utils
  g++-mingw-w64-x86-64-win32 osslsigncode openssl zip unzip
  clang libclang-rt-14-dev passwd util-linux"
missing=
for p in $pkgs; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "installing:$missing"
sudo=
[ "$(id -u)" = 0 ] || sudo=sudo
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq $missing
