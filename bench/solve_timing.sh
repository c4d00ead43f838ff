#!/usr/bin/env bash
# Times `velmor-cli solve --json` end to end (reading the file, solving, writing every result as
# JSON) on regular plane and space frames, with the sparse solver and with the band solver, and
# reports the peak memory; prints a Markdown table.
# Usage: bench/solve_timing.sh [BUILD_DIR] [--quick] [--scrambled]   (default: build)
#   --quick leaves out the two largest frames (plane 250 x 200, space 37 x 37 x 37);
#   --scrambled writes the frames' nodes in a random order.
# The band solver is left out where it would take hours and tens of GiB (space 37 x 37 x 37,
# a band of about 8,000 equations), as the table says.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build
quick=0
scrambled=()
for arg in "$@"; do
    case $arg in
    --quick) quick=1 ;;
    --scrambled) scrambled=(--scrambled) ;;
    *) build=$arg ;;
    esac
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
timer=()
if [ -x /usr/bin/time ]; then timer=(/usr/bin/time -f '%e %M' -o "$work/time"); fi

echo '| model | nodes | beams | solver | seconds | peak MiB |'
echo '|---|---:|---:|---|---:|---:|'
# run NAME SOLVERS GENERATOR-ARGS...: SOLVERS is "sparse band" or "sparse".
run() {
    local name=$1 solvers=$2
    shift 2
    "$build/bench/velmor-make-frame" "$@" "$work/m.vlm" "${scrambled[@]}"
    local info nodes beams
    info=$("$build/cli/velmor-cli" info "$work/m.vlm")
    nodes=$(sed -n 's/^nodes: //p' <<<"$info")
    beams=$(sed -n 's/^beams: //p' <<<"$info")
    for solver in sparse band; do
        if [[ " $solvers " != *" $solver "* ]]; then
            echo "| $name | $nodes | $beams | $solver | not run (hours) | |"
            continue
        fi
        local seconds kb=""
        if [ ${#timer[@]} -gt 0 ]; then
            "${timer[@]}" "$build/cli/velmor-cli" solve "$work/m.vlm" --json --solver "$solver" \
                >/dev/null 2>&1 || true
            read -r seconds kb <"$work/time"
            kb=$(echo "$kb / 1024" | bc -l)
            kb=$(printf '%.0f' "$kb")
        else
            local start end
            start=$(date +%s.%N)
            "$build/cli/velmor-cli" solve "$work/m.vlm" --json --solver "$solver" >/dev/null 2>&1 || true
            end=$(date +%s.%N)
            seconds=$(printf '%.2f' "$(echo "$end - $start" | bc -l)")
        fi
        echo "| $name | $nodes | $beams | $solver | $seconds | $kb |"
    done
}
run "plane 100 x 100" "sparse band" plane 100 100
[ $quick = 1 ] || run "plane 250 x 200" "sparse band" plane 250 200
run "space 10 x 10 x 10" "sparse band" space 10 10 10
run "space 13 x 13 x 13" "sparse band" space 13 13 13
run "space 16 x 16 x 16" "sparse band" space 16 16 16
run "space 22 x 22 x 21" "sparse band" space 22 22 21
[ $quick = 1 ] || run "space 37 x 37 x 37" "sparse" space 37 37 37
