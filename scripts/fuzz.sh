#!/usr/bin/env bash
# Builds the fuzz targets of the document readers with clang and runs each for a bounded time
# (VELMOR_FUZZ_SECONDS, 30 by default) from the small corpus kept in tests/data/fuzz.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${VELMOR_FUZZ_SECONDS:-30}
CC=clang CXX=clang++ scripts/build.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVELMOR_FUZZ=ON -DVELMOR_GUI=OFF -DVELMOR_BENCH=OFF -DVELMOR_TESTS=OFF
for form in text binary; do
    work=$(mktemp -d)
    cp tests/data/fuzz/$form/* "$work"/
    echo "== fuzzing the $form reader for ${seconds}s"
    build-fuzz/fuzz/fuzz_document_$form -max_total_time="$seconds" -max_len=4096 \
        -print_final_stats=0 -close_fd_mask=3 "$work" 2>&1 | tail -n 3
    rm -rf "$work"
done
