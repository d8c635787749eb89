#!/bin/sh
# Starts the KR-7 emulator and the controller together: the emulator's display
# is published as COM1 in a fresh ports folder that only these two share, so
# ticking "Połącz" in the controller drives the emulated display.
#
#   tools/run-demo.sh [BUILD_DIR] [-- controller arguments, e.g. -service]
#
# BUILD_DIR defaults to build/ beside this folder. KR7_DEMO_BAUD sets the
# emulated line speed (default 2400; 0 reads as fast as bytes come).
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build"
if [ $# -gt 0 ] && [ "$1" != "--" ]; then
    build=$1
    shift
fi
[ $# -gt 0 ] && [ "$1" = "--" ] && shift

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run-demo: no display available (neither DISPLAY nor WAYLAND_DISPLAY is set); the demo needs a desktop session" >&2
    exit 2
fi

script=run-demo
. "$here/tools/built-programs.sh"

ports=$(mktemp -d "${TMPDIR:-/tmp}/kr7-demo-ports.XXXXXX")
emulator_pid=
cleanup() {
    if [ -n "$emulator_pid" ]; then
        kill "$emulator_pid" 2>/dev/null || true
        wait "$emulator_pid" 2>/dev/null || true
    fi
    rm -rf "$ports"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

"$emulator" --port COM1 --ports-dir "$ports" --baud "${KR7_DEMO_BAUD:-2400}" &
emulator_pid=$!

# Wait (at most about five seconds) for the emulator to publish its port.
tries=0
while [ ! -L "$ports/COM1" ]; do
    if ! kill -0 "$emulator_pid" 2>/dev/null; then
        emulator_pid=
        echo "run-demo: the emulator did not start" >&2
        exit 1
    fi
    tries=$((tries + 1))
    if [ "$tries" -gt 50 ]; then
        echo "run-demo: the emulator did not publish COM1 in $ports" >&2
        exit 1
    fi
    sleep 0.1
done

echo "run-demo: the emulated display is COM1; tick \"Połącz\" in the controller, then type a line into"
echo "run-demo: \"Treść:\" on the page \"Teletekst poziomy\": with \"Włącz\" ticked it scrolls on the emulator"
KR7_PORTS="$ports" "$controller" "$@"
