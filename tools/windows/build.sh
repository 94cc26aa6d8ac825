#!/usr/bin/env bash
# The one command for Windows (no arguments): installs what is needed,
# cross-builds MokpeCnv.exe, mokpe.exe, core_tests.exe and ui_tests.exe with
# MinGW-w64, runs the core tests, the window tests and a real print under Wine,
# and writes dist/: the per-user installer Mokpe-VERSION-setup.exe and the zip
# Mokpe-VERSION-windows-x64.zip, which it then installs, starts and uninstalls
# under Wine.
# Qt, ICU and GoogleTest for MinGW come from ../shared/windows/ where it has
# them, else from the recipes here (an hour and a half on two cores, once).
set -euo pipefail
cd "$(dirname "$0")/../.."
stage() { printf '\n== %s\n' "$*"; }
stage "installing what the Windows build needs"
tools/windows/install-deps.sh
stage "Qt, ICU and GoogleTest for MinGW"
tools/windows/prepare-caches.sh
stage "cross-building"
tools/windows/cross-build.sh build-windows MokpeCnv mokpe core_tests ui_tests
stage "core tests under Wine"
tools/windows/run-tests.sh build-windows
stage "window tests under Wine"
tools/windows/run-ui-tests.sh build-windows
stage "a real print under Wine"
tools/windows/print-test.sh build-windows || [ $? -eq 77 ]
stage "packaging"
tools/windows/package.sh build-windows dist
stage "installing, starting and uninstalling under Wine"
tools/windows/check-installer.sh dist
