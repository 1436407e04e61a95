#!/usr/bin/env bash
# Times velk-render writing one page as a PNG at 96 dpi against two PDF rasterisers drawing
# the same page at 96 dpi from the PDF velk-render makes of it - pdftoppm -r 96 (poppler-utils)
# and mutool draw -r 96 (mupdf-tools) - and prints the times and the ratios. Whole programs
# are timed, start-up and file writing included, as a user would run them.
#
#   scripts/bench-render.sh [NATIVE_BUILD [RUNS]]
#
# NATIVE_BUILD defaults to build/native (velk-render, dense-document and sample.vlk must be
# built). Pages: the benchmarks' dense page (3,000 texts, 500 lines, 200 boxes), page 2 of
# the sample report (a table and notes) and its page 3 (a chart drawn from a bitmap file, which
# loads gdk-pixbuf). hyperfine is used when installed, else RUNS (default 30) runs of each
# command timed with date +%s%N. The goal: velk-render at least 1.5 times as fast as pdftoppm
# and no slower than mutool.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
native=$(cd "${1:-$repo/build/native}" && pwd)
runs=${2:-30}
render=$native/apps/velk-render/velk-render
dense_document=$native/benchmarks/dense-document
for needed in "$render" "$dense_document" "$native/sample.vlk"; do
    if [[ ! -e $needed ]]; then
        echo "bench-render: $needed is missing; build the native preset first" >&2
        exit 1
    fi
done
for tool in pdftoppm mutool; do
    if ! command -v "$tool" >/dev/null; then
        echo "bench-render: $tool is missing; run scripts/setup.sh" >&2
        exit 1
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/velk" "$work/pdftoppm" "$work/mutool"
"$dense_document" "$work/dense.vlk"

# Mean wall time of a command in milliseconds.
mean_ms() {
    if command -v hyperfine >/dev/null; then
        hyperfine --warmup 3 --min-runs "$runs" -N --export-csv "$work/time.csv" "$1" \
            >/dev/null 2>&1
        awk -F, 'NR == 2 { printf "%.2f", $2 * 1000 }' "$work/time.csv"
    else
        local i start end total=0
        for ((i = 0; i < 3; ++i)); do $1 >/dev/null 2>&1; done
        for ((i = 0; i < runs; ++i)); do
            start=$(date +%s%N)
            $1 >/dev/null 2>&1
            end=$(date +%s%N)
            total=$((total + end - start))
        done
        awk -v t="$total" -v n="$runs" 'BEGIN { printf "%.2f", t / n / 1e6 }'
    fi
}

ratio() {
    awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'
}

verdict() {
    awk -v r="$1" -v goal="$2" 'BEGIN { print (r >= goal ? "met" : "NOT met") }'
}

echo "timer: $(command -v hyperfine >/dev/null && echo hyperfine || echo "date loop") ($runs runs)"
status=0
# Each case: a name, the document, the page, and the directory to run in (the sample's
# chart bitmap is found beside it).
while read -r name document page directory; do
    cd "$directory"
    "$render" --pdf "$work/$name.pdf" --pages "$page" "$document"
    velk=$(mean_ms "$render --dpi 96 --pages $page --out-dir $work/velk $document")
    poppler=$(mean_ms "pdftoppm -r 96 $work/$name.pdf $work/pdftoppm/page")
    mupdf=$(mean_ms "mutool draw -q -r 96 -o $work/mutool/page.png $work/$name.pdf")
    against_poppler=$(ratio "$poppler" "$velk")
    against_mupdf=$(ratio "$mupdf" "$velk")
    echo
    echo "$name (page $page)"
    printf '  velk-render PNG   %8s ms\n' "$velk"
    printf '  pdftoppm -r 96    %8s ms   velk-render %sx as fast (goal 1.5: %s)\n' \
        "$poppler" "$against_poppler" "$(verdict "$against_poppler" 1.5)"
    printf '  mutool draw -r 96 %8s ms   velk-render %sx as fast (goal 1.0: %s)\n' \
        "$mupdf" "$against_mupdf" "$(verdict "$against_mupdf" 1.0)"
done <<CASES
dense $work/dense.vlk 1 $work
sample-page-2 $native/sample.vlk 2 $native
sample-page-3 $native/sample.vlk 3 $native
CASES
exit $status
