#!/usr/bin/env bash
# Sets up, builds and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTUNNEL_BUILD_TESTS=OFF -DTUNNEL_MODULES=
cmake --build build --target TunnelCalc
exec program/TunnelCalc
