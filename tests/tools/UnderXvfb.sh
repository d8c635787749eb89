#!/bin/sh
# Runs a test program on a virtual X server of its own, through the xcb
# platform, for the tests whose input must come through a real X server
# (xdotool's pointer, as a mouse gives it).
#   UnderXvfb.sh PROGRAM [ARGUMENT...]
# Exits 77 (skipped) where Xvfb or xdotool is missing.
set -u
command -v Xvfb >/dev/null 2>&1 || { echo "skipped: Xvfb is missing"; exit 77; }
command -v xdotool >/dev/null 2>&1 || { echo "skipped: xdotool is missing"; exit 77; }
work=$(mktemp -d "${TMPDIR:-/tmp}/kr7-xvfb.XXXXXX")
xvfb_pid=
finish() {
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap finish EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
tries=0
while [ ! -s "$work/display" ] && [ "$tries" -lt 100 ]; do tries=$((tries + 1)); sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }

env -u WAYLAND_DISPLAY DISPLAY=":$(cat "$work/display")" QT_QPA_PLATFORM=xcb "$@"
