#!/usr/bin/env bash
# The whole road headless, against the tests' operator site: a downloaded launcher installs
# itself on D:, logs in through the page stand-in, updates the client, starts it, hides and
# comes back; then every stage is checked from outside.
# Usage: endtoend.sh <build dir> <source dir>
set -u
build=$1 src=$2
site="$build/operator-site"
work="$build/endtoend"
offsets=()
for log in portal downloads statistics; do
  offsets+=("$(stat -c %s "$site/logs/$log.log" 2>/dev/null || echo 0)")
done
"$src/tools/demo/road.sh" "$build" "$site" "$work"
status=$?
# Later tests find the site's list as they expect it: naming nothing.
printf '[LoginUp]\r\nVer=2.6\r\n' > "$site/downloads/UpdataAll/Updata_Brannock/list.txt"
python3 "$src/tests/process/endtoend_check.py" --work "$work" --site "$site" --player "$build/player/LoginTarn.exe" \
  --road-status "$status" --offsets "${offsets[@]}"
