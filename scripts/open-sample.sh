#!/usr/bin/env bash
# The main job: builds velk.exe and the sample report, then opens the sample in velk.exe under
# Wine (on a virtual display when there is none) and prints what the document holds.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"

scripts/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native -j2
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j2

sample=$repo/build/win32/sample.vlk
velk=$repo/build/win32/apps/velk/velk.exe

# The sample names its chart bitmap without a folder: velk.exe runs beside it.
cd "$repo/build/win32"
status=0
if [[ -n ${DISPLAY:-} ]]; then
    "$repo/scripts/wine-run" "$velk" "$sample" || status=$?
else
    # No display: a virtual one for this run; Wine's server goes with it.
    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
        bash -c '"$0" "$1" "$2"; rc=$?; WINEPREFIX="$3" wineserver -k; exit $rc' \
        "$repo/scripts/wine-run" "$velk" "$sample" "$repo/build/wineprefix" || status=$?
fi

case $status in
    0) echo "velk.exe opened and validated $sample" ;;
    2) echo "velk.exe: Unable to locate file: $sample" ;;
    3) echo "velk.exe: Unable to open file: $sample" ;;
    4) echo "velk.exe: $sample is not a velk document" ;;
    *) echo "velk.exe ended with status $status" ;;
esac
"$repo/build/native/tools/velk-info/velk-info" "$sample"
exit "$status"
