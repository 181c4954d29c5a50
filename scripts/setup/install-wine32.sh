#!/usr/bin/env bash
# Sets up the 32-bit Wine that runs the i686 release exe on this machine,
# whose kernel runs no 32-bit x86 code: Debian's 32-bit Wine loader under
# qemu-i386 user-mode emulation, beside the system's native 64-bit Wine and
# wineserver. Everything goes into one private folder (VEL_WINE32_ROOT,
# default /opt/vel-wine32); the system's packages, apt sources and Wine stay
# as they are. Idempotent: a tree that is ready for the installed wine64 is
# left alone. Run as root (or with sudo available).
#
#   bin/qemu-i386   the emulator, from the backports suite: the release's own
#                   qemu 7.2 is some 30 times slower at Wine's start-up
#   i386/           the i386 packages of Wine and the libraries its 32-bit
#                   unix side loads, unpacked: the emulator's -L root
#   wine/usr/lib/wine/wine64   a copy of the system's, so that it looks for
#                   its 32-bit loader beside itself, and finds ...
#   wine/usr/lib/wine/wine     ... the 32-bit loader, run by the emulator
#   fontconfig/     a configuration that keeps the 32-bit font caches here
#
# A prefix made with wine/usr/lib/wine/wine64 runs 64-bit and 32-bit programs.
# Usage: scripts/setup/install-wine32.sh [--check]   (--check: only tell whether
# the tree is ready, by the exit code)
set -eu
root=${VEL_WINE32_ROOT:-/opt/vel-wine32}
# Raise when the layout below changes: an older tree is then built anew.
layout=1
wine_version=$(dpkg-query -W -f='${Version}' wine64 2>/dev/null || true)
want="layout $layout wine64 $wine_version"

if [ -n "$wine_version" ] && [ "$(cat "$root/.ready" 2>/dev/null)" = "$want" ]; then
  exit 0
fi
[ "${1:-}" = --check ] && exit 1
[ -n "$wine_version" ] || { echo "install-wine32.sh: wine64 is not installed" >&2; exit 1; }
if [ "$(id -u)" != 0 ]; then
  exec sudo env VEL_WINE32_ROOT="$root" bash "$0" "$@"
fi

started=$SECONDS
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
# The archive this machine already uses for its release, as apt itself reads
# it from the machine's sources (one-line or deb822, whichever it has).
site=$(apt-get indextargets --format '$(TARGET_OF) $(SITE) $(RELEASE) $(COMPONENT)' |
  awk -v r="$codename" '$1 == "deb" && $3 == r && $4 == "main" { print $2; exit }')
[ -n "$site" ] || { echo "install-wine32.sh: no '$codename main' archive in the apt sources" >&2; exit 1; }

echo "setting up the emulated 32-bit Wine in $root"
rm -rf "$root"
mkdir -p "$root"/apt/lists/partial "$root"/apt/archives/partial "$root"/debs "$root"/i386 "$root"/bin
apt_dir=$root/apt
: >"$apt_dir/status"
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
opts="arch=amd64,i386"
[ -r "$keyring" ] && opts="$opts signed-by=$keyring"
printf 'deb [%s] %s %s main\n' "$opts" "$site" "$codename" "$opts" "$site" "$codename-backports" \
  >"$apt_dir/sources.list"
# Its own sources, lists, cache and an empty package status, so that apt
# resolves the whole i386 dependency tree; the machine's apt.conf.d (proxies)
# still applies.
cat >"$apt_dir/apt.conf" <<EOF
Dir::Etc::sourcelist "$apt_dir/sources.list";
Dir::Etc::sourceparts "-";
Dir::State "$apt_dir";
Dir::State::lists "$apt_dir/lists/";
Dir::State::status "$apt_dir/status";
Dir::Cache "$apt_dir";
Dir::Cache::archives "$apt_dir/archives/";
APT::Architecture "amd64";
APT::Architectures { "amd64"; "i386"; };
APT::Sandbox::User "root";
EOF
export APT_CONFIG=$apt_dir/apt.conf
apt-get update -qq

