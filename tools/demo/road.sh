#!/usr/bin/env bash
# One game run from a downloaded launcher to the game and back, in a Wine prefix of its own
# with a second fixed drive D:, against a running operator site. Used by the demo and by
# the end-to-end test.
# Usage: road.sh BUILD_DIR SITE_ROOT WORK_DIR
#   ROAD_SHOTS=DIR      a screenshot of the display per stage into DIR
#   ROAD_SELF_UPDATE=1  the list names a newer launcher first (switched off once fetched)
# Prints the watcher's stage lines (also kept in WORK_DIR/road.log); exit code of the watcher.
set -euo pipefail
build=$1 site=$2 work=$3
src=$(cd "$(dirname "$0")/../.." && pwd)
site_script="$src/tests/support/operator_site.py"

# The site listens where the build's launcher looks: the ports of its endpoints.
downloads_port=$(sed -n 's/^#define LOGINTARN_DOWNLOADS ".*:\([0-9]*\)"$/\1/p' "$build/generated/Endpoints.h")
self_update=()
[ -n "${ROAD_SELF_UPDATE:-}" ] && self_update=(--self-update)
python3 "$site_script" demo --root "$site" --client "$build/demo-client/Client.exe" \
  --player "$build/player/LoginTarn.exe" --downloads-port "$downloads_port" "${self_update[@]}"

"$src/tools/mapped-prefix.sh" "$build/wineprefix" "$work" d
export WINEPREFIX="$work/prefix" WINEDEBUG=-all LC_ALL=zh_CN.UTF-8 HOME="$work/home"
# A crashed program ends at once instead of waiting in the debugger.
export WINEDLLOVERRIDES="winedbg.exe=d"
export ZORVATH_DEMO_CLIENT_SECONDS=${ZORVATH_DEMO_CLIENT_SECONDS:-5}
mkdir -p "$WINEPREFIX/drive_c/Downloads" "$WINEPREFIX/drive_c/road"
cp "$build/player/LoginTarn.exe" "$WINEPREFIX/drive_c/Downloads/LoginTarn.exe"
cp "$build/demo-client/RoadWatcher.exe" "$WINEPREFIX/drive_c/road/"

switcher=
cleanup() {
  [ -n "$switcher" ] && kill "$switcher" 2>/dev/null || true
  /usr/lib/wine/wineserver -k 2>/dev/null || true
}
trap cleanup EXIT
/usr/lib/wine/wineserver -p
/usr/lib/wine/wine64 cmd /c exit </dev/null >/dev/null 2>&1 || true

if [ -n "${ROAD_SELF_UPDATE:-}" ]; then
  # Once the newer launcher was fetched, the list stops naming it: the replaced launcher
  # reports the same version and would otherwise fetch it again.
  (
    tail -n0 -F "$site/logs/downloads.log" 2>/dev/null | grep -m1 -q 'GET /launcher/player.7z 200' || true
    python3 "$site_script" demo --root "$site" --downloads-port "$downloads_port" --list-only
  ) &
  switcher=$!
fi

shot=0
take_shot() {
  [ -n "${ROAD_SHOTS:-}" ] || return 0
  shot=$((shot + 1))
  import -window root "$ROAD_SHOTS/$shot $1.png" 2>/dev/null || true
}

[ -n "${ROAD_SHOTS:-}" ] && mkdir -p "$ROAD_SHOTS"
delay=2500
[ -n "${ROAD_SELF_UPDATE:-}" ] && delay=8000
set +e
/usr/lib/wine/wine64 'C:\road\RoadWatcher.exe' 'C:\Downloads\LoginTarn.exe' 'D:\BrannockZorvath\LoginTarn.exe' \
  'D:\BrannockZorvath\Client.exe' --login demo-player 127.0.0.1 7000 12 demo-token 天穹 s12 --delay "$delay" \
  </dev/null 2>/dev/null | while IFS= read -r line; do
  line=${line%$'\r'}
  echo "$line"
  echo "$line" >> "$work/road.log"
  case "$line" in
    *"stage login "*) take_shot "installed, login layout" ;;
    *"stage update "*) take_shot "logged in, update layout" ;;
    *"stage update-progress"*) take_shot "packages coming" ;;
    *"stage client "*) take_shot "game client, launcher hidden" ;;
    *"stage back "*) take_shot "client ended, launcher back" ;;
  esac
done
status=${PIPESTATUS[0]}
set -e
exit "$status"
