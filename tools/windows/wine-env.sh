# Sourced by the Windows scripts: where the cross-build's caches live and how
# a Windows program of the build runs under Wine here.
#   MOKPE_WINDOWS_CACHE  Qt, ICU and GoogleTest for MinGW (outside the source tree)
#   WINEPREFIX           a throw-away Wine prefix of this run (made by wine_prefix)
windows_cache=${MOKPE_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/mokpe-windows}
qt_prefix=$windows_cache/qt6-mingw-x64
icu_prefix=$windows_cache/icu-mingw-x64
gtest_prefix=$windows_cache/googletest
mingw_runtime_dirs=(/usr/lib/gcc/x86_64-w64-mingw32/12-posix /usr/x86_64-w64-mingw32/lib)
wine=/usr/lib/wine/wine64
export WINEDEBUG=-all
# No Mono or Gecko installer prompts in a fresh prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="

# The DLLs of Qt and of the MinGW runtime, for programs run from the build folder.
export WINEPATH="Z:$qt_prefix/bin;Z:${mingw_runtime_dirs[0]};Z:${mingw_runtime_dirs[1]}"
export QT_PLUGIN_PATH="Z:$qt_prefix/plugins"

# Makes a fresh prefix (removed when the calling script ends) with the
# Japanese faces a Japanese Windows has: under Wine the IPA faces take the
# names "ＭＳ 明朝", "ＭＳ Ｐゴシック"… (Wine's font replacements), so the
# program asks for them as on Windows, with the same metrics.
wine_prefix() {
  WINEPREFIX=$(mktemp -d /tmp/mokpe-wine-XXXXXX)
  export WINEPREFIX
  trap 'wineserver_stop; rm -rf "$WINEPREFIX"' EXIT
  "$wine" wineboot -i >/dev/null 2>&1
  local reg=$WINEPREFIX/fonts.reg
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    printf '"ＭＳ 明朝"="IPAMincho"\r\n"ＭＳ Ｐ明朝"="IPAPMincho"\r\n'
    printf '"ＭＳ ゴシック"="IPAGothic"\r\n"ＭＳ Ｐゴシック"="IPAPGothic"\r\n"MS UI Gothic"="IPAPGothic"\r\n'
  } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
  "$wine" regedit /S "$(winepath_of "$reg")"
}

wineserver_stop() {
  [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] && /usr/lib/wine/wineserver -k 2>/dev/null || true
}

# The Windows name of a file here (Wine's drive Z: is the root).
winepath_of() {
  printf 'Z:%s' "$(realpath "$1" | tr '/' '\\')"
}
