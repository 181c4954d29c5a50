#!/usr/bin/env bash
# The shared display must come up even where an earlier machine left a dead X
# server's socket and lock behind, and a live one must be reused.
set -eu
src=$(cd "$(dirname "$0")/../.." && pwd)
. "$src/scripts/wine/wine-env.sh"

fail() { echo "FAIL: $*" >&2; exit 1; }
lock_pid() { tr -dc 0-9 <"/tmp/.X$1-lock"; }

# Two free display numbers in a row, far from the ones the scripts use.
n=150
while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] ||
      [ -e /tmp/.X11-unix/X$((n + 1)) ] || [ -e /tmp/.X$((n + 1))-lock ]; do
  n=$((n + 2))
done
started=()
cleanup() {
  local p
  for p in "${started[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "/tmp/.X$n-lock" "/tmp/.X11-unix/X$n"
}
trap cleanup EXIT

# A leftover: a socket nobody listens on and a lock naming a finished process.
mkdir -p /tmp/.X11-unix
python3 -c 'import socket, sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])' \
  "/tmp/.X11-unix/X$n"
sleep 0 & dead=$!; wait "$dead"
printf '%10d\n' "$dead" >"/tmp/.X$n-lock"

VEL_XVFB_DISPLAY=:$n vel_xvfb
[ "$DISPLAY" = ":$n" ] || fail "a dead server's display: expected :$n, got $DISPLAY"
_vel_x_alive "$n" || fail "no live Xvfb on :$n after vel_xvfb"
first=$(lock_pid "$n"); started+=("$first")

VEL_XVFB_DISPLAY=:$n vel_xvfb
[ "$DISPLAY" = ":$n" ] || fail "a live server: expected :$n again, got $DISPLAY"
[ "$(lock_pid "$n")" = "$first" ] || fail "a live server was replaced"
kill "$first"; for _ in $(seq 100); do [ -d "/proc/$first" ] || break; sleep 0.05; done

# A leftover this user cannot remove (here a lock that is a folder) moves the
# display to the next number.
rm -f "/tmp/.X11-unix/X$n" "/tmp/.X$n-lock"
mkdir -p "/tmp/.X$n-lock/kept"
VEL_XVFB_DISPLAY=:$n vel_xvfb
[ "$DISPLAY" = ":$((n + 1))" ] || fail "an unremovable leftover: expected :$((n + 1)), got $DISPLAY"
_vel_x_alive "$((n + 1))" || fail "no live Xvfb on :$((n + 1))"
started+=("$(lock_pid "$((n + 1))")")
echo "ok: display :$n and :$((n + 1))"
