# Shared by the project's scripts: paths, logging and the Wine/Xvfb session helpers.
# Source it; it defines functions only and changes nothing by itself.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build"
DEPS="$BUILD/deps"
JPEG_WIN="$DEPS/libjpeg-turbo-win"
LOCALES="$DEPS/locale"
WINE_TEMPLATE="$DEPS/wine-template"

step() { printf '==> %s\n' "$*"; }
die() { printf 'error: %s\n' "$*" >&2; exit 1; }

# Tools used by the build and the tests, all from Debian's packages. Wine's usual
# recommends are named explicitly because the install skips recommends.
PACKAGES=(
    cmake make g++ libgtest-dev googletest libjpeg-dev libjpeg-turbo-progs
    g++-mingw-w64-x86-64-posix nasm dpkg-dev
    wine wine64 xvfb x11-apps xdotool imagemagick fonts-wqy-microhei fonts-wine locales
    libfreetype6 libfontconfig1 libxrandr2 libxi6 libxcursor1 libxinerama1 libxcomposite1 libxfixes3
)

# Configures and builds the native and the Windows trees (incremental after the first run).
build_native() {
    step "building the native tree (portable code and unit tests)"
    cmake -S "$ROOT" -B "$BUILD/native" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release >"$BUILD/native-configure.log" 2>&1 \
        || { cat "$BUILD/native-configure.log"; die "native configure failed"; }
    cmake --build "$BUILD/native" -j2 -- --no-print-directory -s || die "native build failed"
}

build_windows() {
    step "building the Windows tree (kestrow.exe, unit tests, end-to-end driver)"
    cmake -S "$ROOT" -B "$BUILD/windows" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" -DJPEG_WIN_DIR="$JPEG_WIN" \
        >"$BUILD/windows-configure.log" 2>&1 || { cat "$BUILD/windows-configure.log"; die "Windows configure failed"; }
    cmake --build "$BUILD/windows" -j2 -- --no-print-directory -s || die "Windows build failed"
}

# A Wine session on a private Xvfb display, in a fresh copy of the prefix template, with
# the given glibc locale (zh_CN gives Wine code page 936, en_US gives 1252). Sets
# DISPLAY, WINEPREFIX and the locale for the caller; session_stop ends everything.
SESSION_XVFB=
session_start() {
    local locale=$1 run=$2 dpi=${3:-96}
    umount "$run/small-volume" 2>/dev/null || true  # left mounted by an interrupted run
    rm -rf "$run" && mkdir -p "$run"
    cp -a "$WINE_TEMPLATE" "$run/prefix"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$run/display" >"$run/xvfb.log" 2>&1 &
    SESSION_XVFB=$!
    local tries=0
    until [ -s "$run/display" ]; do
        tries=$((tries + 1)); [ $tries -lt 200 ] || die "Xvfb did not start: $run/xvfb.log"
        sleep 0.05
    done
    export DISPLAY=":$(cat "$run/display")"
    export WINEPREFIX="$run/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    export LOCPATH="$LOCALES"
    # bash itself need not find the private locale; only Wine reads it, through LOCPATH
    { unset LC_ALL LC_CTYPE LC_MESSAGES; export LANG="$locale.UTF-8"; } 2>/dev/null
    wineserver -p
    # Boot the session with a trivial program whose stdio is /dev/null: Wine's helper
    # processes inherit the booting process's stdio and would hold the callers' pipes.
    timeout 120 wine cmd /c exit </dev/null >/dev/null 2>&1 || die "Wine did not boot"
    if [ "$dpi" != 96 ]; then
        # The dpi is read when the session starts: set it, then start the session anew.
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
        wineserver -k && wineserver -w
        wineserver -p
        timeout 120 wine cmd /c exit </dev/null >/dev/null 2>&1 || die "Wine did not boot"
    fi
}

# A volume of its own, 2 MiB of tmpfs, as drive K: of the session, for the scenarios in
# which the disk fills up during a write. Mounting needs root; where it is refused,
# KESTROW_E2E_SMALL_DRIVE stays unset and those scenarios report themselves skipped.
SESSION_SMALL=
small_drive_start() {
    local run=$1
    mkdir -p "$run/small-volume"
    if mount -t tmpfs -o size=2m,mode=0777 kestrow-small "$run/small-volume" 2>/dev/null; then
        SESSION_SMALL="$run/small-volume"
        ln -sfn "$SESSION_SMALL" "$WINEPREFIX/dosdevices/k:"
        export KESTROW_E2E_SMALL_DRIVE='K:'
    else
        step "note: no small volume (mounting a tmpfs needs root); the full-volume scenarios will be skipped"
        unset KESTROW_E2E_SMALL_DRIVE
    fi
}

# Something on the session's desktop worth capturing: notes in Notepad and Wine's
# Minesweeper beside them (its class name is translated, hence the prefix). Prints a
# region around the game as "left top right bottom".
desktop_scene() {
    local run=$1 wait="$BUILD/windows/bin/wait_window.exe" x y w h
    { printf '\xef\xbb\xbf'; printf '%s\r\n' '会议记录 2026-12-11' '' '1. 新版本的截图工具已经可以使用' \
        '2. 按 Ctrl+Q 截取屏幕的一个区域' '3. 图片质量在设置窗口里修改' '' 'Meeting notes: the capture tool is ready'; } \
        >"$run/notes.txt"
    local notes="Z:$run/notes.txt"
    wine notepad "${notes//\//\\}" </dev/null >/dev/null 2>&1 &
    wine "$wait" Notepad 24 24 600 420 </dev/null >/dev/null 2>&1 || die "Notepad did not appear"
    wine winemine </dev/null >/dev/null 2>&1 &
    read -r x y w h < <(wine "$wait" 'Wine*' 680 150 </dev/null 2>/dev/null | tr -d '\r') || die "Minesweeper did not appear"
    echo "$((x - 20)) $((y - 20)) $((x + w + 20)) $((y + h + 20))"
}

session_stop() {
    [ -n "${WINEPREFIX:-}" ] && timeout 30 wineserver -k 2>/dev/null || true
    [ -n "$SESSION_SMALL" ] && umount "$SESSION_SMALL" 2>/dev/null || true
    SESSION_SMALL=
    [ -n "$SESSION_XVFB" ] && kill "$SESSION_XVFB" 2>/dev/null && wait "$SESSION_XVFB" 2>/dev/null || true
    SESSION_XVFB=
}
