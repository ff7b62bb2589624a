#!/usr/bin/env bash
# Installs and builds what is needed, then runs kestrow.exe under Wine: on your display
# when $DISPLAY is set (until you exit the program), otherwise on a private Xvfb display,
# where it saves a screenshot of what the program shows under out/ and stops.
set -euo pipefail
. "$(dirname "$0")/common.sh"

"$ROOT/scripts/setup.sh"
build_windows
EXE="$BUILD/windows/bin/kestrow.exe"
mkdir -p "$ROOT/out"

if [ -n "${DISPLAY:-}" ]; then
    # A prefix of its own that persists between runs, so the settings file stays.
    if [ ! -f "$DEPS/wine-user/.ready" ]; then
        rm -rf "$DEPS/wine-user" && cp -a "$WINE_TEMPLATE" "$DEPS/wine-user"
    fi
    export WINEPREFIX="$DEPS/wine-user" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LOCPATH="$LOCALES"
    { export LANG=zh_CN.UTF-8; } 2>/dev/null
    step "starting kestrow.exe on $DISPLAY (settings file: $WINEPREFIX/drive_c/windows/kestrow.ini)"
    exec wine "$EXE"
fi

trap session_stop EXIT
step "no display: starting kestrow.exe on a private Xvfb display"
session_start zh_CN "$BUILD/session-run"
wine "$EXE" </dev/null >/dev/null 2>&1 &
wine "$BUILD/windows/bin/wait_window.exe" TForm2 </dev/null >/dev/null 2>&1 || die "the settings window did not appear"
shot="$ROOT/out/kestrow-screen.png"
xwd -root -silent -display "$DISPLAY" | convert xwd:- "$shot"
step "screenshot of the running program: $shot"
