#!/usr/bin/env bash
# Cross-builds the Windows programs and their core tests with MinGW-w64 and the
# cached Qt and ICU (prepare-caches.sh), Release, warnings as errors.
# usage: tools/windows/cross-build.sh [BUILD_DIR] [TARGET...]
#   (default build-windows; targets MokpeCnv mokpe core_tests)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build-windows}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(MokpeCnv mokpe core_tests)
. tools/windows/wine-env.sh
# ccache keeps a rebuild cheap (the MinGW compiler too), also from another
# clone of the sources.
if [ -z "${CMAKE_CXX_COMPILER_LAUNCHER:-}" ] && command -v ccache >/dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD} CCACHE_NOHASHDIR=1
fi
"$qt_prefix/bin/qt-cmake" -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMOKPE_WERROR=ON \
  -DMOKPE_BUILD_BENCH=OFF -DMOKPE_ICU_ROOT="$icu_prefix" -DGTest_DIR="$gtest_prefix/lib/cmake/GTest" >/dev/null
cmake --build "$build" --target "${targets[@]}"
# Qt's Japanese texts beside the programs, where the packaged program has them,
# so that the build's programs and tests read as the installed ones do.
if [ -f /usr/share/qt6/translations/qtbase_ja.qm ]; then
  mkdir -p "$build/bin/translations"
  cp /usr/share/qt6/translations/qtbase_ja.qm "$build/bin/translations/"
fi
