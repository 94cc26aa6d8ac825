#!/usr/bin/env bash
# Runs the Windows window tests (ui_tests.exe: every window and dialog opened
# and clicked through by name, and the layout check at each scale factor) under
# Wine on a virtual X display, with Qt's own Windows platform: the offscreen
# platform of the Linux tests has no fonts on Windows.
# usage: tools/windows/run-ui-tests.sh [BUILD_DIR] [GTEST_ARGS...]   (default build-windows)
set -euo pipefail
# The whole run on the virtual display: Wine's desktop process starts with the
# prefix and must see the display too.
if [ -z "${MOKPE_UI_TESTS_DISPLAY:-}" ]; then
  export MOKPE_UI_TESTS_DISPLAY=1
  exec xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$@"
fi
cd "$(dirname "$0")/../.."
build=${1:-build-windows}
shift || true
. tools/windows/wine-env.sh
wine_prefix
export TZ=Asia/Tokyo
export QT_QPA_PLATFORM=windows
cd "$build/bin"
# A window left waiting for an answer must not hold the run for ever.
timeout 1800 "$wine" ui_tests.exe "$@" 2>&1 | tr -d '\r'
