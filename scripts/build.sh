#!/usr/bin/env bash
# Configures and builds one tree. Usage: scripts/build.sh DIR [cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1
shift
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_DIR=${CCACHE_DIR:-$PWD/.cache/ccache}
fi
generator=()
if command -v ninja >/dev/null; then generator=(-G Ninja); fi
# The project's own builds treat warnings as errors.
if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S . -B "$dir" "${generator[@]}" "${launcher[@]}" -DVELMOR_WERROR=ON "$@"
else
    cmake -S . -B "$dir" -DVELMOR_WERROR=ON "$@" >/dev/null
fi
cmake --build "$dir" -j "${VELMOR_JOBS:-2}"
