#!/usr/bin/env bash
# Builds the program and writes a PNG of each window, drawn on a real X server
# (Xvfb), into the folder given (default: docs/): at scale factor 1 there, and
# at 1.5 in its subfolder scale-1.5/.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs}
./tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DMOKPE_BUILD_BENCH=OFF >/dev/null
cmake --build build --target mokpe_screenshots
# A throw-away configuration: the save dialog shown remembers nothing of the user's.
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
for scale in 1 1.5; do
  dir=$out
  [ "$scale" = 1 ] || dir=$out/scale-$scale
  XDG_CONFIG_HOME=$config QT_SCALE_FACTOR=$scale \
    xvfb-run -a -s "-screen 0 2560x1600x24" ./build/bin/mokpe_screenshots "$dir"
done
