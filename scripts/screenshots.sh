#!/usr/bin/env bash
# Regenerates the README's pictures: the program is started under Wine on a private Xvfb
# display, over a desktop with notes and a game on it, and photographed there: its
# settings window, then a capture in progress (the band drawn around the game).
set -euo pipefail
. "$(dirname "$0")/common.sh"

"$ROOT/scripts/setup.sh"
build_windows
trap session_stop EXIT
session_start zh_CN "$BUILD/session-shots"
mkdir -p "$ROOT/docs"
run="$BUILD/session-shots"
band=$(desktop_scene "$run")

wine "$BUILD/windows/bin/kestrow.exe" </dev/null >/dev/null 2>&1 &
read -r x y w h < <(wine "$BUILD/windows/bin/wait_window.exe" TForm2 </dev/null 2>/dev/null | tr -d '\r') \
    || die "the settings window did not appear"
xwd -root -silent -display "$DISPLAY" | convert xwd:- -crop "${w}x${h}+${x}+${y}" +repage "$ROOT/docs/settings-window.png"
step "wrote docs/settings-window.png"

# shellcheck disable=SC2086  # the band is four numbers
wine "$BUILD/windows/bin/demo.exe" "Z:$run" $band </dev/null 2>/dev/null | tr -d '\r' || die "the capture did not complete"
convert "$run/capture.bmp" "$ROOT/docs/capture-in-progress.png"
step "wrote docs/capture-in-progress.png"
