#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: what can be checked here of the Windows
# release, the main build's tests (unit, end to end on the real engine, fuzzing, format, package),
# the checks as a normal user with the engine's sandbox on (their log shown whole), then the unit
# tests again under the address and undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
bash scripts/check-windows-release.sh build
export QTWEBENGINE_DISABLE_SANDBOX=1
ctest --test-dir build --output-on-failure --timeout 900 --exclude-regex '^as-user$'
ctest --test-dir build --verbose --timeout 900 --tests-regex '^as-user$'
cmake --preset sanitize >/dev/null
cmake --build build-sanitize -j2
ctest --preset sanitize
