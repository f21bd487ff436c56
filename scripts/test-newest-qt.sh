#!/usr/bin/env bash
# Proves the program on the newest Qt that Debian carries, the nearest this project comes to the
# Qt of the Windows release: in a root of Debian's testing release it installs the packages with
# the same install script, builds the program, and runs the unit and end-to-end tests, with the
# sound server they start themselves. The root is made with debootstrap the first time, from the
# mirror apt already uses, and kept (in /var/cache/corvalen, or CORVALEN_TESTING_ROOT) and brought
# up to date after; the build in it is kept too. Needs root, as debootstrap and chroot do.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source=$(dirname "$here")
root=${CORVALEN_TESTING_ROOT:-/var/cache/corvalen/testing-root}

# Inside the root: the packages, the build and the tests.
if [ "${1:-}" = --in-root ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get -y -qq upgrade >/dev/null
    bash /src/scripts/install-deps.sh
    touch /.corvalen-ready
    . /etc/os-release
    echo "== $PRETTY_NAME: Qt $(dpkg-query -W -f='${Version}' qt6-base-dev)"
    cmake -S /src -B /build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCORVALEN_BUILD_BENCHMARKS=OFF >/dev/null
    cmake --build /build -j2
    # The checks that need one run only (format, layers, fuzzing, the package, the checks as a
    # normal user) ran in the main build.
    QTWEBENGINE_DISABLE_SANDBOX=1 ctest --test-dir /build --output-on-failure --timeout 900 \
        --exclude-regex '^(as-user|format|layers|fuzz|package|lifecycle-seeds)$' </dev/null
    grep -m1 -h 'browser engine Chromium' /build/Testing/Temporary/LastTest.log
    exit 0
fi

# In a mount namespace of its own, so that the mounts go with it however it ends.
if [ "${1:-}" = --mounted ]; then
    for fs in proc sys dev dev/pts dev/shm; do
        mount --bind "/$fs" "$root/$fs"
    done
    mount --bind -o ro "$source" "$root/src"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    exec chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
        LANG=C.UTF-8 bash /src/scripts/test-newest-qt.sh --in-root
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "test-newest-qt.sh: making and entering a root of Debian testing needs root" >&2
    exit 1
fi
mirror() {
    local uri
    uri=$(grep -hsE '^URIs: .*/debian/?$' /etc/apt/sources.list.d/*.sources | head -1 | cut -d' ' -f2)
    [ -n "$uri" ] || uri=$(grep -hsE '^deb .*/debian/? ' /etc/apt/sources.list | head -1 | cut -d' ' -f2)
    echo "${uri:-http://deb.debian.org/debian}"
}
# A root is whole once its packages are in; one that a stopped run left half made is made anew.
if [ ! -e "$root/.corvalen-ready" ]; then
    rm -rf --one-file-system "$root"
    mkdir -p "$(dirname "$root")"
    echo "== making a root of Debian testing in $root"
    debootstrap --variant=minbase testing "$root" "$(mirror)" >/dev/null
    # A mirror that is a snapshot serves testing's lists past the date they are valid to.
    echo 'Acquire::Check-Valid-Until "false";' >"$root/etc/apt/apt.conf.d/90corvalen-snapshot"
fi
mkdir -p "$root/src"
exec unshare --mount --propagation private bash "$here/test-newest-qt.sh" --mounted
