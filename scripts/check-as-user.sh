#!/usr/bin/env bash
# Checks the program as its users run it: a normal user, the browser engine's sandbox on. Run as
# root (as CI runs the tests), it makes such a user once, and as that user
#  1. runs the journey AsUserTest of tests/e2e/journeys_test.cpp: a list read, a watch's refresh,
#     a tone asked for, every renderer filtered by the sandbox, the store in the user's home
#     and the sign-in closed to others;
#  2. starts corvalen-demo and corvalen from the files the Debian package installs, unpacked into
#     a folder of their own, under a virtual display (scripts/check-start.sh).
# As anyone else it can make no user: it says so and exits 77, which CTest counts as skipped.
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
user=corvalen-user
if [ "$(id -u)" -ne 0 ]; then
    echo "the checks as a normal user need root, to make that user; skipped"
    exit 77
fi
id "$user" >/dev/null 2>&1 || useradd --create-home --shell /bin/bash "$user"
home=$(getent passwd "$user" | cut -d: -f6)
work=$(mktemp -d)
runtime=$(mktemp -d)
trap 'rm -rf "$work" "$runtime"; pkill -u "$user" || true' EXIT
chmod 755 "$work"
chown "$user" "$runtime"
chmod 700 "$runtime"

# The user's environment, and nothing of root's: above all no QTWEBENGINE_DISABLE_SANDBOX.
as_user() {
    runuser -u "$user" -- env -i PATH=/usr/bin:/bin HOME="$home" USER="$user" LANG=C.UTF-8 \
        XDG_RUNTIME_DIR="$runtime" "$@"
}

# The sandbox puts each renderer in user namespaces of its own and under a seccomp filter.
if ! as_user unshare --user true 2>/dev/null; then
    clone=/proc/sys/kernel/unprivileged_userns_clone
    echo "the kernel refuses user namespaces to a normal user, and the browser engine's sandbox" \
        "needs them: user.max_user_namespaces=$(cat /proc/sys/user/max_user_namespaces)" \
        "$([ -f $clone ] && echo "kernel.unprivileged_userns_clone=$(cat $clone)")" >&2
    exit 1
fi
if ! grep -q '^Seccomp:' /proc/self/status; then
    echo "the kernel has no seccomp filters, and the browser engine's sandbox needs them" >&2
    exit 1
fi

echo "== as $user, the sandbox on: a watch on the real engine"
cp "$build/tests/corvalen_e2e_tests" "$work/"
rm -rf "$home/.local/share/corvalen" "$home/.cache/corvalen"
log=$(as_user QT_QPA_PLATFORM=offscreen "$work/corvalen_e2e_tests" --gtest_filter='AsUserTest.*' \
    2>&1) || { echo "$log"; exit 1; }
echo "$log" | grep -E '^\[ +(OK|SKIPPED|FAILED|PASSED) +\]'
if ! grep -q '^\[       OK \] AsUserTest' <<<"$log"; then
    echo "the journey did not run as $user" >&2
    exit 1
fi

echo "== as $user, the sandbox on: the programs the package installs"
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -G DEB >/dev/null)
dpkg-deb -x "$work"/*.deb "$work/installed"
chmod -R a+rX "$work/installed"
cp "$here/check-start.sh" "$work/"
for program in corvalen-demo corvalen; do
    as_user xvfb-run -a -s "-screen 0 1280x800x24" bash "$work/check-start.sh" \
        "$work/installed/usr/bin/$program"
done
