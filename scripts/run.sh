#!/usr/bin/env bash
# Installs what is missing (asking sudo for it when not root), builds, and starts Corvalen.
# Without a display it starts a virtual one.
#
# The browser engine refuses its sandbox to root. The demo shows only this computer's simulation
# and the built-in pages, and may run as root with the sandbox off. The real program shows the
# shop's and other sites' pages, and never does: run as root through sudo, it starts as the user
# who ran sudo; run as root with no such user, it stops.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
program=${CORVALEN_PROGRAM:-build/demo/corvalen-demo}
launcher=()
if [ "$(id -u)" -eq 0 ]; then
    if [ "$(basename "$program")" = corvalen-demo ]; then
        export QTWEBENGINE_DISABLE_SANDBOX=1
    elif [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then
        home=$(getent passwd "$SUDO_USER" | cut -d: -f6)
        uid=$(id -u "$SUDO_USER")
        if ! runuser -u "$SUDO_USER" -- test -x "$program"; then
            echo "run.sh: $SUDO_USER cannot start $program: put the project where $SUDO_USER" \
                "can read it" >&2
            exit 1
        fi
        unset QTWEBENGINE_DISABLE_SANDBOX
        launcher=(runuser -u "$SUDO_USER" -- env HOME="$home" USER="$SUDO_USER" LOGNAME="$SUDO_USER")
        # The user's own session bus and sound server, where the user is logged in.
        [ ! -d "/run/user/$uid" ] || launcher+=(XDG_RUNTIME_DIR="/run/user/$uid")
    else
        echo "run.sh: $program shows the shop's pages, and runs only as a normal user, with the" \
            "browser engine's sandbox on. Run this script as a normal user (it asks sudo for" \
            "the install step), or through sudo from one." >&2
        exit 1
    fi
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    launcher+=(xvfb-run -a -s "-screen 0 1280x800x24")
fi
exec "${launcher[@]}" "$program"
