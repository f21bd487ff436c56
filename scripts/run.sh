#!/usr/bin/env bash
# Installs what is missing, builds, and starts Corvalen. Without a display it starts a virtual one.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
program=${CORVALEN_PROGRAM:-build/demo/corvalen-demo}
# The browser engine refuses its sandbox to root.
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$program"
fi
exec "$program"
