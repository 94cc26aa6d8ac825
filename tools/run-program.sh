#!/usr/bin/env bash
# Installs what is needed, builds the program and starts MokpeCnv.
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DMOKPE_BUILD_BENCH=OFF
cmake --build build
exec ./build/bin/MokpeCnv "$@"
