#!/usr/bin/env bash
# Builds the fuzzers with clang and runs each one for SECONDS seconds (default 10)
# under AddressSanitizer and UndefinedBehaviorSanitizer, on a corpus that starts
# from examples/ and from small files the core writes, and grows between runs.
# Usage: scripts/fuzz.sh [SECONDS]   (PIXMILL_FUZZ_BUILD: build folder, default build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
build=${PIXMILL_FUZZ_BUILD:-build-fuzz}
fuzzers=(art_read art_roundtrip build_palette riff_palette bitmap_import png_import picture_read
    tile_clip names_header numbers recovery_note art_set lookup shade_tables)

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPIXMILL_FUZZ=ON \
    -DPIXMILL_WERROR=ON -DPIXMILL_BUILD_WINDOWS=OFF -DPIXMILL_BUILD_BENCH=OFF \
    -DPIXMILL_BUILD_TESTS=OFF >/dev/null
targets=(pixmill-fuzz-seeds)
for fuzzer in "${fuzzers[@]}"; do
    targets+=("fuzz_$fuzzer")
done
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"

seeds="$build/fuzz-seeds"
rm -rf "$seeds"
"$build/fuzz/pixmill-fuzz-seeds" "$seeds" examples

# No single allocation may pass 64 MiB nor the process 1 GiB: a reader that
# believes a size the input cannot back shows as a crash. Inputs are at most
# 256 KiB (the largest example is 85 KB).
for fuzzer in "${fuzzers[@]}"; do
    mkdir -p "$build/fuzz-corpus/$fuzzer"
    echo "fuzz_$fuzzer: $seconds s"
    log="$build/fuzz-$fuzzer.log"
    status=0
    (cd "$build" && "fuzz/fuzz_$fuzzer" -max_total_time="$seconds" -max_len=262144 \
        -malloc_limit_mb=64 -rss_limit_mb=1024 -timeout=10 -print_final_stats=1 \
        "fuzz-corpus/$fuzzer" "fuzz-seeds/$fuzzer" >"fuzz-$fuzzer.log" 2>&1) || status=$?
    grep -E '^stat::(number_of_executed_units|new_units_added|peak_rss_mb)' "$log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$log" >&2
        echo "fuzz_$fuzzer failed; the input is kept as $build/crash-* (log: $log)" >&2
        exit 1
    fi
done
