#!/usr/bin/env bash
# Builds the Debian package from the build folder and checks what it installs and depends on.
set -euo pipefail
build=${1:?build folder}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -G DEB >/dev/null)
deb=$(ls "$work"/*.deb)
files=$(dpkg-deb -c "$deb" | awk '{print $6}')
status=0
for expected in ./usr/bin/corvalen ./usr/bin/corvalen-demo \
    ./usr/share/applications/corvalen.desktop ./usr/share/applications/corvalen-demo.desktop \
    ./usr/share/icons/hicolor/16x16/apps/corvalen.png ./usr/share/icons/hicolor/24x24/apps/corvalen.png \
    ./usr/share/icons/hicolor/32x32/apps/corvalen.png ./usr/share/icons/hicolor/48x48/apps/corvalen.png; do
    grep -qx "$expected" <<<"$files" || { echo "missing from the package: $expected"; status=1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for runtime in libqt6webenginewidgets6 libqt6multimedia6 libqt6widgets6; do
    grep -q "$runtime" <<<"$depends" || { echo "the package does not depend on $runtime"; status=1; }
done
[ "$(dpkg-deb -f "$deb" Version)" = "1.3.0" ] || { echo "wrong package version"; status=1; }
exit $status
