#!/usr/bin/env bash
# Times `velmor-cli solve` end to end (reading the file, solving, printing the report) on
# regular plane and space frames, tidy and scrambled, and reports the peak memory.
# Usage: bench/solve_timing.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '%-34s %8s %8s %10s %10s\n' model nodes beams seconds peak_MiB
run() {
    local name=$1; shift
    for order in tidy scrambled; do
        local flag=""
        [ "$order" = scrambled ] && flag=--scrambled
        "$build/bench/velmor-make-frame" "$@" "$work/m.vlm" $flag
        local info nodes beams
        info=$("$build/cli/velmor-cli" info "$work/m.vlm")
        nodes=$(sed -n 's/^nodes: //p' <<<"$info")
        beams=$(sed -n 's/^beams: //p' <<<"$info")
        /usr/bin/time -f '%e %M' -o "$work/time" "$build/cli/velmor-cli" solve "$work/m.vlm" \
            >/dev/null 2>&1
        read -r seconds kb <"$work/time"
        printf '%-34s %8s %8s %10s %10.0f\n' "$name ($order)" "$nodes" "$beams" "$seconds" \
            "$(echo "$kb / 1024" | bc -l)"
    done
}
run "plane 40x25" plane 40 25
run "plane 100x100" plane 100 100
run "plane 250x40" plane 250 40
run "plane 250x200" plane 250 200
run "space 13x13x13" space 13 13 13
run "space 22x22x21" space 22 22 21
