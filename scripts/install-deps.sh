#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Corvalen needs, on Debian 12
# or 13 (or testing). Safe to run again: it only installs what is missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config clang-format clang libclang-rt-dev
    qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webengine-dev-tools
    qt6-multimedia-dev qt6-httpserver-dev qt6-websockets-dev libqt6svg6
    libgl-dev
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav libmpg123-dev libpulse-dev
    pulseaudio pulseaudio-utils
    fonts-noto-cjk fonts-dejavu-core qt6-translations-l10n
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth imagemagick openbox wmctrl openssl
    git file
)

# The check of the Windows workflow runs a validator from the npm registry; a Node.js that is
# already here (with its own npm) serves.
command -v npm >/dev/null || packages+=(nodejs npm)
# On Debian 12 the test command proves the program on the newest Qt too, in a root of Debian's
# testing release.
. /etc/os-release
[ "${VERSION_CODENAME:-}" != bookworm ] || packages+=(debootstrap)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
