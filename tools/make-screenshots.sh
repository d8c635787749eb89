#!/bin/sh
# Makes the README's pictures in docs/ again, from the program itself:
# the window's pages and the emulated display offscreen (the test program's
# ReadmePicturesTest), then the demo of tools/run-demo.sh on a virtual X
# server, grabbed a few seconds after its start with no input.
#
#   tools/make-screenshots.sh [BUILD_DIR]
#
# Needs a build with the tests, Xvfb, xwd and netpbm (tools/install-deps.sh docs).
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
docs="$here/docs"
mkdir -p "$docs"
for tool in Xvfb xwd xwdtopnm pnmtopng; do
    command -v "$tool" >/dev/null 2>&1 || { echo "make-screenshots: $tool is missing (tools/install-deps.sh docs)" >&2; exit 2; }
done

cmake --build "$build" --target EmulatorTests KR7Controller kr7-emulator
KR7_SHOTS_DIR="$docs" QT_QPA_PLATFORM=offscreen "$build/bin/EmulatorTests" --gtest_filter='ReadmePicturesTest.*'

work=$(mktemp -d "${TMPDIR:-/tmp}/kr7-shots.XXXXXX")
xvfb_pid=
demo_pid=
finish() {
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    [ -z "$demo_pid" ] || wait "$demo_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT

# A free display of its own: Xvfb names it on the descriptor given.
Xvfb -displayfd 3 -screen 0 1300x860x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
tries=0
while [ ! -s "$work/display" ]; do
    tries=$((tries + 1))
    [ "$tries" -le 50 ] || { echo "make-screenshots: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
    sleep 0.1
done
display=":$(cat "$work/display")"

DISPLAY=$display KR7_DEMO_DIR="$work/demo" sh "$here/tools/run-demo.sh" "$build" >"$work/demo.log" 2>&1 &
demo_pid=$!
sleep "${KR7_SHOTS_WAIT:-12}"
xwd -root -silent -display "$display" | xwdtopnm 2>/dev/null | pnmtopng >"$docs/demo.png"
echo "make-screenshots: pictures in $docs"
ls "$docs"
