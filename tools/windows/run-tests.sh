#!/usr/bin/env bash
# Runs the Windows core tests (core_tests.exe, which also runs mokpe.exe on the
# command golden folders) under Wine in a throw-away prefix.
# usage: tools/windows/run-tests.sh [BUILD_DIR] [GTEST_ARGS...]   (default build-windows)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build-windows}
shift || true
. tools/windows/wine-env.sh
wine_prefix
# Wine takes its time zone from the environment it starts in.
export TZ=Asia/Tokyo

# As root, a 256 KiB tmpfs as drive S: lets the tests fill a disk, as they do
# on Linux; otherwise those cases skip themselves.
small=""
if [ "$(id -u)" -eq 0 ]; then
  small=$(mktemp -d /tmp/mokpe-small-drive-XXXXXX)
  if mount -t tmpfs -o size=256k tmpfs "$small"; then
    ln -s "$small" "$WINEPREFIX/dosdevices/s:"
    export MOKPE_TEST_SMALL_DRIVE='S:/'
  else
    rmdir "$small"; small=""
  fi
fi
cleanup() {
  wineserver_stop
  [ -n "$small" ] && { umount "$small" 2>/dev/null || true; rmdir "$small" 2>/dev/null || true; }
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

cd "$build/bin"
"$wine" core_tests.exe "$@" 2>&1 | tr -d '\r'
