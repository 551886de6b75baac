#!/usr/bin/env bash
# The demo command: builds what is missing and starts LoginTarn.exe under Wine from a game
# folder of its own. With a display you watch it (close it to end the demo); without one it
# runs under Xvfb, saves a screenshot and prints its path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/setup.sh >/dev/null
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target LoginTarn >/dev/null

demo="$root/build/demo"
game="$demo/game"
rm -rf "$game"
mkdir -p "$game/Data" "$game/Map" "$game/Wav"
cp build/win64/bin/LoginTarn.exe "$game/"

source tools/session.sh
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  LOGINTARN_KEEP_DISPLAY=1 session_start "$root/build/win64"
  trap session_stop EXIT
  HOME="$WINEPREFIX.home" /usr/lib/wine/wine64 "$game/LoginTarn.exe"
  exit 0
fi

session_start "$root/build/win64"
trap session_stop EXIT
HOME="$WINEPREFIX.home" /usr/lib/wine/wine64 "$game/LoginTarn.exe" >/dev/null 2>&1 &
for _ in $(seq 40); do
  sleep 0.5
  xwininfo -root -tree 2>/dev/null | grep -q '"Zorvath"' && break
done
sleep 2
shot="$demo/launcher.png"
import -window root "$shot"
echo "screenshot: $shot"
