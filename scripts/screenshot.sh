#!/usr/bin/env bash
# Takes screenshots of Corvalen under a virtual display with a window manager (so that the main
# window is really maximized): the splash, the main window, and whatever the steps script does.
# Usage: scripts/screenshot.sh OUT_DIR [WIDTHxHEIGHT] [PROGRAM]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:?output folder}
size=${2:-1280x800}
program=${3:-build/corvalen}
mkdir -p "$out"
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
xvfb-run -a -s "-screen 0 ${size}x24" bash -c "
    openbox >/dev/null 2>&1 &
    sleep 1
    '$program' >/dev/null 2>&1 &
    sleep 3; import -window root '$out/splash.png'
    sleep 6; import -window root '$out/main.png'
    kill %2 %1 2>/dev/null || true
"
