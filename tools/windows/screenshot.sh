#!/usr/bin/env bash
# The Windows main window under Wine on Xvfb: writes docs/windows_main_window.png
# from the program folder staged by package.sh (the program folder made ready
# by mokpe.exe first, so that no first-start message stands in front).
# usage: tools/windows/screenshot.sh [BUILD_DIR]   (default build-windows)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "${1:-build-windows}")
out=$PWD/docs/windows_main_window.png
. tools/windows/wine-env.sh
unset WINEPATH QT_PLUGIN_PATH
wine_prefix
program=$WINEPREFIX/drive_c/Mokpe
cp -r "$build/stage/Mokpe" "$program"
"$wine" "$(winepath_of "$program/mokpe.exe")" settings >/dev/null 2>&1
"$wine" "$(winepath_of "$program/mokpe.exe")" accounts --load w >/dev/null 2>&1
printf '%s\r\n' "経理 太郎" | iconv -f UTF-8 -t CP932 > "$program/person.csv"
/usr/lib/wine/wineserver -w
shot=$WINEPREFIX/screen.png
# The splash shows for two seconds; Wine's first window start takes a few more.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '"$0" "$1" & sleep 30; import -window root "$2"; kill %1' \
  "$wine" "$(winepath_of "$program/MokpeCnv.exe")" "$shot"
convert "$shot" -trim +repage "$out"
echo "wrote $out"
