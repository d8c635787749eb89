#!/bin/sh
# Starts the KR-7 emulator and the controller together, alive at once: the
# emulator's display is published as COM1 in a fresh ports folder that only
# these two share, and the controller starts with demo settings of its own
# (in a temporary folder, never the user's): connected to COM1, a ticker and
# the vertical pages running. The emulator stands beside the controller.
#
#   tools/run-demo.sh [BUILD_DIR] [-- controller arguments, e.g. -service]
#
# BUILD_DIR defaults to build/ beside this folder. KR7_DEMO_BAUD sets the
# emulated line speed (default 2400; 0 reads as fast as bytes come).
# KR7_DEMO_DIR names the folder for the demo's ports, settings and emulator
# state (default: a new temporary folder, removed at the end).
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

if [ -n "${KR7_DEMO_DIR:-}" ]; then
    demo=$KR7_DEMO_DIR
    keep=1
    mkdir -p "$demo"
else
    demo=$(mktemp -d "${TMPDIR:-/tmp}/kr7-demo.XXXXXX")
    keep=0
fi
ports="$demo/ports"
settings="$demo/settings"
mkdir -p "$ports" "$settings"

emulator_pid=
cleanup() {
    if [ -n "$emulator_pid" ]; then
        kill "$emulator_pid" 2>/dev/null || true
        wait "$emulator_pid" 2>/dev/null || true
    fi
    rm -f "$ports/COM1"
    [ "$keep" = 1 ] || rm -rf "$demo"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The page shown first: the service page when asked for, else the preview.
page=0
for arg in "$@"; do
    case "$arg" in -[sS][eE][rR][vV][iI][cC][eE] | /[sS][eE][rR][vV][iI][cC][eE]) page=4 ;; esac
done

# The controller at the left, the emulator beside it on the right (the
# controller's window is 390 pixels wide).
left=24
top=24
emulator_left=$((left + 390 + 40))

# The demo settings: written in UTF-8 here, kept in Windows-1250 as the
# program keeps them.
iconv -f UTF-8 -t CP1250 >"$settings/KR7Controller.ini" <<INI
[Settings]
Port=COM1
Connected=1
ActivePageIndex=$page
Left=$left
Top=$top
[HorizNeon]
Text=Witaj! Obok działa emulator wyświetlacza KR-7, a to okno to KR7Controller, który nim steruje przez port COM1. Ten wiersz to teletekst poziomy: zmień go na stronie "Teletekst poziomy" w polu "Treść:". Pod nim teletekst pionowy pokazuje tekst stronami, a strona "Logo" zamienia obrazek w logo.   
Interval=2
PosY=1
FileTime=30
File=
FileRead=0
Enabled=1
[VertNeon]
Center=1
LinesCount=9
Interval=4
PosY=5
Height=3
FileTime=30
File=
FileRead=0
Enabled=1
[VertNeonLines]
Line0=Teletekst pionowy
Line1=pokazuje tekst
Line2=stronami po 3 wiersze.
Line3=Strona zmienia się
Line4=co 4 sekundy.
Line5=Tekst: "Teletekst pionowy".
Line6=Zażółć gęślą jaźń
Line7=ZAŻÓŁĆ GĘŚLĄ JAŹŃ
Line8=0123456789 +-*/=()
INI

"$emulator" --port COM1 --ports-dir "$ports" --state "$demo/emulator-state" --log "$demo/emulator.log" \
    --baud "${KR7_DEMO_BAUD:-2400}" --position "$emulator_left,$top" &
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

echo "run-demo: the controller drives the emulated display on COM1 with demo settings in $settings;"
echo "run-demo: your own settings are not touched. Close the controller's window to end the demo."
KR7_PORTS="$ports" "$controller" --settings-dir "$settings" "$@"
