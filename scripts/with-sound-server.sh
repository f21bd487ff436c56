#!/usr/bin/env bash
# Runs a command with a private sound server: PulseAudio in user mode, its socket and state in a
# temporary folder, no configuration of the machine's own, one silent output ("speakers") whose
# monitor the tests record. The default input is a silent source of its own, so that the server
# never moves a recording of a monitor when the default output changes. PULSE_SERVER points the
# command at it; the server stops after it.
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: $0 COMMAND [ARG...]" >&2; exit 2; }
command -v pulseaudio >/dev/null || { echo "pulseaudio is not installed (scripts/install-deps.sh)" >&2; exit 1; }

dir=$(mktemp -d)
server=""
stop() {
    [ -z "$server" ] || { kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; }
    rm -rf "$dir"
}
trap stop EXIT

cat >"$dir/server.pa" <<PA
load-module module-native-protocol-unix socket=$dir/native auth-anonymous=1
load-module module-null-sink sink_name=speakers
set-default-sink speakers
load-module module-null-source source_name=microphone
set-default-source microphone
PA
# Its own home and runtime folder: nothing of a desktop's server or settings is read or written.
mkdir -p "$dir/home" "$dir/runtime"
HOME="$dir/home" XDG_RUNTIME_DIR="$dir/runtime" XDG_CONFIG_HOME="$dir/home" \
    pulseaudio -n -F "$dir/server.pa" --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
    --log-target=file:"$dir/server.log" &
server=$!
export PULSE_SERVER="unix:$dir/native"
for _ in $(seq 100); do
    pactl info >/dev/null 2>&1 && break
    kill -0 "$server" 2>/dev/null || { cat "$dir/server.log" >&2; exit 1; }
    sleep 0.1
done
pactl info >/dev/null || { echo "the sound server did not start" >&2; cat "$dir/server.log" >&2; exit 1; }
"$@"
