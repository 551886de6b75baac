#!/usr/bin/env bash
# Creates a Wine prefix for tests once: Chinese fonts mapped, HOME kept inside the build tree.
set -eu
prefix=$(realpath -m "$1")
[ -f "$prefix/.logintarn-ready" ] && exit 0
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/.logintarn-ready" ] && exit 0
export WINEPREFIX="$prefix" WINEDEBUG=-all LC_ALL=zh_CN.UTF-8 HOME="$prefix.home"
mkdir -p "$HOME"
# No .NET installer prompt; the HTML engine stays as Wine ships it (none here).
WINEDLLOVERRIDES="mscoree=" /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
reg=$(mktemp --suffix=.reg)
{
  printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  for f in SimSun NSimSun 宋体 新宋体 "MS Shell Dlg" "MS Shell Dlg 2" Tahoma 微软雅黑 "Microsoft YaHei"; do
    printf '"%s"="WenQuanYi Micro Hei"\r\n' "$f"
  done
} | iconv -f UTF-8 -t GBK > "$reg"
/usr/lib/wine/wine64 regedit /S "$(winepath_of() { echo "Z:${1//\//\\}"; }; winepath_of "$reg")" >/dev/null 2>&1 || true
/usr/lib/wine/wineserver -w 2>/dev/null || true
rm -f "$reg"
touch "$prefix/.logintarn-ready"
