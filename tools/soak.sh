#!/bin/sh
# A long run of the window against the emulated display at full speed: the
# ticker every 0.1 s, the pages every 1 s with their file read every second,
# and that file rewritten, grown, shrunk, deleted and recreated on a schedule.
# Every 10 s the controller's resident memory (VmRSS) and open descriptors go
# into samples.csv. At the end the script checks the emulator's counters (no
# checksum errors, no unknown codes, frames received), the screen, and that
# the controller ran and closed cleanly, prints a summary and exits 0 when
# everything held: less than 1 MB of memory growth after the first 5 minutes
# (judged on runs of 10 minutes or more), no descriptor growth, no errors.
#
#   tools/soak.sh SECONDS [BUILD_DIR]
#
# BUILD_DIR defaults to build/ beside this folder. Everything goes into
# KR7_SOAK_DIR (default: a new folder under $TMPDIR): samples.csv, the
# controller's copy and its KR7Controller.ini, the pages file, the emulator's
# traffic log (traffic.log), its output (emulator.log) and screen.png.
set -u

here=$(cd "$(dirname "$0")/.." && pwd)
duration=${1:-}
build=${2:-$here/build}
case "$duration" in
'' | *[!0-9]*)
    echo "usage: tools/soak.sh SECONDS [BUILD_DIR]" >&2
    exit 2
    ;;
esac
script=soak
. "$here/tools/built-programs.sh"

out=${KR7_SOAK_DIR:-$(mktemp -d "${TMPDIR:-/tmp}/kr7-soak.XXXXXX")}
mkdir -p "$out/app" "$out/ports" || exit 2
rm -f "$out/ports/COM1" "$out/samples.csv" "$out/screen.png" "$out/app/KR7Controller.ini"
export QT_QPA_PLATFORM=offscreen
export KR7_PORTS="$out/ports"
pages="$out/pages.txt"
csv="$out/samples.csv"
ini="$out/app/KR7Controller.ini"

emulator_pid=
controller_pid=
cleanup() {
    for pid in $controller_pid $emulator_pid; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# ---- the pages file and its schedule ------------------------------------------

# Text files and settings hold Windows-1250 bytes: "zażółć" and "długiego"
# are written as such.
write_pages() { # lines, tag
    i=1
    : >"$pages.new"
    while [ "$i" -le "$1" ]; do
        printf 'Strona %s wiersz %d za\277\363\263\346\r\n' "$2" "$i" >>"$pages.new"
        i=$((i + 1))
    done
}

# One step a second, a cycle of a minute; every fifth minute (from the
# second minute on) the file is deleted and at once made again (a read that falls in the gap turns the
# file reading off, which the summary reports).
file_step() { # second of the run
    s=$1
    case $((s % 60)) in
    10) write_pages 12 "A$s" && cat "$pages.new" >"$pages" ;;              # rewritten in place
    25) write_pages 40 "B$s" && cat "$pages.new" >"$pages" ;;              # grown
    40) write_pages 3 "C$s" && cat "$pages.new" >"$pages" ;;               # shrunk
    55) write_pages 8 "D$s" && mv -f "$pages.new" "$pages" ;;              # replaced by a rename
    0) if [ $((s % 300)) -eq 120 ]; then
        write_pages 10 "E$s"
        rm -f "$pages" && cat "$pages.new" >"$pages"                       # deleted and recreated
    fi ;;
    esac
}

# ---- start ---------------------------------------------------------------------

cp "$controller" "$out/app/KR7Controller" || exit 2
write_pages 10 start && mv -f "$pages.new" "$pages"
ticker=$(printf 'Test d\263ugiego biegu: teletekst poziomy co 0,1 s.')
# Intervals are in the scroll bars' units: the ticker in 0.1 s, the pages
# and the file read in seconds.
printf '%s\r\n' "[Settings]" "Port=COM1" "Connected=1" "ActivePageIndex=0" "" \
    "[HorizNeon]" "Text=$ticker" "Interval=1" "PosY=0" \
    "FileTime=30" "File=" "FileRead=0" "Enabled=1" "" \
    "[VertNeon]" "Center=0" "LinesCount=0" "Interval=1" "PosY=2" "Height=12" "FileTime=1" \
    "File=$pages" "FileRead=1" "Enabled=1" >"$ini"

"$emulator" --headless --port COM1 --ports-dir "$out/ports" --baud 0 --log "$out/traffic.log" \
    --dump "$out/screen.png" --state "$out/emulator-state.bin" >"$out/emulator.log" 2>&1 &
emulator_pid=$!
tries=0
while [ ! -L "$out/ports/COM1" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ] || ! kill -0 "$emulator_pid" 2>/dev/null; then
        echo "soak: the emulator did not publish COM1" >&2
        cat "$out/emulator.log" >&2
        exit 2
    fi
    sleep 0.1
done

"$out/app/KR7Controller" >"$out/controller.log" 2>&1 &
controller_pid=$!
echo "soak: $duration s, outputs in $out (controller $controller_pid, emulator $emulator_pid)"

# ---- the run -------------------------------------------------------------------

