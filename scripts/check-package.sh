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
for runtime in libqt6webenginewidgets6 libqt6multimedia6 libqt6widgets6 libmpg123-0 libpulse0; do
    grep -q "$runtime" <<<"$depends" || { echo "the package does not depend on $runtime"; status=1; }
done
# Every library the programs load by name comes from a package the package depends on (the C and
# C++ runtimes are on every Debian system).
dpkg-deb -x "$deb" "$work/root"
for program in "$work"/root/usr/bin/*; do
    for library in $(objdump -p "$program" | awk '/NEEDED/ {print $2}'); do
        path=$(ldd "$program" | awk -v lib="$library" '$1 == lib {print $3}')
        # Debian registers a library under /lib or /usr/lib, as it was packaged.
        owner=$({ dpkg -S "$path" || dpkg -S "$(readlink -f "$path")"; } 2>/dev/null | head -1 | cut -d: -f1 || true)
        case "$owner" in libc6 | libstdc++6 | libgcc-s1) continue ;; esac
        grep -qE "(^|, )$owner( |,|$)" <<<"$depends" \
            || { echo "$(basename "$program") needs $library from ${owner:-no package}, not in Depends"; status=1; }
    done
done
[ "$(dpkg-deb -f "$deb" Version)" = "1.3.0" ] || { echo "wrong package version"; status=1; }
exit $status
