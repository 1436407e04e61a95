#!/usr/bin/env bash
# velk-render as a user runs it, twice on the sample report with a cache directory of its own:
# the first run writes the glyph store file, the second paints from it, and both write the same
# PNG files. A damaged store file is learnt again and changes no page.
#
#   glyph_store.sh VELK_RENDER SAMPLE_VLK
set -euo pipefail

render=$1
sample=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CACHE_HOME=$work/cache
store=$XDG_CACHE_HOME/velk/glyphs

fail() {
    echo "glyph_store: $*" >&2
    exit 1
}

run() {
    mkdir -p "$work/$1"
    "$render" --out-dir "$work/$1" "$sample" || fail "velk-render failed in run $1"
}

same_pages() {
    for page in "$work/first"/*.png; do
        cmp -s "$page" "$work/$1/$(basename "$page")" || fail "$(basename "$page") differs in run $1"
    done
}

run first
[[ -s $store ]] || fail "the first run wrote no $store"
head -c 14 "$store" | grep -q '^velk-glyphs ' || fail "$store does not start as a glyph store"
written=$(stat -c %Y.%s "$store")

run second
same_pages second
# A run that learnt nothing new leaves the file as it was.
[[ $(stat -c %Y.%s "$store") == "$written" ]] || fail "the second run wrote $store again"

# Damaged past its header: the strikes are refused, learnt again and written whole.
size=$(stat -c %s "$store")
printf '\377%.0s' $(seq 1 64) | dd of="$store" bs=1 seek=$((size / 2)) conv=notrunc status=none
run damaged
same_pages damaged
run after
same_pages after

# Not a store at all.
echo "not a glyph store" >"$store"
run foreign
same_pages foreign
echo "glyph_store: $(ls "$work/first" | wc -l) pages the same in every run"
