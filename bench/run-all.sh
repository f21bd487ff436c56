#!/usr/bin/env bash
# Runs every benchmark of the build folder and prints one table: each measurement beside the
# baseline measured in the same run, and their ratio. Then the PSS of the whole process tree over
# a long watch, and the footprint on heavy pages against the same program with its reductions off.
# Usage: bench/run-all.sh [BUILD_FOLDER]
set -euo pipefail
build=${1:-build}
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
export QT_QPA_PLATFORM=offscreen
csv=$(mktemp)
trap 'rm -f "$csv"' EXIT
for bench in reader_bench alert_latency_bench startup_bench; do
    "$build/bench/$bench" --benchmark_format=csv 2>/dev/null | grep -E '^"' >>"$csv"
done

# name,iterations,real_time,cpu_time,time_unit,...
awk -F, '
function pair(measure, base) {
    if (!(measure in t) || !(base in t)) return
    printf "| %-46s | %12.1f %s | %-38s | %12.1f %s | %7.2f |\n", measure, t[measure], u[measure], base, t[base], u[base], t[measure] / t[base]
}
{ gsub(/"/, "", $1); t[$1] = $3; u[$1] = $5; names[n++] = $1 }
END {
    printf "| %-46s | %15s | %-38s | %15s | %7s |\n", "measurement", "time", "baseline", "time", "ratio"
    printf "|%s|%s|%s|%s|%s|\n", "------------------------------------------------", "-----------------", "----------------------------------------", "-----------------", "---------"
    for (i = 0; i < n; ++i) {
        name = names[i]
        if (name ~ /^wholeRun/) { base = name; sub(/^wholeRun/, "countOnly", base); pair(name, base) }
        if (name ~ /^toneAfterLoad/) { base = name; sub(/^toneAfterLoad/, "countOnlyLoad", base); pair(name, base) }
        if (name ~ /^(mainWindowBuilt|splashShown)/) pair(name, "sixBrowserViews/iterations:10")
    }
}' "$csv"

echo
echo "PSS of the process tree (program and browser processes) over a long watch of small pages:"
CORVALEN_LONG_WATCH_REFRESHES=1000 "$build/tests/corvalen_e2e_tests" --gtest_filter='LongWatch*' 2>/dev/null \
    | grep -E '^(idle|refresh)'

# What the user hears: the program's player beside the QMediaPlayer it had before, through a
# private sound server, tone by tone and in a watch on the real engine.
echo
bash "$(dirname "$0")/../scripts/with-sound-server.sh" "$build/bench/tone_sound_bench" 2>/dev/null

# The footprint on heavy pages: the program as built, without its heap trim, and with hidden panes
# keeping their pages too (the baseline), side by side from one run.
echo
echo "Footprint on pages as heavy as the shop's (whole process tree; PSS averaged over the window):"
"$build/bench/footprint_bench" 2>/dev/null
