#!/usr/bin/env bash
# Checks the engine's layering, then builds and runs every test: a normal Release
# build, an AddressSanitizer + UndefinedBehaviorSanitizer build, and the thread
# tests under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/../.."
jobs=$(nproc 2>/dev/null || echo 2)

run_build() {  # name, ctest label filter (empty = all), cmake options...
    local name=$1 label=$2
    shift 2
    echo "=== $name build ==="
    cmake -S . -B "build-check/$name" "$@" >/dev/null
    cmake --build "build-check/$name" -j "$jobs"
    echo "=== $name tests ==="
    if [ -n "$label" ]; then
        ctest --test-dir "build-check/$name" --output-on-failure -j "$jobs" -L "$label"
    else
        ctest --test-dir "build-check/$name" --output-on-failure -j "$jobs"
    fi
}

echo "=== layers ==="
bash tools/ci/check_layers.sh

run_build release "" -DCMAKE_BUILD_TYPE=Release
run_build asan-ubsan "" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
    -DZORVAK_SANITIZE=address,undefined -DZORVAK_BENCH=OFF
# The front end runs the search thread; the search has its own stop-from-another-thread tests.
run_build tsan "front|search" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
    -DZORVAK_SANITIZE=thread -DZORVAK_BENCH=OFF
echo "all test builds passed"
