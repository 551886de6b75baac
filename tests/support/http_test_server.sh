#!/bin/sh
# Starts or stops the download tests' HTTP server (a ctest fixture).
#   http_test_server.sh start DIR   starts it in the background; DIR/port holds its port
#   http_test_server.sh stop DIR
set -eu
action=$1
dir=$2
here=$(cd "$(dirname "$0")" && pwd)
case "$action" in
  start)
    if [ -f "$dir/pid" ] && kill -0 "$(cat "$dir/pid")" 2>/dev/null; then kill "$(cat "$dir/pid")" || true; fi
    rm -rf "$dir"
    mkdir -p "$dir"
    # Port 21 too, when it is free, so an "ftp://" URL without a port can be fetched.
    setsid python3 "$here/http_test_server.py" --dir "$dir" --also-port 21 </dev/null >"$dir/server.out" 2>&1 &
    i=0
    while [ ! -f "$dir/port" ]; do
      i=$((i + 1))
      if [ $i -gt 100 ]; then echo "test server did not start"; cat "$dir/server.out"; exit 1; fi
      sleep 0.1
    done
    echo "test server on port $(cat "$dir/port")"
    ;;
  stop)
    if [ -f "$dir/pid" ]; then kill "$(cat "$dir/pid")" 2>/dev/null || true; rm -f "$dir/pid"; fi
    ;;
  *)
    echo "usage: $0 start|stop DIR" >&2
    exit 2
    ;;
esac