echo "seconds,rss_kb,fds,emulator_rss_kb" >"$csv"
rss_of() { sed -n 's/^VmRSS:[[:space:]]*\([0-9]*\).*/\1/p' "/proc/$1/status" 2>/dev/null; }
fds_of() { ls "/proc/$1/fd" 2>/dev/null | wc -l; }
start=$(date +%s)
crashed=0
next_sample=0
elapsed=0
while [ "$elapsed" -lt "$duration" ]; do
    if ! kill -0 "$controller_pid" 2>/dev/null; then
        crashed=1
        break
    fi
    if [ "$elapsed" -ge "$next_sample" ]; then
        echo "$elapsed,$(rss_of "$controller_pid"),$(fds_of "$controller_pid"),$(rss_of "$emulator_pid")" >>"$csv"
        next_sample=$((next_sample + 10))
    fi
    file_step "$elapsed"
    sleep 1
    elapsed=$(($(date +%s) - start))
done

# ---- the end -------------------------------------------------------------------

# The screen as the run left it, then the window closes the normal way (its
# settings are saved), then the emulator, which prints its counters.
kill -USR1 "$emulator_pid" 2>/dev/null
sleep 1
cp "$out/screen.png" "$out/screen-running.png" 2>/dev/null
controller_rc=crashed
if [ "$crashed" -eq 0 ]; then
    kill -TERM "$controller_pid"
    wait "$controller_pid"
    controller_rc=$?
fi
controller_pid=
kill -TERM "$emulator_pid"
wait "$emulator_pid"
emulator_pid=

counters=$(grep 'checksum errors' "$out/emulator.log" | tail -1)
frames=$(printf '%s\n' "$counters" | sed -n 's/.*frames \([0-9]*\).*/\1/p')
checksum=$(printf '%s\n' "$counters" | sed -n 's/.*checksum errors \([0-9]*\).*/\1/p')
unknown=$(printf '%s\n' "$counters" | sed -n 's/.*unknown codes \([0-9]*\).*/\1/p')
file_read=$(sed -n '/^\[VertNeon\]/,/^\[/s/^FileRead=\([0-9]*\).*/\1/p' "$ini" | tr -d '\r' | head -1)

# Memory and descriptors: the first sample at or after 5 minutes against the
# last one; descriptors over the whole run after the first minute.
summary=$(awk -F, -v duration="$duration" '
    NR == 1 { next }
    { n++; last_rss = $2; last_fd = $3 }
    $1 >= 60 && !fd_set { first_fd = $3; fd_set = 1; max_fd = $3 }
    fd_set && $3 > max_fd { max_fd = $3 }
    $1 >= 300 && !base_set { base_rss = $2; base_set = 1 }
    END {
        if (!fd_set) { first_fd = last_fd; max_fd = last_fd }
        growth = base_set ? last_rss - base_rss : -1
        judged = base_set && duration >= 600
        printf "%d %d %d %d %d %d\n", n, last_rss, growth, judged, first_fd, max_fd
    }' "$csv")
set -- $summary
samples=$1 last_rss=$2 growth=$3 judged=$4 first_fd=$5 max_fd=$6

# The screen: a PNG the size of the display's picture with more than one
# colour in it, that is with text on it.
screen=$(python3 - "$out/screen-running.png" <<'EOF'
import struct, sys, zlib
try:
    data = open(sys.argv[1], "rb").read()
    pos, idat, width, height = 8, b"", 0, 0
    while pos < len(data):
        size, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + size]
        if kind == b"IHDR":
            width, height = struct.unpack(">II", body[:8])
        elif kind == b"IDAT":
            idat += body
        pos += 12 + size
    raw = zlib.decompress(idat)
    print("ok" if width >= 360 and height >= 288 and len(set(raw[1:4096])) > 2 else "blank")
except Exception as error:
    print("unreadable")
EOF
)

status=0
fail() {
    echo "FAIL: $1"
    status=1
}
echo "---- soak summary ($duration s, $samples samples in $csv)"
echo "controller: exit $controller_rc; RSS $last_rss kB at the end; fds $first_fd after 1 min, at most $max_fd"
if [ "$growth" -ge 0 ]; then
    echo "RSS growth after the first 5 minutes: $growth kB"
else
    echo "RSS growth after the first 5 minutes: not measured (run shorter than 5 minutes)"
fi
echo "emulator: ${counters:-no counters printed}"
echo "page file reading still on at the end: ${file_read:-unknown}"
echo "screen: $screen ($out/screen-running.png)"
[ "$controller_rc" = 0 ] || fail "the controller did not run to the end and close cleanly"
[ "$judged" -eq 1 ] && [ "$growth" -ge 1024 ] && fail "resident memory grew by $growth kB after 5 minutes"
[ "$max_fd" -gt "$first_fd" ] && fail "open descriptors grew from $first_fd to $max_fd"
[ "${frames:-0}" -gt 0 ] || fail "the emulator received no frames"
[ "${checksum:-1}" -eq 0 ] || fail "checksum errors: ${checksum:-unknown}"
[ "${unknown:-1}" -eq 0 ] || fail "unknown codes: ${unknown:-unknown}"
[ "$screen" = ok ] || fail "the screen is $screen"
[ "$file_read" = 1 ] || echo "note: a read fell on a deleted file and turned the page file reading off"
[ "$status" -eq 0 ] && echo "PASS"
exit $status
