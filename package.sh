#!/usr/bin/env bash
# Sets up, builds the program and makes its Debian package in build/.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTUNNEL_BUILD_TESTS=OFF -DTUNNEL_MODULES=
cmake --build build --target TunnelCalc
cd build
cpack -G DEB
