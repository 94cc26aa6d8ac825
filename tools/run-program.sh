#!/usr/bin/env bash
# Installs what is needed, builds the program and starts MokpeCnv.
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DMOKPE_BUILD_BENCH=OFF
# Only what running needs: the GUI and the headless command beside it.
cmake --build build --target MokpeCnv mokpe
exec ./build/bin/MokpeCnv "$@"
