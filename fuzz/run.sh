#!/bin/sh
# Builds the fuzz targets with clang and runs each for the given number of
# seconds (default 20) on a copy of its seed corpus. Prints per target the
# executions, executions a second (of wall time, and of the CPU time the
# target used: the figure for one core on a busy machine), the coverage
# (cov: edges, ft: features)
# and the crashes; exits non-zero when any target crashed. Crash inputs stay
# in build-fuzz/findings/, the logs of the configure, the builds and the runs
# in build-fuzz/.
#
#   fuzz/run.sh [seconds] [target...]
#
# KR7_FUZZ_JOBS=n runs n targets at a time (default 1).
# KR7_FUZZ_RUNS=n also stops a target after n executions (a long run).
# KR7_FUZZ_BUILD_JOBS=n builds with n jobs (default 2).
set -u
cd "$(dirname "$0")/.." || exit 2
SECONDS_PER_TARGET=${1:-20}
[ $# -gt 0 ] && shift
BUILD=build-fuzz
JOBS=${KR7_FUZZ_JOBS:-1}
RUNS=${KR7_FUZZ_RUNS:--1}
BUILD_JOBS=${KR7_FUZZ_BUILD_JOBS:-2}

LAUNCHER=""
command -v ccache >/dev/null 2>&1 &&
    LAUNCHER="-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
# The coverage ignore list changes the objects, but ccache sees only its name
# on the command line.
CCACHE_EXTRAFILES="$(pwd)/fuzz/coverage-ignore.txt"
export CCACHE_EXTRAFILES
mkdir -p "$BUILD"
# shellcheck disable=SC2086
cmake -S . -B "$BUILD" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKR7_FUZZ=ON \
    -DKR7_BUILD_TESTS=OFF -DKR7_BUILD_BENCH=OFF $LAUNCHER >"$BUILD/configure.log" 2>&1 ||
    { cat "$BUILD/configure.log"; exit 2; }

if [ $# -gt 0 ]; then
    TARGETS="$*"
else
    TARGETS="fuzz_glyph_record fuzz_glyph_set fuzz_ini fuzz_ini_file fuzz_picture_bmp fuzz_picture_jpeg fuzz_picture_png \
fuzz_text_lines fuzz_next_window fuzz_frame_parser fuzz_ctl_args fuzz_serial_ports"
fi
BUILT=""
for t in $TARGETS; do
    if cmake --build "$BUILD" -j"$BUILD_JOBS" --target "$t" >"$BUILD/build-$t.log" 2>&1; then
        BUILT="$BUILT $t"
    elif grep -q "unknown target\|No rule to make target" "$BUILD/build-$t.log"; then
        echo "$t: not available in this tree, skipped"
    else
        cat "$BUILD/build-$t.log"
        exit 2
    fi
done

WORK="$BUILD/fuzz-work"
FINDINGS="$BUILD/findings"
rm -rf "$WORK"
mkdir -p "$WORK" "$FINDINGS"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
export QT_QPA_PLATFORM=offscreen

# Runs a command, keeping its CPU seconds in the file $1 where /usr/bin/time
# can tell them.
timed() {
    out=$1
    shift
    if [ -x /usr/bin/time ]; then
        /usr/bin/time -f %U+%S -o "$out" "$@"
    else
        "$@"
    fi
}

run_one() {
    t=$1
    rm -rf "$FINDINGS/$t"
    mkdir -p "$WORK/$t/corpus" "$FINDINGS/$t"
    # A target that reads through real files shares the seeds of its
    # in-memory twin.
    seeds="fuzz/seeds/$t"
    [ -d "$seeds" ] || seeds="fuzz/seeds/${t%_file}"
    [ -d "$seeds" ] && cp "$seeds"/* "$WORK/$t/corpus/" 2>/dev/null
    rm -f "$WORK/$t.cpu"
    timed "$WORK/$t.cpu" "$BUILD/bin/$t" -max_total_time="$SECONDS_PER_TARGET" -runs="$RUNS" -timeout=10 -rss_limit_mb=2048 \
        -max_len=16384 -print_final_stats=1 -artifact_prefix="$FINDINGS/$t/" \
        "$WORK/$t/corpus" >"$WORK/$t.log" 2>&1
    echo $? >"$WORK/$t.rc"
}

set -- $BUILT
while [ $# -gt 0 ]; do
    batch=0
    while [ $# -gt 0 ] && [ $batch -lt "$JOBS" ]; do
        run_one "$1" &
        shift
        batch=$((batch + 1))
    done
    wait
done

status=0
printf '%-20s %12s %9s %9s %8s %8s %8s\n' target executions exec/s cpu-exec/s cov ft crashes
for t in $BUILT; do
    log="$WORK/$t.log"
    rc=$(cat "$WORK/$t.rc")
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    cpu=""
    [ -s "$WORK/$t.cpu" ] && cpu=$(awk -v runs="${runs:-0}" -F+ 'END { s = $1 + $2; if (s > 0) printf "%d", runs / s }' "$WORK/$t.cpu")
    last=$(grep -E '^#[0-9]+' "$log" | grep -E 'cov: ' | tail -1)
    cov=$(printf '%s\n' "$last" | sed -n 's/.*cov: \([0-9]*\).*/\1/p')
    ft=$(printf '%s\n' "$last" | sed -n 's/.*ft: \([0-9]*\).*/\1/p')
    crashes=$(find "$FINDINGS/$t" -type f | wc -l)
    printf '%-20s %12s %9s %9s %8s %8s %8s\n' "$t" "${runs:-?}" "${speed:-?}" "${cpu:-?}" "${cov:-?}" "${ft:-?}" "$crashes"
    if [ "$rc" -ne 0 ] || [ "$crashes" -ne 0 ]; then
        status=1
        echo "---- $t failed (exit $rc); log $log; inputs in $FINDINGS/$t"
        grep -E 'ERROR|SUMMARY|runtime error|==[0-9]+==' "$log" | head -15
    fi
done
exit $status
