#!/usr/bin/env bash
# Download throughput: 80 files of 2 MiB served by nginx on 127.0.0.1, fetched by the
# launcher's queue under Wine and by curl with four parallel transfers, in the same run.
# Prints both times and their ratio (queue / curl). Run by hand after building win64.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/win64"
count=80
size_mib=2
bench="$build/bin/download_bench.exe"
[ -f "$bench" ] || { echo "build first: cmake --build --preset win64 --target download_bench"; exit 1; }

work=$(mktemp -d /tmp/download_bench.XXXXXX)
nginx_pid=""
cleanup() {
  [ -n "$nginx_pid" ] && kill "$nginx_pid" 2>/dev/null || true
  session_stop 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/www" "$work/curl" "$work/queue" "$work/nginx"
# nginx's workers drop root and must still read the files.
chmod 755 "$work" "$work/www"
for i in $(seq 0 $((count - 1))); do
  head -c $((size_mib * 1024 * 1024)) /dev/urandom > "$work/www/$(printf 'f%02d.bin' "$i")"
done
chmod 644 "$work"/www/*

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1]); s.close()')
cat > "$work/nginx/nginx.conf" <<CONF
worker_processes 1;
pid $work/nginx/nginx.pid;
error_log $work/nginx/error.log;
events { worker_connections 64; }
http {
  access_log off;
  client_body_temp_path $work/nginx/body;
  proxy_temp_path $work/nginx/proxy;
  fastcgi_temp_path $work/nginx/fastcgi;
  uwsgi_temp_path $work/nginx/uwsgi;
  scgi_temp_path $work/nginx/scgi;
  sendfile on;
  server {
    listen 127.0.0.1:$port;
    root $work/www;
  }
}
CONF
nginx -c "$work/nginx/nginx.conf" -g 'daemon off;' &
nginx_pid=$!
for _ in $(seq 50); do curl -sf -o /dev/null "http://127.0.0.1:$port/f00.bin" && break; sleep 0.1; done

base="http://127.0.0.1:$port"
urls=()
for i in $(seq 0 $((count - 1))); do
  f=$(printf 'f%02d.bin' "$i")
  urls+=(-o "$work/curl/$f" "$base/$f")
done
start=$(date +%s.%N)
curl -sf --parallel --parallel-max 4 "${urls[@]}" >/dev/null 2>"$work/curl.err" || { cat "$work/curl.err"; exit 1; }
end=$(date +%s.%N)
curl_ms=$(python3 -c "print(round(($end - $start) * 1000, 1))")

source "$root/tools/session.sh"
session_start "$build"
# Wine's own start-up is left out: the program times its batch from Start to the end message.
out=$(LC_ALL=zh_CN.UTF-8 HOME="$WINEPREFIX.home" /usr/lib/wine/wine64 "$bench" "$base" "$count" "Z:${work//\//\\}\\queue")
echo "$out"
queue_ms=$(echo "$out" | sed -n 's/.*queue_ms=\([0-9.]*\).*/\1/p')

for i in $(seq 0 $((count - 1))); do
  f=$(printf 'f%02d.bin' "$i")
  cmp -s "$work/www/$f" "$work/queue/$f" || { echo "queue copy of $f differs"; exit 1; }
  cmp -s "$work/www/$f" "$work/curl/$f" || { echo "curl copy of $f differs"; exit 1; }
done

echo "files: $count x $size_mib MiB"
echo "curl (4 parallel): ${curl_ms} ms"
echo "queue (4 workers, under Wine): ${queue_ms} ms"
python3 -c "print('ratio queue/curl: %.2f' % ($queue_ms / $curl_ms))"
