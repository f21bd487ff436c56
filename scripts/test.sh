#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the main build's tests (unit, end to
# end on the real engine, fuzzing, format, package), then the unit tests again under the address
# and undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
export QTWEBENGINE_DISABLE_SANDBOX=1
ctest --test-dir build --output-on-failure --timeout 900
cmake --preset sanitize >/dev/null
cmake --build build-sanitize -j2
ctest --preset sanitize
