#!/bin/sh
# Installs what is missing, builds and runs the whole test suite headless.
set -e
cd "$(dirname "$0")/.."
sh tools/install-deps.sh test
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKR7_BUILD_TESTS=ON -DKR7_BUILD_BENCH=ON
cmake --build build -j"$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$(nproc)"
