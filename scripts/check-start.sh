#!/usr/bin/env bash
# Run by check-as-user.sh as a normal user, on a virtual display: starts one program and checks
# that within 20 s its main window is up, its pages have loaded in renderers that the browser
# engine's sandbox forked and filtered, and it still runs; then closes its window as a person
# would and checks that nothing of it is left running.
set -euo pipefail
program=${1:?program}
name=$(basename "$program")
fail() {
    echo "$name: $*" >&2
    exit 1
}

# The renderers the sandbox forked: below the zygote, which runs below the sandbox's own zygote
# process, all three with the zygote's command line. Printed with their seccomp mode.
sandboxed_renderers() {
    declare -A parent zygote
    while read -r pid ppid args; do
        parent[$pid]=$ppid
        [[ $args == *--type=zygote* ]] && zygote[$pid]=1
    done < <(ps -u "$(id -u)" -o pid=,ppid=,args=)
    for pid in "${!zygote[@]}"; do
        local up=${parent[$pid]} upper=${parent[${parent[$pid]}]:-0}
        if [[ -n ${zygote[$up]:-} && -n ${zygote[$upper]:-} ]]; then
            echo "$pid $(awk '/^Seccomp:/ { print $2 }' "/proc/$pid/status" 2>/dev/null)"
        fi
    done
}

# A window manager, as on a desktop, up before the program: it closes the window as a person would.
openbox >/dev/null 2>&1 &
for _ in $(seq 20); do
    wmctrl -m >/dev/null 2>&1 && break
    sleep 0.25
done
"$program" >"$HOME/$name.log" 2>&1 &
pid=$!
deadline=$((SECONDS + 20))
while :; do
    kill -0 "$pid" 2>/dev/null || fail "ended by itself: $(tail -5 "$HOME/$name.log")"
    windows=$(wmctrl -l)
    renderers=$(sandboxed_renderers)
    # A start page that did not load shows a box about the network or the release.
    if grep -qE ' Corvalen 1\.3\.0 $' <<<"$windows" && [ -n "$renderers" ]; then
        grep -qE ' (连接故障|更新提示)$' <<<"$windows" && fail "its start page did not load"
        break
    fi
    [ $SECONDS -lt $deadline ] || fail "no main window with sandboxed renderers within 20 s"
    sleep 0.5
done
sleep 2
while read -r renderer mode; do
    [ "$mode" = 2 ] || fail "renderer $renderer runs without its seccomp filter (mode $mode)"
done < <(sandboxed_renderers)
kill -0 "$pid" 2>/dev/null || fail "ended after its start"
echo "$name: main window up, $(sandboxed_renderers | wc -l) renderers in the sandbox"

wmctrl -c "Corvalen 1.3.0 " || fail "its main window could not be closed"
for _ in $(seq 30); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.5
done
kill -0 "$pid" 2>/dev/null && fail "still running after its window was closed"
wait "$pid" || fail "ended with status $? when its window was closed"
# The engine's processes follow their program out (a zombie is gone already, only not yet reaped).
for _ in $(seq 20); do
    left=$(ps -u "$(id -u)" -o pid=,stat=,args= | awk '$2 !~ /^Z/ && $3 ~ /QtWebEngineProcess/')
    [ -z "$left" ] && break
    sleep 0.25
done
[ -z "$left" ] || fail "left running: $left"
echo "$name: closed, nothing left running"
kill %1 2>/dev/null || true