# Wine's 32-bit half at the version of the installed wine64, and the
# libraries its unix side opens by name (without libcups2 the 32-bit print
# path sees no printer).
pkgs="wine32:i386=$wine_version libwine:i386=$wine_version libc6:i386 libgcc-s1:i386
  libx11-6:i386 libxext6:i386 libfreetype6:i386 libfontconfig1:i386 libxrender1:i386
  libxrandr2:i386 libxi6:i386 libxcursor1:i386 libxfixes3:i386 libxinerama1:i386
  libxcomposite1:i386 libxxf86vm1:i386 libgnutls30:i386 libcups2:i386"
# Only the i386 packages of the closure: the data packages for all
# architectures are the machine's own already.
closure=$(apt-get install -s --no-install-recommends $pkgs |
  awk '$1 == "Inst" && $2 ~ /:i386$/ { v = $3; sub(/^\(/, "", v); print $2 "=" v }')
(cd "$root/debs" && apt-get download -q $closure fontconfig:i386 "qemu-user/$codename-backports" >/dev/null)

for deb in "$root"/debs/*_i386.deb; do
  case $deb in
    */fontconfig_*) dpkg-deb --fsys-tarfile "$deb" | tar -x -C "$root/i386" ./usr/bin/fc-cache ;;
    *) dpkg-deb -x "$deb" "$root/i386" ;;
  esac
done
dpkg-deb --fsys-tarfile "$root"/debs/qemu-user_*.deb | tar -x -O ./usr/bin/qemu-i386 >"$root/bin/qemu-i386"
chmod 755 "$root/bin/qemu-i386"

# The emulated loader looks in /usr/lib only: without /lib merged into it
# FreeType does not load, and windows come out 32767 pixels tall.
cp -a "$root/i386/lib/." "$root/i386/usr/lib/"
rm -rf "$root/i386/lib"
ln -s usr/lib "$root/i386/lib"
# zlib1.dll is put in place (marked as built in) by the 64-bit libwine's
# maintainer script, which the unpacking does not run.
cp /usr/lib/x86_64-linux-gnu/wine/i386-windows/zlib1.dll "$root/i386/usr/lib/i386-linux-gnu/wine/i386-windows/"

# Wine 8 takes its 32-bit loader from the folder of the running wine64
# (/proc/self/exe; it ignores WINELOADER): a copy of wine64 with the loader's
# script beside it, the rest linked back to the system's 64-bit Wine.
w=$root/wine/usr
mkdir -p "$w/lib/wine" "$w/lib/x86_64-linux-gnu" "$w/share"
cp /usr/lib/wine/wine64 "$w/lib/wine/wine64"
ln -s /usr/lib/wine/wineserver "$w/lib/wine/wineserver"
ln -s /usr/lib/x86_64-linux-gnu/wine "$w/lib/x86_64-linux-gnu/wine"
ln -s /usr/share/wine "$w/share/wine"
cat >"$w/lib/wine/wine" <<EOF
#!/bin/sh
# Wine's 32-bit loader under user-mode emulation. Paths under the -L root
# shadow the machine's. The emulated fontconfig writes its caches to the
# first writable of: $root/fontconfig/cache, the system's, the user's.
export FONTCONFIG_FILE=$root/fontconfig/fonts.conf
exec "$root/bin/qemu-i386" -L "$root/i386" -0 "\$0" "$root/i386/usr/lib/wine/wine" "\$@"
EOF
chmod 755 "$w/lib/wine/wine"

mkdir -p "$root/fontconfig/cache"
cat >"$root/fontconfig/fonts.conf" <<EOF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <cachedir>$root/fontconfig/cache</cachedir>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
</fontconfig>
EOF
# The 32-bit caches of the machine's fonts, made now for every user.
FONTCONFIG_FILE=$root/fontconfig/fonts.conf "$root/bin/qemu-i386" -L "$root/i386" "$root/i386/usr/bin/fc-cache"

rm -rf "$root/debs" "$apt_dir"
chmod -R a+rX "$root"
echo "$want" >"$root/.ready"
echo "emulated 32-bit Wine ready: $(du -sh "$root" | cut -f1) in $((SECONDS - started)) s"
