#!/usr/bin/env bash
# Prepares this machine, as root, for a test run as the unprivileged user
# veltest (Wine running as root lets a write onto a read-only file through,
# where Windows refuses it): the user, the PDF printer of the printing tests
# (cups-setup.sh) and a 4 MB file system at /tmp/vel-small-disk that the
# full-disk tests fill up (without it they are skipped): larger than the
# sample payload with the megabyte the installer keeps for its folders, so
# that it installs there once the disk is freed. Idempotent.
# Usage: scripts/setup/prepare-test-machine.sh
set -eu
here=$(cd "$(dirname "$0")" && pwd)
[ "$(id -u)" = 0 ] || { echo "prepare-test-machine.sh: run as root" >&2; exit 1; }

id -u veltest >/dev/null 2>&1 || useradd -m -s /bin/bash veltest
bash "$here/cups-setup.sh"
small=/tmp/vel-small-disk
mkdir -p "$small"
options="size=4m,mode=0700,uid=$(id -u veltest),gid=$(id -g veltest)"
if mountpoint -q "$small"; then
  # An older preparation made it smaller.
  [ "$(df --output=size -k "$small" | tail -1 | tr -d ' ')" = 4096 ] || mount -o "remount,$options" "$small"
else
  mount -t tmpfs -o "$options" tmpfs "$small" ||
    echo "prepare-test-machine.sh: no small file system: the full-disk tests will be skipped" >&2
fi
