#!/usr/bin/env bash
# Writes dist/: the program folder as a zip and a per-user installer (NSIS).
# Both hold MokpeCnv.exe and mokpe.exe (ICU inside them), the Qt and MinGW
# runtime DLLs they load, the platform and style plugins, and Qt's Japanese
# translation in translations/ beside the programs.
# usage: tools/windows/package.sh [BUILD_DIR] [DIST_DIR]   (default build-windows dist)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "${1:-build-windows}")
dist=$(realpath -m "${2:-dist}")
. tools/windows/wine-env.sh
version=$(sed -n 's/^project(mokpe VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=Mokpe-$version
stage=$build/stage/Mokpe
rm -rf "$build/stage"
mkdir -p "$stage/platforms" "$stage/styles" "$stage/translations" "$dist"

cp "$build/bin/MokpeCnv.exe" "$build/bin/mokpe.exe" "$stage/"
cp "$qt_prefix/plugins/platforms/qwindows.dll" "$stage/platforms/"
cp "$qt_prefix/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
cp /usr/share/qt6/translations/qtbase_ja.qm "$stage/translations/"

# Every DLL the programs and plugins load that Windows itself does not have:
# found in Qt's or MinGW's folders, followed through their own imports.
find_dll() {
  local dir
  for dir in "$qt_prefix/bin" "${mingw_runtime_dirs[@]}"; do
    [ -f "$dir/$1" ] && { printf '%s' "$dir/$1"; return 0; }
  done
  return 0
}
pending=("$stage"/*.exe "$stage"/*/*.dll)
while [ ${#pending[@]} -gt 0 ]; do
  file=${pending[0]}
  pending=("${pending[@]:1}")
  while read -r dll; do
    [ -f "$stage/$dll" ] && continue
    source=$(find_dll "$dll")
    [ -n "$source" ] || continue
    cp "$source" "$stage/$dll"
    pending+=("$stage/$dll")
  done < <(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p')
done
# MinGW's runtime DLLs come with their debugging symbols.
x86_64-w64-mingw32-strip --strip-unneeded "$stage"/*.exe "$stage"/lib*.dll

# The zip: one folder, Mokpe\, to unpack anywhere the user may write.
rm -f "$dist/$name-windows-x64.zip"
(cd "$build/stage" && zip -qr -X "$dist/$name-windows-x64.zip" Mokpe)

# The installer's file lists, made from the stage so that the uninstaller
# removes exactly what was installed.
nsis=$build/nsis
mkdir -p "$nsis"
: > "$nsis/install.nsh"
: > "$nsis/uninstall.nsh"
while read -r dir; do
  rel=${dir#"$stage"}
  win=$(printf '%s' "$rel" | tr '/' '\\')
  printf 'SetOutPath "$INSTDIR%s"\n' "$win" >> "$nsis/install.nsh"
  for f in "$dir"/*; do
    [ -f "$f" ] || continue
    printf 'File "%s"\n' "$f" >> "$nsis/install.nsh"
    printf 'Delete "$INSTDIR%s\\%s"\n' "$win" "$(basename "$f")" >> "$nsis/uninstall.nsh"
  done
  [ -n "$rel" ] && printf 'RMDir "$INSTDIR%s"\n' "$win" >> "$nsis/uninstall.nsh"
done < <(find "$stage" -type d | sort)
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DOUTFILE="$dist/$name-setup.exe" \
  -DFILES="$nsis/install.nsh" -DUNFILES="$nsis/uninstall.nsh" tools/windows/installer.nsi
ls -l "$dist"
