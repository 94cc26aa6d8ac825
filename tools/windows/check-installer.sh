#!/usr/bin/env bash
# Installs dist/'s installer silently in a fresh Wine prefix, as a user would
# (no administrator rights), starts the installed programs, then uninstalls
# silently: the program goes, the user's files in its folder stay.
# usage: tools/windows/check-installer.sh [DIST_DIR]   (default dist)
set -euo pipefail
cd "$(dirname "$0")/../.."
dist=$(realpath "${1:-dist}")
. tools/windows/wine-env.sh
# The installed programs find their DLLs beside themselves, nowhere else.
unset WINEPATH QT_PLUGIN_PATH
wine_prefix
fail() { echo "check-installer: $*" >&2; exit 1; }

setup=$(ls "$dist"/*-setup.exe)
"$wine" "$setup" /S
installed=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Programs/Mokpe
[ -f "$installed/MokpeCnv.exe" ] || fail "nothing installed in $installed"
ls "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/モコペ！.lnk" >/dev/null ||
  fail "no Start-menu entry"

# The headless command prepares the program folder; the window program then
# starts as a user would start it and ends once its main window is painted.
mokpe=$(winepath_of "$installed/mokpe.exe")
"$wine" "$mokpe" --version | tr -d '\r'
"$wine" "$mokpe" settings > /dev/null 2>&1
"$wine" "$mokpe" accounts --load w > /dev/null 2>&1
printf '%s\r\n' "経理 太郎" | iconv -f UTF-8 -t CP932 > "$installed/person.csv"
# Wine's desktop process started without a display: a GUI program needs one started on Xvfb.
/usr/lib/wine/wineserver -w
MOKPE_EXIT_WHEN_SHOWN=1 timeout 120 xvfb-run -a "$wine" "$(winepath_of "$installed/MokpeCnv.exe")" ||
  fail "MokpeCnv.exe did not show its main window"
echo "MokpeCnv.exe showed its main window"

# _?= keeps the uninstaller in place, so that it is waited for.
"$wine" "$(winepath_of "$installed/uninstall.exe")" /S "_?=$(winepath_of "$installed")"
rm -f "$installed/uninstall.exe"
[ ! -e "$installed/MokpeCnv.exe" ] || fail "the uninstaller left the program"
for kept in inifile.ini kamoku_code.csv person.csv; do
  [ -f "$installed/$kept" ] || fail "the uninstaller removed the user's $kept"
done
echo "installed, started and uninstalled (the user's files kept): $(basename "$setup")"
