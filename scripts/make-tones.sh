#!/usr/bin/env bash
# Makes the seven alert tones of site/tones/ with sox and lame: short, soft chimes, each a
# different figure so that the user can tell them apart by ear.
set -euo pipefail
out=$(cd "$(dirname "$0")/.." && pwd)/site/tones
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# One note: a sine with a quick attack and a gentle decay.
note() { sox -n -r 44100 -c 1 "$tmp/$1.wav" synth "$3" sine "$2" fade q 0.01 "$3" 0.25 vol 0.6; }

tone() {
    local n=$1; shift
    local parts=()
    local i=0
    for part in "$@"; do
        note "$n-$i" "${part%:*}" "${part#*:}"
        parts+=("$tmp/$n-$i.wav")
        i=$((i + 1))
    done
    sox "${parts[@]}" "$tmp/$n.wav"
    lame --quiet -b 64 "$tmp/$n.wav" "$out/$n.mp3"
}

tone 1 523:0.25 659:0.35
tone 2 587:0.25 784:0.35
tone 3 659:0.2 784:0.2 988:0.35
tone 4 784:0.2 988:0.2 1175:0.35
tone 5 880:0.15 880:0.15 1319:0.4
tone 6 988:0.15 1175:0.15 1568:0.4
tone 7 523:0.15 659:0.15 784:0.15 1047:0.5
