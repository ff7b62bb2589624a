#!/usr/bin/env bash
# Runs the project's benchmarks (never part of the tests): natively, and the Windows
# build of the same benchmarks under Wine.
set -euo pipefail
. "$(dirname "$0")/common.sh"

"$ROOT/scripts/setup.sh"
build_native
build_windows
step "capture window, native"
"$BUILD/native/bin/capture_bench"
step "capture delivery, native"
"$BUILD/native/bin/delivery_bench"
step "capture window, Windows build under Wine"
export WINEPREFIX="$BUILD/session-bench/prefix" WINEDEBUG=-all
if [ ! -d "$WINEPREFIX" ]; then mkdir -p "$BUILD/session-bench" && cp -a "$WINE_TEMPLATE" "$WINEPREFIX"; fi
wine "$BUILD/windows/bin/capture_bench.exe" </dev/null 2>/dev/null | tr -d '\r'
wineserver -k 2>/dev/null || true
