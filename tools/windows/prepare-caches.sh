#!/usr/bin/env bash
# Puts Qt, ICU and GoogleTest for MinGW in the cache folder (outside the source
# tree, see wine-env.sh): unpacked from ../shared/windows/ where it has the
# prebuilt archives, else built with the recipes beside this script (Qt about
# an hour, ICU half an hour on two cores). Each is redone only when its source
# changed.
set -euo pipefail
cd "$(dirname "$0")/../.."
here=$PWD/tools/windows
shared=$(realpath -m ../shared/windows)
. tools/windows/wine-env.sh
mkdir -p "$windows_cache"

# The stamp names what the folder was made from; a new archive or recipe redoes it.
up_to_date() { [ -f "$1/.made-from" ] && [ "$(cat "$1/.made-from")" = "$2" ]; }

prepare() {
  local prefix=$1 archive=$shared/$2 recipe=$here/$3 source
  if [ -f "$archive" ]; then
    source="archive $(sha256sum < "$archive" | cut -c1-64)"
  else
    source="recipe $(sha256sum < "$recipe" | cut -c1-64)"
  fi
  up_to_date "$prefix" "$source" && return 0
  # A copy unpacked from the prebuilt archive stays when this clone cannot see
  # the archive (a clone made away from ../shared): the recipe makes the same.
  if [ ! -f "$archive" ] && [ -f "$prefix/.made-from" ] && grep -q '^archive ' "$prefix/.made-from"; then
    echo "keeping $(basename "$prefix") unpacked from $(basename "$archive") ($archive not found)"
    return 0
  fi
  rm -rf "$prefix"
  if [ -f "$archive" ]; then
    echo "unpacking $archive"
    tar -C "$windows_cache" -xJf "$archive"
  else
    echo "building $(basename "$prefix") with $recipe (no $archive)"
    "$recipe" "$prefix" "$(mktemp -d "$windows_cache/work-XXXXXX")"
  fi
  printf '%s' "$source" > "$prefix/.made-from"
}

prepare "$qt_prefix" qt6-mingw-x64.tar.xz build-qt-mingw.sh
prepare "$icu_prefix" icu-mingw-x64.tar.xz build-icu-mingw.sh

# GoogleTest from Debian's sources, cross-built.
gtest_source="googletest $(dpkg-query -W -f='${Version}' googletest 2>/dev/null || echo none)"
if ! up_to_date "$gtest_prefix" "$gtest_source"; then
  work=$(mktemp -d)
  cmake -S /usr/src/googletest -B "$work" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$gtest_prefix" >/dev/null
  cmake --build "$work"
  rm -rf "$gtest_prefix"
  cmake --install "$work" >/dev/null
  rm -rf "$work"
  printf '%s' "$gtest_source" > "$gtest_prefix/.made-from"
fi
