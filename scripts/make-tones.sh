#!/usr/bin/env bash
# Makes the seven alert tones of site/tones/ with sox and lame: short, soft chimes, each a
# different figure so that the user can tell them apart by ear, and each 0.2 s longer than the one
# before (0.35 s to 1.55 s), so that a recording tells them apart too.
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

tone 1 523:0.15 659:0.2
tone 2 587:0.2 784:0.35
tone 3 659:0.15 784:0.15 988:0.45
tone 4 784:0.15 988:0.15 1175:0.65
tone 5 880:0.15 880:0.15 1319:0.85
tone 6 988:0.15 1175:0.15 1568:1.05
tone 7 523:0.15 659:0.15 784:0.15 1047:1.1
