# Sourced by the scripts that run Wine: which Wine and which prefix a program needs.
# ${repo} is the repository's top folder.

# The machine a Windows program is built for, as in its PE header: 14c (32-bit x86) or 8664
# (x86-64); empty when the file is not a program.
pe_machine() {
    local header
    header=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ') || return
    [[ -n $header ]] || return
    od -An -tx2 -j$((header + 4)) -N2 "$1" 2>/dev/null | tr -d ' '
}

# Debian's "wine" starts 32-bit Wine whenever wine32 is installed, so 64-bit Wine is started
# by its own loader.
use_wine64() {
    export WINEPREFIX=$repo/build/wineprefix64 WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
    wine=/usr/lib/wine/wine64
}

use_wine32() {
    export WINEPREFIX=$repo/build/wineprefix WINEARCH=win32
    unset WINELOADER
    wine=wine
}

# The Windows build whose programs run here: win32, or win64 on a machine that cannot run
# 32-bit programs. Sets $windows_preset and, through use_wine32 or use_wine64, Wine's prefix.
pick_windows_preset() {
    if "$repo/scripts/runs-32bit.sh"; then
        windows_preset=win32
        use_wine32
    else
        windows_preset=win64
        use_wine64
    fi
}
