#!/usr/bin/env bash
# Installs what the Windows cross-build, its tests under Wine and the packaging
# need on Debian 12 (idempotent). Debian's Linux Qt gives the host tools (moc,
# uic, rcc); the IPA fonts and poppler serve the report tests under Wine.
set -euo pipefail
packages=(
  cmake ninja-build ccache qt6-base-dev qt6-base-dev-tools googletest
  g++-mingw-w64-x86-64-posix wine64 wine
  nsis zip unzip qt6-translations-l10n
  fonts-ipafont-gothic fonts-ipafont-mincho poppler-utils xvfb xauth
)
# Without the prebuilt caches the Qt recipe needs Wine's tablet headers.
[ -f "$(dirname "$0")/../../../shared/windows/qt6-mingw-x64.tar.xz" ] || packages+=(libwine-dev build-essential python3)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
run() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
export DEBIAN_FRONTEND=noninteractive
run apt-get update -q
run apt-get install -y -q --no-install-recommends "${missing[@]}"
