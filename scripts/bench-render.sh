#!/usr/bin/env bash
# Times velk-render writing one page as a PNG at 96 dpi against two PDF rasterisers drawing
# the same page at 96 dpi from the PDF velk-render makes of it - pdftoppm -r 96 (poppler-utils)
# and mutool draw -r 96 (mupdf-tools) - and velk-render's PDF export of a 1,000-page report
# against pdftocairo -pdf re-exporting that PDF. Whole programs are timed, start-up and file
# writing included, as a user would run them. The commands of a case take turns, run after
# run, so that a change in the machine's load falls on all of them; each time is the median.
# Each timed run follows an untimed `true`, so that no command pays for the large program
# before it (turn-timer says why).
#
#   scripts/bench-render.sh [NATIVE_BUILD [RUNS]]
#
# NATIVE_BUILD defaults to build/native (velk-render, turn-timer, dense-document, long-document
# and sample.vlk must be built); RUNS defaults to 30. Pages: the benchmarks' dense page (3,000
# texts, 500 lines, 200 boxes), a page of one line, and every page of the sample report.
# Goals: velk-render at least 10 times as fast as pdftoppm and 3 times as fast as mutool on
# every page, and its PDF export at least 5 times as fast as pdftocairo.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
native=$(cd "${1:-$repo/build/native}" && pwd)
runs=${2:-30}
render=$native/apps/velk-render/velk-render
timer=$native/benchmarks/turn-timer
for needed in "$render" "$timer" "$native/benchmarks/dense-document" \
    "$native/benchmarks/long-document" "$native/sample.vlk"; do
    if [[ ! -e $needed ]]; then
        echo "bench-render: $needed is missing; build the native preset first" >&2
        exit 1
    fi
done
for tool in pdftoppm mutool pdftocairo; do
    if ! command -v "$tool" >/dev/null; then
        echo "bench-render: $tool is missing; run scripts/setup.sh" >&2
        exit 1
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/velk" "$work/pdftoppm" "$work/mutool"
"$native/benchmarks/dense-document" "$work/dense.vlk" dense
"$native/benchmarks/dense-document" "$work/one-line.vlk" one-line
"$native/benchmarks/long-document" "$work/long.vlk" 1000

# Each command's median wall time in milliseconds, a line each: the commands take turns, RUNS
# times after two warm-up rounds, each after an untimed `true`, started directly rather than
# through a shell.
median_ms() {
    "$timer" "$runs" "$@"
}

ratio() {
    awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", a / b }'
}

verdict() {
    awk -v r="$1" -v goal="$2" 'BEGIN { print (r >= goal ? "met" : "NOT met") }'
}

echo "load: $(cut -d' ' -f1-3 /proc/loadavg), $runs runs of each command, medians in ms"
printf '\n%-16s %9s %9s %9s   %-22s %s\n' page velk pdftoppm mutool "pdftoppm/velk (10)" \
    "mutool/velk (3)"
# Each case: a name, the document, the page, and the directory to run in (the sample's
# chart bitmap is found beside it).
cases=("dense $work/dense.vlk 1 $work" "one-line $work/one-line.vlk 1 $work")
for page in $(seq 1 7); do
    cases+=("sample-$page $native/sample.vlk $page $native")
done
for case in "${cases[@]}"; do
    read -r name document page directory <<<"$case"
    cd "$directory"
    "$render" --pdf "$work/$name.pdf" --pages "$page" "$document"
    mapfile -t times < <(median_ms \
        "$render --dpi 96 --pages $page --out-dir $work/velk $document" \
        "pdftoppm -png -r 96 $work/$name.pdf $work/pdftoppm/page" \
        "mutool draw -q -r 96 -o $work/mutool/page.png $work/$name.pdf")
    poppler=$(ratio "${times[1]}" "${times[0]}")
    mupdf=$(ratio "${times[2]}" "${times[0]}")
    printf '%-16s %9s %9s %9s   %-22s %s\n' "$name" "${times[@]}" \
        "${poppler}x $(verdict "$poppler" 10)" "${mupdf}x $(verdict "$mupdf" 3)"
done

cd "$work"
"$render" --pdf "$work/long.pdf" long.vlk
mapfile -t times < <(median_ms "$render --pdf $work/long-again.pdf long.vlk" \
    "pdftocairo -pdf $work/long.pdf $work/long-cairo.pdf")
export_ratio=$(ratio "${times[1]}" "${times[0]}")
printf '\nPDF export of 1,000 pages: velk-render %s ms, pdftocairo -pdf %s ms: %sx as fast (goal 5: %s)\n' \
    "${times[0]}" "${times[1]}" "$export_ratio" "$(verdict "$export_ratio" 5)"
