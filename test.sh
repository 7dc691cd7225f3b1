#!/usr/bin/env bash
# Sets up, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh --tests
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTUNNEL_BUILD_TESTS=ON -DTUNNEL_BUILD_BENCH=ON -DTUNNEL_MODULES=
cmake --build build
# The package: built, validated, unpacked and started.
scripts/package_check.sh build
# The parsers under libFuzzer, ASan and UBSan, 20 s each, where clang is.
if command -v clang++ >/dev/null; then fuzz/run.sh 20; fi
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
