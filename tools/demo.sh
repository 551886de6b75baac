#!/usr/bin/env bash
# The demo command: the whole road of one game run under Wine. A launcher downloaded into
# C:\Downloads installs itself on the fixed drive D:, restarts from there, opens the login
# page, logs in (the page stand-in plays the page's call: Wine has no HTML engine here),
# updates the client from a local operator site with both bars moving, starts the demo game
# client, hides, and comes back when the client closes.
# With a display you watch it; without one it runs under Xvfb and writes a contact sheet of
# the stages, and prints its path. It stops everything it started.
#   tools/demo.sh [--self-update]   (the site first offers a newer launcher, which replaces itself)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
self_update=
[ "${1:-}" = --self-update ] && self_update=1

bash tools/setup.sh >/dev/null
build=${LOGINTARN_DEMO_BUILD:-$root/build/win64}
if [ -z "${LOGINTARN_DEMO_BUILD:-}" ]; then
  cmake --preset win64 >/dev/null
fi
cmake --build "$build" -j2 --target LoginTarnPlayer DemoClient RoadWatcher >/dev/null

# The site listens where the demo build's launcher looks.
port() { sed -n "s/^#define LOGINTARN_$1 \".*:\\([0-9]*\\)\"$/\\1/p" "$build/generated/Endpoints.h"; }
site="$build/demo-site"
shots="$build/demo-shots"
sheet="$build/demo-contact-sheet.png"

source tools/session.sh
headless=1
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  headless=
  LOGINTARN_KEEP_DISPLAY=1 session_start "$build"
else
  session_start "$build"
fi
stop_all() {
  python3 tests/support/operator_site.py stop --root "$site" || true
  session_stop
}
trap stop_all EXIT
python3 tests/support/operator_site.py start --root "$site" --portal-port "$(port PORTAL)" \
  --downloads-port "$(port DOWNLOADS)" --statistics-port "$(port STATISTICS)"

rm -rf "$shots"
status=0
if [ -n "$headless" ]; then
  ROAD_SHOTS="$shots" ROAD_SELF_UPDATE="$self_update" tools/demo/road.sh "$build" "$site" "$build/demo" || status=$?
else
  ROAD_SELF_UPDATE="$self_update" tools/demo/road.sh "$build" "$site" "$build/demo" || status=$?
fi
echo "game directory: $build/demo/d/BrannockZorvath   access logs: $site/logs"
if [ -n "$headless" ] && ls "$shots"/*.png >/dev/null 2>&1; then
  montage -font DejaVu-Sans -pointsize 22 -label '%t' "$shots"/*.png -tile 3x -geometry 640x360+6+6 \
    -background '#202020' -fill white "$sheet"
  echo "contact sheet: $sheet"
fi
exit "$status"
