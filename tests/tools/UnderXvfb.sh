#!/bin/sh
# Runs a test program on a virtual X server of its own, through the xcb
# platform, for the tests whose input must come through a real X server
# (xdotool's pointer, as a mouse gives it).
#   UnderXvfb.sh PROGRAM [ARGUMENT...]
# Exits 77 (skipped) where Xvfb or xdotool is missing.
set -u
command -v Xvfb >/dev/null 2>&1 || { echo "skipped: Xvfb is missing"; exit 77; }
command -v xdotool >/dev/null 2>&1 || { echo "skipped: xdotool is missing"; exit 77; }
. "$(dirname "$0")/StartXvfb.sh"
start_xvfb kr7-xvfb 1280x1024

env -u WAYLAND_DISPLAY DISPLAY=":$(cat "$work/display")" QT_QPA_PLATFORM=xcb "$@"
