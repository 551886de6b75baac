#!/usr/bin/env bash
# Photographs the launcher's two looks under Xvfb (1920 x 1080) into docs/screens/:
# the login layout cropped to the window, the update layout reduced to half size.
# Needs the win64 build (target skin_showcase).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/win64"
out="$root/docs/screens"
mkdir -p "$out"
source "$root/tools/session.sh"
session_start "$build"
trap session_stop EXIT

shoot() {  # mode, file, extra convert options...
  local mode=$1 file=$2
  shift 2
  HOME="$WINEPREFIX.home" /usr/lib/wine/wine64 "$build/bin/skin_showcase.exe" "$mode" 20 37 64 </dev/null >/dev/null 2>&1 &
  local pid=$!
  sleep 6
  import -window root "$out/.raw.png"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  convert "$out/.raw.png" "$@" -strip "$out/$file"
  rm -f "$out/.raw.png"
}

# The login window is centred in the work area: 1031 x 524 at ((1920 - 1031) / 2, (1080 - 524) / 2).
shoot login login-layout.png -crop 1031x524+445+278 +repage -colors 256
shoot update update-layout.png -resize 50% -colors 256
echo "screens: $out/login-layout.png $out/update-layout.png"
