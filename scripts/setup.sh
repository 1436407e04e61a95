#!/usr/bin/env bash
# Installs what building and testing velk needs from Debian's packages and creates the
# project's own Wine prefix. Safe to run again: it only touches what is missing.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

packages=(
    # native build, tests, sanitizers and fuzzing
    cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    libcairo2-dev libgdk-pixbuf-2.0-dev libfontconfig-dev libfreetype-dev zlib1g-dev
    libdeflate-dev
    fonts-liberation2 fonts-liberation fonts-dejavu-core imagemagick
    # scripts/bench-render.sh: the PDF rasterisers velk-render is timed against
    poppler-utils mupdf-tools
    # 32-bit Windows build and running it (velk-render.exe compresses its PNG pages with zlib)
    g++-mingw-w64-i686 mingw-w64-tools libz-mingw-w64-dev wine wine32 xvfb xauth
    # the installer velk-setup.exe (target velk_setup)
    nsis
)
# The printing tests' spooler and its PDF back end, without the desktop they recommend.
packages_without_recommends=(cups printer-driver-cups-pdf)

# Where 32-bit programs cannot run, the Windows code is tested as a 64-bit build.
if ! "$repo/scripts/runs-32bit.sh"; then
    packages+=(g++-mingw-w64-x86-64 wine64)
fi

source "$repo/scripts/as-root.sh"
source "$repo/scripts/wine-env.sh"

is_installed() {
    [[ $(dpkg-query -W -f='${db:Status-Abbrev}' "$1" 2>/dev/null) == ii* ]]
}

install_packages() {
    # wine32 is an i386 package.
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386
    fi

    local plain=() lean=()
    local package
    for package in "${packages[@]}"; do
        is_installed "$package" || plain+=("$package")
    done
    for package in "${packages_without_recommends[@]}"; do
        is_installed "$package" || lean+=("$package")
    done
    if [[ ${#plain[@]} -eq 0 && ${#lean[@]} -eq 0 ]]; then
        return
    fi

    echo "setup: installing ${plain[*]} ${lean[*]}"
    as_root apt-get update -q
    if [[ ${#plain[@]} -gt 0 ]]; then
        apt_install "${plain[@]}"
    fi
    if [[ ${#lean[@]} -gt 0 ]]; then
        apt_install --no-install-recommends "${lean[@]}"
    fi
    for package in "${plain[@]}" "${lean[@]}"; do
        if ! is_installed "$package"; then
            echo "setup: $package did not install" >&2
            exit 1
        fi
    done
}

apt_install() {
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$@" \
        | grep -E '^(Setting up|E:|W:)' || true
}

# The prefix is complete only once the marker exists: a run cut short leaves no marker, and
# the next run starts the prefix again instead of testing against a half-made one.
# $1 is 32 or 64, the bitness of the programs the prefix runs.
create_wine_prefix() {
    local wine
    if [[ $1 == 64 ]]; then use_wine64; else use_wine32; fi
    local marker=$WINEPREFIX/.velk-prefix-ready
    if [[ ! -f $marker ]]; then
        echo "setup: creating the Wine prefix $WINEPREFIX"
        wineserver -k >/dev/null 2>&1 || true
        rm -rf "$WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        # A 64-bit prefix without 32-bit Wine reports that its 32-bit half cannot start.
        WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
            xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
            sh -c '"$0" wineboot -i >/dev/null 2>&1; wineserver -w' "$wine"
        touch "$marker"
    fi
    apply_prefix_settings "$WINEPREFIX"
    # The installer's tests install and uninstall machine-wide, in a prefix of their own: a
    # copy of the main one (a prefix holds no absolute paths of its own).
    local copy=$WINEPREFIX-installer
    if [[ ! -f $copy/.velk-prefix-ready ]]; then
        echo "setup: creating the Wine prefix $copy"
        WINEPREFIX=$copy wineserver -k >/dev/null 2>&1 || true
        wineserver -k >/dev/null 2>&1 || true
        rm -rf "$copy"
        cp -a "$WINEPREFIX" "$copy"
        # Imported again: the main prefix's server may not have written its registry yet.
        rm -f "$copy/.velk-settings"
    fi
    apply_prefix_settings "$copy"
}

# Imports scripts/wine-prefix.reg into the prefix $1 unless this very file was imported last.
apply_prefix_settings() {
    local settings=$repo/scripts/wine-prefix.reg
    local applied=$1/.velk-settings
    local sum
    sum=$(sha256sum "$settings" | cut -d' ' -f1)
    [[ -f $applied && $(cat "$applied") == "$sum" ]] && return
    echo "setup: applying $settings to $1"
    WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" "$wine" regedit /S \
        "$(WINEPREFIX=$1 "$wine" winepath -w "$settings" 2>/dev/null)"
    WINEPREFIX=$1 wineserver -w
    echo "$sum" >"$applied"
}

install_packages
if "$repo/scripts/runs-32bit.sh"; then
    create_wine_prefix 32
else
    echo "setup: this machine cannot run 32-bit programs: velk.exe is built but tested as its 64-bit build"
    create_wine_prefix 64
fi
