#!/bin/sh
# Builds the fuzz targets with clang and runs each for the given number of
# seconds (default 20) on a copy of its seed corpus. Prints per target the
# executions, the coverage (cov: edges, ft: features) and the crashes; exits
# non-zero when any target crashed. Crash inputs stay in build-fuzz/findings/.
#
#   fuzz/run.sh [seconds] [target...]
#
# KR7_FUZZ_JOBS=n runs n targets at a time (default 1).
set -u
cd "$(dirname "$0")/.."
SECONDS_PER_TARGET=${1:-20}
[ $# -gt 0 ] && shift
BUILD=build-fuzz
JOBS=${KR7_FUZZ_JOBS:-1}

cmake -S . -B "$BUILD" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKR7_FUZZ=ON \
    -DKR7_BUILD_TESTS=OFF -DKR7_BUILD_BENCH=OFF >"$BUILD.configure.log" 2>&1 ||
    { cat "$BUILD.configure.log"; exit 2; }

if [ $# -gt 0 ]; then
    TARGETS="$*"
else
    TARGETS="fuzz_glyph_record fuzz_glyph_set fuzz_ini fuzz_picture_bmp fuzz_picture_jpeg \
fuzz_text_lines fuzz_next_window fuzz_frame_parser"
fi
BUILT=""
for t in $TARGETS; do
    if cmake --build "$BUILD" -j"$(nproc)" --target "$t" >"$BUILD/build-$t.log" 2>&1; then
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

run_one() {
    t=$1
    rm -rf "$FINDINGS/$t"
    mkdir -p "$WORK/$t/corpus" "$FINDINGS/$t"
    [ -d "fuzz/seeds/$t" ] && cp "fuzz/seeds/$t"/* "$WORK/$t/corpus/" 2>/dev/null
    "$BUILD/bin/$t" -max_total_time="$SECONDS_PER_TARGET" -timeout=10 -rss_limit_mb=2048 \
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
printf '%-20s %12s %8s %8s %8s\n' target executions cov ft crashes
for t in $BUILT; do
    log="$WORK/$t.log"
    rc=$(cat "$WORK/$t.rc")
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    last=$(grep -E '^#[0-9]+' "$log" | grep -E 'cov: ' | tail -1)
    cov=$(printf '%s\n' "$last" | sed -n 's/.*cov: \([0-9]*\).*/\1/p')
    ft=$(printf '%s\n' "$last" | sed -n 's/.*ft: \([0-9]*\).*/\1/p')
    crashes=$(find "$FINDINGS/$t" -type f | wc -l)
    printf '%-20s %12s %8s %8s %8s\n' "$t" "${runs:-?}" "${cov:-?}" "${ft:-?}" "$crashes"
    if [ "$rc" -ne 0 ] || [ "$crashes" -ne 0 ]; then
        status=1
        echo "---- $t failed (exit $rc); log $log; inputs in $FINDINGS/$t"
        grep -E 'ERROR|SUMMARY|runtime error|==[0-9]+==' "$log" | head -15
    fi
done
exit $status
