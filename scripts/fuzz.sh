#!/usr/bin/env bash
# Builds the reader's fuzzer with clang's libFuzzer and runs it for a bounded time on a copy of
# the committed seed corpus. Usage: scripts/fuzz.sh [SECONDS] [BUILD_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
out=${2:-build-fuzz}
mkdir -p "$out"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -fPIC \
    -DQT_NO_CAST_FROM_ASCII -Isrc $(pkg-config --cflags Qt6Core) \
    fuzz/goods_list_fuzzer.cpp src/watcher/goods_list.cpp \
    $(pkg-config --libs Qt6Core) -o "$out/goods_list_fuzzer"
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp fuzz/corpus/* "$corpus/"
ASAN_OPTIONS=detect_leaks=0 "$out/goods_list_fuzzer" -max_total_time="$seconds" -max_len=65536 \
    -print_final_stats=1 "$corpus" 2>&1 | tail -n 12
