#!/usr/bin/env bash
# A long watch on the real engine: REFRESHES refreshes (2000 unless told) cycling through good and
# hostile list pages, with the proportional memory (PSS) of the program and its browser processes printed
# every hundred refreshes. Usage: scripts/long-watch.sh [REFRESHES] [BUILD_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
refreshes=${1:-2000}
build=${2:-build}
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
CORVALEN_LONG_WATCH_REFRESHES=$refreshes QT_QPA_PLATFORM=offscreen \
    "$build/tests/corvalen_e2e_tests" --gtest_filter='LongWatch*' 2>/dev/null | grep -E '^(idle|refresh|\[)'
