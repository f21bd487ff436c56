#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: what can be checked here of the Windows
# release, the main build's tests (unit, end to end on the real engine, fuzzing, format, package),
# the checks as a normal user with the engine's sandbox on (their log shown whole), the unit
# tests again under the address and undefined-behaviour sanitizers, and on Debian 12, whose Qt is
# 6.4, the unit and end-to-end tests again on the newest Qt, in a root of Debian testing.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
bash scripts/check-windows-release.sh build
export QTWEBENGINE_DISABLE_SANDBOX=1
ctest --test-dir build --output-on-failure --timeout 900 --exclude-regex '^as-user$'
grep -m1 -h 'browser engine Chromium' build/Testing/Temporary/LastTest.log
# The unit tests again as a Windows runner meets them: no Chinese face, an English system, another
# time zone.
fonts=$(mktemp -d)
trap 'rm -rf "$fonts"' EXIT
printf '<?xml version="1.0"?>\n<fontconfig><dir>/usr/share/fonts/truetype/dejavu</dir><cachedir>%s</cachedir></fontconfig>\n' \
    "$fonts" >"$fonts/fonts.conf"
FONTCONFIG_FILE="$fonts/fonts.conf" LANG=en_US.UTF-8 LANGUAGE=en TZ=America/New_York \
    ctest --test-dir build --output-on-failure -L unit -E '^lifecycle-seeds$'
ctest --test-dir build --verbose --timeout 900 --tests-regex '^as-user$'
cmake --preset sanitize >/dev/null
cmake --build build-sanitize -j2
ctest --preset sanitize
. /etc/os-release
[ "${VERSION_CODENAME:-}" != bookworm ] || bash scripts/test-newest-qt.sh
