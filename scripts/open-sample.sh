#!/usr/bin/env bash
# The main job: builds velk.exe and the sample report, then opens the sample in velk.exe under
# Wine (on a virtual display when there is none), saves a screenshot of its window as
# build/win32/sample-screenshot.png, prints what the document holds, and exports the sample with
# velk-render: build/native/sample-export/sample.pdf (printer rules) and sample-N.png (screen).
# A machine that cannot run 32-bit programs cannot run Wine: there only the export is made, and
# the script ends with status 1.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"

scripts/setup.sh
# Only what this script runs: the test programs are scripts/test.sh's to build.
cmake --preset native >/dev/null
cmake --build --preset native -j2 --target velk-info velk-render sample_document
win32_targets=(velk uidriver-snapshot)
if scripts/runs-32bit.sh; then
    # The Windows build writes its sample by running velk-samplegen under Wine, so the target
    # exists only where Wine runs.
    win32_targets+=(velk-samplegen sample_document)
fi
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j2 --target "${win32_targets[@]}"

sample=$repo/build/win32/sample.vlk
velk=$repo/build/win32/apps/velk/velk.exe
snapshot=$repo/build/win32/tools/uidriver/uidriver-snapshot.exe
picture=$repo/build/win32/sample-screenshot.bmp
screenshot=$repo/build/win32/sample-screenshot.png

# The sample names its chart bitmap without a folder: velk.exe runs beside it. The snapshot
# helper starts velk.exe, saves a picture of its window once the first page shows, and passes
# velk.exe's exit code on.
open_in_velk() {
    cd "$repo/build/win32"
    rm -f "$picture" "$screenshot"
    status=0
    if [[ -n ${DISPLAY:-} ]]; then
        # On the screen the window stays until its reader closes it.
        "$repo/scripts/wine-run" "$snapshot" "$velk" sample.vlk "$picture" || status=$?
    else
        # No display: a virtual one for this run, the window closed once pictured; Wine's
        # server goes with the display.
        xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
            bash -c '"$0" "$1" "$2" sample.vlk "$3" --close; rc=$?; WINEPREFIX="$4" wineserver -k; exit $rc' \
            "$repo/scripts/wine-run" "$snapshot" "$velk" "$picture" "$repo/build/wineprefix" || status=$?
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
    fi
}

status=0
if scripts/runs-32bit.sh; then
    open_in_velk
else
    echo "velk.exe was built ($velk) but this machine cannot run 32-bit programs, so Wine"
    echo "cannot start it here; the sample's pages are exported below instead."
    status=1
fi
# The native build's sample: the same file, and there on machines without Wine as well.
"$repo/build/native/tools/velk-info/velk-info" "$repo/build/native/sample.vlk"

export_dir=$repo/build/native/sample-export
mkdir -p "$export_dir"
cd "$repo/build/native"
apps/velk-render/velk-render --pdf "$export_dir/sample.pdf" sample.vlk
apps/velk-render/velk-render --out-dir "$export_dir" sample.vlk
echo "exported: $export_dir/sample.pdf and $(ls "$export_dir" | grep -c '\.png$') PNG pages"
exit "$status"
