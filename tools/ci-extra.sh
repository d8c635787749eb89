#!/bin/sh
# The extra CI stages, run after the normal build and tests:
#   1. the whole test suite built again with address and undefined-behaviour
#      sanitizers (build-asan), halting on the first report;
#   2. every fuzz target for 20 seconds (fuzz/run.sh, clang).
# Prints the time each stage took. Exits non-zero when either stage fails.
set -u
cd "$(dirname "$0")/.."
FUZZ_SECONDS=${KR7_FUZZ_SECONDS:-20}
status=0
start=$(date +%s)

echo "== sanitizer build and test suite"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKR7_SANITIZE=ON -DKR7_BUILD_BENCH=OFF >build-asan.configure.log 2>&1 ||
    { cat build-asan.configure.log; exit 2; }
if cmake --build build-asan -j"$(nproc)" >build-asan.build.log 2>&1; then
    ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:abort_on_error=0" \
    LSAN_OPTIONS="suppressions=$(pwd)/fuzz/lsan.supp:print_suppressions=0" \
    UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1" \
    QT_QPA_PLATFORM=offscreen \
        ctest --test-dir build-asan --output-on-failure -j"$(nproc)" || status=1
else
    tail -50 build-asan.build.log
    status=1
fi
middle=$(date +%s)
echo "== sanitizer stage: $((middle - start)) s"

echo "== fuzz targets, $FUZZ_SECONDS s each"
KR7_FUZZ_JOBS=${KR7_FUZZ_JOBS:-2} fuzz/run.sh "$FUZZ_SECONDS" || status=1
end=$(date +%s)
echo "== fuzz stage: $((end - middle)) s; extra stages together: $((end - start)) s"
exit $status
