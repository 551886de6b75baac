#!/usr/bin/env bash
# Extraction of a solid LZMA archive of about 200 MB of generated game-like data: ExtractArchive
# under Wine against "7zz x" in the same run. Prints both times, both peak memories and their
# ratios. Run by hand (not part of the test command): bench/archive_bench.sh [win64 build folder]
# ARCHIVE_BENCH_MB sets the data size, ARCHIVE_BENCH_RUNS the runs per side (the best counts).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$root/build/win64}")
megabytes=${ARCHIVE_BENCH_MB:-200}
runs=${ARCHIVE_BENCH_RUNS:-2}
work=$build/archive-bench
archive=$work/data-$megabytes.7z

cmake --build "$build" --target archive_bench -j2 >/dev/null
mkdir -p "$work"
if [ ! -f "$archive" ]; then
  echo "generating $megabytes MB of data and packing it (once; kept in $work)"
  rm -rf "$work/data"
  python3 "$root/bench/make_archive_data.py" "$work/data" "$megabytes"
  (cd "$work/data" && 7zz a -bd -bso0 -bsp0 -t7z -m0=LZMA -mx=5 -ms=on "$archive.part" . && mv "$archive.part" "$archive")
fi
data_mb=$(du -sm --apparent-size "$work/data" | cut -f1)
blocks=$(7zz l -slt "$archive" | sed -n 's/^Blocks = //p')
echo "data: $data_mb MB in $(find "$work/data" -type f | wc -l) files; archive: $(($(stat -c %s "$archive") / 1048576)) MB, $blocks block(s)"

windows_path() { local p=$1; echo "Z:${p//\//\\}"; }
source "$root/tools/session.sh"
session_start "$build" >/dev/null
trap session_stop EXIT

best() { sort -n | head -n1; }
: >"$work/7z.times"
: >"$work/wine.times"
for _ in $(seq "$runs"); do
  rm -rf "$work/out-7z" "$work/out-wine"
  /usr/bin/time -f '%e %M' -o "$work/time.out" 7zz x -bd -bso0 -bsp0 -y -o"$work/out-7z" "$archive"
  cat "$work/time.out" >>"$work/7z.times"
  /usr/bin/time -f '%e %M' -o "$work/time.out" "$build/wine-run.sh" "$build/bin/archive_bench.exe" \
    "$(windows_path "$archive")" "$(windows_path "$work/out-wine")" >"$work/program.out"
  echo "$(cat "$work/time.out") $(cat "$work/program.out")" >>"$work/wine.times"
done
diff -rq "$work/out-7z" "$work/out-wine" >/dev/null || { echo "the two extractions differ"; exit 1; }

seven_s=$(cut -d' ' -f1 "$work/7z.times" | best)
seven_kb=$(cut -d' ' -f2 "$work/7z.times" | sort -n | tail -n1)
wine_s=$(cut -d' ' -f1 "$work/wine.times" | best)
wine_kb=$(cut -d' ' -f2 "$work/wine.times" | sort -n | tail -n1)
inner_s=$(sed -n 's/.*seconds=\([0-9.]*\).*/\1/p' "$work/wine.times" | best)
peak_ws=$(sed -n 's/.*peak_working_set_mb=\([0-9.]*\).*/\1/p' "$work/wine.times" | sort -n | tail -n1)
awk -v s="$seven_s" -v sk="$seven_kb" -v w="$wine_s" -v wk="$wine_kb" -v i="$inner_s" -v ws="$peak_ws" -v runs="$runs" \
  'BEGIN {
  printf "best of %d runs each; both outputs identical\n", runs
  printf "7zz x:          %7.2f s   peak RSS %7.1f MB\n", s, sk / 1024
  printf "ExtractArchive: %7.2f s   peak RSS %7.1f MB (whole wine64 process; %.2f s inside the call,\n", w, wk / 1024, i
  printf "                            peak working set %.1f MB as the program sees it)\n", ws
  printf "ratio ExtractArchive / 7zz: time %.2f (%.2f inside the call), peak memory %.1f\n", w / s, i / s, wk / sk
}'
