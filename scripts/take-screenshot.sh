#!/usr/bin/env bash
# Takes docs/screenshot.png: the demo's main window on the watcher's tab during a watch, on a
# 1280 × 800 virtual screen with a window manager.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v openbox >/dev/null || { echo "needs openbox: apt-get install openbox" >&2; exit 1; }
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
mkdir -p docs
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    openbox >/dev/null 2>&1 &
    sleep 1
    build/demo/corvalen-screenshot docs/screenshot.png
    status=$?
    kill %1 2>/dev/null || true
    exit $status
'
