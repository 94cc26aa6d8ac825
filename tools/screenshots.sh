#!/usr/bin/env bash
# Builds the program and writes a PNG of each window, drawn on a real X server
# (Xvfb), into the folder given (default: screenshots/).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-screenshots}
./tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DMOKPE_BUILD_BENCH=OFF >/dev/null
cmake --build build --target mokpe_screenshots
xvfb-run -a -s "-screen 0 1280x1024x24" ./build/bin/mokpe_screenshots "$out"
