#!/usr/bin/env bash
# Times velk-render writing page 1 and the last page of a long report (50,000 pages) as PNG
# files against the same page of a one-page report, measures each run's peak memory with
# /usr/bin/time -v, and prints the ratios. Whole programs are timed, start-up and file
# writing included. The goal: within 1.5 times the time and 8 MB of the memory of the one-page
# report.
#
#   scripts/bench-scale.sh [NATIVE_BUILD [RUNS [PAGES]]]
#
# NATIVE_BUILD defaults to build/native (velk-render, long-document and turn-timer must be
# built). Times are medians of RUNS runs (default 30), taken by turn-timer; peak memory is the
# median of five runs.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
native=$(cd "${1:-$repo/build/native}" && pwd)
runs=${2:-30}
pages=${3:-50000}
render=$native/apps/velk-render/velk-render
writer=$native/benchmarks/long-document
timer=$native/benchmarks/turn-timer
for needed in "$render" "$writer" "$timer" /usr/bin/time; do
    if [[ ! -x $needed ]]; then
        echo "bench-scale: $needed is missing; build the native preset first" >&2
        exit 1
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/out"
"$writer" "$work/one.vlk" 1
"$writer" "$work/long.vlk" "$pages"

# Median peak resident set size of a command in megabytes.
peak_mb() {
    local i
    for ((i = 0; i < 5; ++i)); do
        /usr/bin/time -v $1 2>&1 >/dev/null | awk -F': ' '/Maximum resident set size/ { print $2 }'
    done | sort -n | awk '{ k[NR] = $1 } END { printf "%.1f", k[3] / 1024 }'
}

one="$render --pages 1 --out-dir $work/out $work/one.vlk"
first="$render --pages 1 --out-dir $work/out $work/long.vlk"
last="$render --pages $pages --out-dir $work/out $work/long.vlk"
# The three runs take turns, so that a change in the machine's load falls on all of them.
mapfile -t times < <("$timer" "$runs" "$one" "$first" "$last")
base_mb=$(peak_mb "$one")
printf '%-30s %9s %10s\n' "" "time ms" "peak MB"
printf '%-30s %9s %10s\n' "one-page report, page 1" "${times[0]}" "$base_mb"
long_pages=(1 "$pages")
for run in 1 2; do
    page=${long_pages[run - 1]}
    ms=${times[run]}
    mb=$(peak_mb "$render --pages $page --out-dir $work/out $work/long.vlk")
    awk -v name="$pages-page report, page $page" -v ms="$ms" -v mb="$mb" -v bms="${times[0]}" \
        -v bmb="$base_mb" 'BEGIN {
            ratio = ms / bms
            more = mb - bmb
            printf "%-30s %9s %10s   time %.2fx (goal 1.5: %s), memory %+.1f MB (goal 8: %s)\n",
                name, ms, mb, ratio, ratio <= 1.5 ? "met" : "NOT met", more,
                more <= 8 ? "met" : "NOT met"
        }'
done
