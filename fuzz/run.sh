#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, ASan, UBSan) in build-fuzz/
# and runs each for a bounded time (seconds, default 20) from its seeds in
# fuzz/corpus/. New inputs go to a temporary folder, never into the repo;
# a failing input is kept in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTUNNEL_FUZZ=ON >/dev/null
cmake --build build-fuzz
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p build-fuzz/findings
for target in to_number to_text ini gbk list docx; do
    mkdir -p "$work/$target"
    build-fuzz/fuzz/fuzz_$target -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix=build-fuzz/findings/$target- "$work/$target" fuzz/corpus/$target \
        2>"$work/$target.log" || { tail -40 "$work/$target.log"; exit 1; }
    echo "fuzz_$target: $(grep -o 'number_of_executed_units: [0-9]*' "$work/$target.log" | grep -o '[0-9]*$') runs, no failure"
done
