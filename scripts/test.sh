#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the whole suite in the
# normal build, then the core tests again under the address and undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DVELMOR_SANITIZE=ON -DVELMOR_GUI=OFF \
    -DVELMOR_BENCH=OFF

status=0
echo "== fuzzing the document readers"
scripts/fuzz.sh || status=1
echo "== sanitizer build: core tests"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j 2 || status=1
echo "== all tests"
ctest --test-dir build --output-on-failure -j 2 || status=1
exit $status
