#!/usr/bin/env bash
# The main job: builds velk.exe and the sample report, then opens the sample in velk.exe under
# Wine (on a virtual display when there is none), saves a screenshot of its window as
# build/win32/sample-screenshot.png, prints what the document holds, and exports the sample with
# velk-render: build/native/sample-export/sample.pdf (printer rules) and sample-N.png (screen).
# A machine that cannot run 32-bit programs builds velk.exe all the same and opens the sample in
# the 64-bit build of the same program (build/win64) under 64-bit Wine.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"

scripts/setup.sh
# Only what this script runs: the test programs are scripts/test.sh's to build.
cmake --preset native >/dev/null
cmake --build --preset native -j2 --target velk-info velk-render sample_document
source scripts/wine-env.sh
pick_windows_preset
cmake --preset win32 >/dev/null
if [[ $windows_preset == win32 ]]; then
    # The Windows build writes its sample by running velk-samplegen under Wine.
    cmake --build --preset win32 -j2 --target velk uidriver-snapshot sample_document
else
    cmake --build --preset win32 -j2 --target velk
    cmake --preset win64 >/dev/null
    cmake --build --preset win64 -j2 --target velk uidriver-snapshot sample_document
fi

build=$repo/build/$windows_preset
sample=$build/sample.vlk
velk=$build/apps/velk/velk.exe
snapshot=$build/tools/uidriver/uidriver-snapshot.exe
picture=$build/sample-screenshot.bmp
screenshot=$build/sample-screenshot.png

# The sample names its chart bitmap without a folder: velk.exe runs beside it. The snapshot
# helper starts velk.exe, saves a picture of its window once the first page shows, and passes
# velk.exe's exit code on.
open_in_velk() {
    cd "$build"
    rm -f "$picture" "$screenshot"
    status=0
    if [[ -n ${DISPLAY:-} ]]; then
        # On the screen the window stays until its reader closes it.
        "$repo/scripts/wine-run" "$snapshot" "$velk" sample.vlk "$picture" || status=$?
    else
        # No display: a virtual one for this run, the window closed once pictured; Wine's
        # server goes with the display. A server left running from an earlier run talks to a
        # display that is gone: velk.exe would end without a window.
        wineserver -k >/dev/null 2>&1 || true
        xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
            bash -c '"$0" "$1" "$2" sample.vlk "$3" --close; rc=$?; WINEPREFIX="$4" wineserver -k; exit $rc' \
            "$repo/scripts/wine-run" "$snapshot" "$velk" "$picture" "$WINEPREFIX" || status=$?
    fi

    case $status in
        0) echo "velk.exe showed $sample" ;;
        2) echo "velk.exe: Unable to locate file: $sample" ;;
        3) echo "velk.exe: Unable to open file: $sample" ;;
        4) echo "velk.exe: $sample is not a velk document" ;;
        *) echo "velk.exe ended with status $status" ;;
    esac
    if [[ -f $picture ]] && convert "$picture" "$screenshot"; then
        rm -f "$picture"
        echo "screenshot of the window: $screenshot"
    else
        echo "no screenshot of velk.exe's window was made"
        [[ $status -ne 0 ]] || status=1
    fi
}

if [[ $windows_preset == win64 ]]; then
    echo "this machine cannot run 32-bit programs: velk.exe is built (build/win32), and the sample"
    echo "opens in its 64-bit build, the same program, under 64-bit Wine"
fi
open_in_velk
# The native build's sample: the same file as the Windows build's.
"$repo/build/native/tools/velk-info/velk-info" "$repo/build/native/sample.vlk"

export_dir=$repo/build/native/sample-export
mkdir -p "$export_dir"
cd "$repo/build/native"
apps/velk-render/velk-render --pdf "$export_dir/sample.pdf" sample.vlk
apps/velk-render/velk-render --out-dir "$export_dir" sample.vlk
echo "exported: $export_dir/sample.pdf and $(ls "$export_dir" | grep -c '\.png$') PNG pages"
exit "$status"
