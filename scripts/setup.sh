#!/usr/bin/env bash
# Installs and prepares everything the build and the tests need on a fresh Debian 12
# machine. Every step is cached: a second run only checks and returns.
set -euo pipefail
. "$(dirname "$0")/common.sh"

install_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    [ "$(id -u)" -eq 0 ] || die "packages missing (${missing[*]}); run this as root"
    step "installing ${#missing[@]} Debian packages (about a minute)"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# libjpeg-turbo from Debian's own source package, cross-built static with SIMD for Win64.
build_jpeg_win() {
    [ -f "$JPEG_WIN/lib/libjpeg.a" ] && return
    step "building libjpeg-turbo for Windows from Debian's sources (about 40 s)"
    local src="$DEPS/src"
    if ! compgen -G "$src/libjpeg-turbo-*/CMakeLists.txt" >/dev/null; then
        local list=/etc/apt/sources.list.d/kestrow-deb-src.sources
        if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
            [ -f /etc/apt/sources.list.d/debian.sources ] || die "no Debian sources list to derive deb-src from"
            sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$list"
            apt-get update -qq
        fi
        rm -rf "$src" && mkdir -p "$src"
        (cd "$src" && apt-get source -qq libjpeg-turbo >/dev/null 2>&1) || \
            (apt-get update -qq && cd "$src" && apt-get source -qq libjpeg-turbo >/dev/null)
    fi
    local dir
    dir=$(dirname "$(compgen -G "$src/libjpeg-turbo-*/CMakeLists.txt" | head -n1)")
    rm -rf "$DEPS/jpeg-build"
    cmake -S "$dir" -B "$DEPS/jpeg-build" -G "Unix Makefiles" \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$JPEG_WIN" \
        -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
        -DWITH_SIMD=ON -DREQUIRE_SIMD=ON >"$DEPS/jpeg-build.log" 2>&1 || die "libjpeg-turbo configure failed: $DEPS/jpeg-build.log"
    cmake --build "$DEPS/jpeg-build" -j2 >>"$DEPS/jpeg-build.log" 2>&1 || die "libjpeg-turbo build failed: $DEPS/jpeg-build.log"
    cmake --install "$DEPS/jpeg-build" >>"$DEPS/jpeg-build.log" 2>&1
    rm -rf "$DEPS/jpeg-build"
}

# Wine takes its ANSI code page from the glibc locale, which must exist; generate the
# two the tests use into a private folder instead of touching the system's.
make_locales() {
    mkdir -p "$LOCALES"
    local l
    for l in zh_CN en_US; do
        [ -d "$LOCALES/$l.UTF-8" ] && continue
        step "generating the $l.UTF-8 locale (a few seconds)"
        localedef -i "$l" -f UTF-8 "$LOCALES/$l.UTF-8" 2>/dev/null || [ -d "$LOCALES/$l.UTF-8" ] || die "localedef $l failed"
    done
}

# A Wine prefix with a fixed virtual desktop (with taskbar and notification area) and
# no window-manager waits; copied for every session so each run starts clean.
# Bump when the prefix's settings or the fonts it must see change.
WINE_TEMPLATE_VERSION=4
make_wine_template() {
    [ "$(cat "$WINE_TEMPLATE/.ready" 2>/dev/null)" = "$WINE_TEMPLATE_VERSION" ] && return
    step "creating the Wine prefix (about 15 s)"
    rm -rf "$WINE_TEMPLATE" && mkdir -p "$WINE_TEMPLATE"
    local reg="$DEPS/wine-settings.reg"
    cat > "$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops\Default]
"EnableShell"=dword:00000001

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
"Decorated"="N"

; A crashing program ends at once instead of waiting in the crash debugger.
[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]
"Debugger"=""
"Auto"="1"
REG
    (
        export WINEPREFIX="$WINE_TEMPLATE" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
        unset DISPLAY
        wineboot -i </dev/null >/dev/null 2>&1
        wine regedit /S "$reg" </dev/null >/dev/null 2>&1
        wineserver -w
    )
    # Wine's own TrueType fonts (Marlett draws the caption buttons, MS Sans Serif the
    # controls' text) are not picked up from its data folder here; install them.
    cp /usr/share/wine/fonts/*.ttf "$WINE_TEMPLATE/drive_c/windows/Fonts/"
    echo "$WINE_TEMPLATE_VERSION" > "$WINE_TEMPLATE/.ready"
}

install_packages
build_jpeg_win
make_locales
make_wine_template
