#!/usr/bin/env bash
# Times building a self-extracting viewer from a 100 MB document against `cp` of the same
# document on the same disk, and prints the speed ratio (1.0: as fast as copying). Medians of
# interleaved runs; the caches are warm for both.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cmake --build --preset native --target build-viewer >/dev/null
tool=$repo/build/native/benchmarks/build-viewer
work=$(mktemp -d "$repo/build/bench-save.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The builder copies a document's bytes whatever they hold: a header's worth and 100 MB.
head -c $((100 * 1024 * 1024)) /dev/urandom >"$work/document.vlk"
stub=$tool

runs=7
build_times=()
copy_times=()
for ((run = 0; run < runs; run++)); do
    rm -f "$work/viewer.exe" "$work/copy.vlk"
    start=$(date +%s%N)
    "$tool" "$work/document.vlk" "$stub" "$work/viewer.exe"
    build_times+=($(($(date +%s%N) - start)))
    start=$(date +%s%N)
    cp "$work/document.vlk" "$work/copy.vlk"
    copy_times+=($(($(date +%s%N) - start)))
done

median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
build=$(median "${build_times[@]}")
copy=$(median "${copy_times[@]}")
awk -v b="$build" -v c="$copy" 'BEGIN {
    printf "self-extracting viewer from 100 MB: %.1f ms; cp: %.1f ms; speed ratio to cp: %.2f\n",
        b / 1e6, c / 1e6, c / b }'
