#!/usr/bin/env bash
# Installs and builds what is needed, then runs kestrow.exe under Wine: on your display
# when $DISPLAY is set (until you exit the program), otherwise on a private Xvfb display
# as a short demonstration with real input: a capture of a region saved as a JPEG, with
# pictures of the settings window and of the capture in progress, all under out/.
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
step "no display: a demonstration on a private Xvfb display"
session_start zh_CN "$BUILD/session-run"
out="$ROOT/out"
rm -f "$out"/kestrow-demo.jpg "$out"/settings.bmp "$out"/capture.bmp
band=$(desktop_scene "$BUILD/session-run")
wine "$EXE" </dev/null >/dev/null 2>&1 &
# shellcheck disable=SC2086  # the band is four numbers
wine "$BUILD/windows/bin/demo.exe" "Z:$out" $band </dev/null 2>/dev/null | tr -d '\r' || die "the demonstration failed"
convert "$out/settings.bmp" "$out/kestrow-screen.png" && rm -f "$out/settings.bmp"
convert "$out/capture.bmp" "$out/kestrow-capture.png" && rm -f "$out/capture.bmp"
step "the settings window:     $out/kestrow-screen.png"
step "a capture in progress:   $out/kestrow-capture.png"
step "the captured region:     $out/kestrow-demo.jpg"
