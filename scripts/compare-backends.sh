#!/usr/bin/env bash
# Renders every page of the sample document at 96 dpi through both drawing back ends - Cairo
# (the native velk-render) and GDI (velk-render.exe under Wine) - and prints, per page, the
# share of pixels that differ beyond a one-pixel and a small colour tolerance, and the share
# that differ at all (pixel-compare). The goal is under 1 % beyond the tolerance on every page.
#
#   scripts/compare-backends.sh [NATIVE_BUILD [WINDOWS_BUILD [OUT_DIR]]]
#
# Defaults: build/native, the Windows build this machine runs (build/win32, or build/win64
# where 32-bit programs cannot run), build/compare-backends. Both builds must be built;
# the sample is NATIVE_BUILD/sample.vlk with its chart bitmap beside it, so both programs run
# from that directory. OUT_DIR receives cairo/, gdi/ and diff/ (red: the differing pixels).
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$repo/scripts/wine-env.sh"
pick_windows_preset
native=$(cd "${1:-$repo/build/native}" && pwd)
win32=$(cd "${2:-$repo/build/$windows_preset}" && pwd)
out=${3:-$repo/build/compare-backends}

render_native=$native/apps/velk-render/velk-render
render_win32=$win32/apps/velk-render/velk-render.exe
compare=$native/tools/pixel-compare/pixel-compare
sample=$native/sample.vlk
for needed in "$render_native" "$render_win32" "$compare" "$sample"; do
    if [[ ! -e $needed ]]; then
        echo "compare-backends: $needed is missing; build both presets first" >&2
        exit 1
    fi
done

rm -rf "$out"
mkdir -p "$out/cairo" "$out/gdi" "$out/diff"
out=$(cd "$out" && pwd)
cd "$native"
"$render_native" --dpi 96 --out-dir "$out/cairo" sample.vlk
# Wine sees the Linux root as drive Z:.
"$repo/scripts/wine-run" "$render_win32" --dpi 96 --out-dir "Z:$out/gdi" sample.vlk

printf '%-6s %s\n' page "GDI/Cairo: pixels that differ"
status=0
for cairo_page in "$out"/cairo/*.png; do
    name=$(basename "$cairo_page")
    page=${name##*-}
    page=${page%.png}
    if [[ ! -f $out/gdi/$name ]]; then
        printf '%-6s %s\n' "$page" "missing from the GDI rendering"
        status=1
        continue
    fi
    printf '%-6s %s\n' "$page" "$("$compare" "$cairo_page" "$out/gdi/$name" --diff "$out/diff/$name")"
done
exit $status
