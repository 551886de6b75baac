#!/usr/bin/env bash
# Writes the quotation page's three HTML resources into a folder, named by their resource
# numbers: 104 (the page) and 131 (its script) converted to GBK, 130 the script library.
# Used by the build and by the page tests, so both see the same bytes.
set -euo pipefail
out=$1
jquery=$2
src=$(cd "$(dirname "$0")/../quote/resources" && pwd)
mkdir -p "$out"
# iconv fails on any character GBK cannot hold rather than writing a damaged page.
iconv -f UTF-8 -t GBK "$src/rigsheet.html" > "$out/104.tmp"
iconv -f UTF-8 -t GBK "$src/rigsheet.js" > "$out/131.tmp"
cat "$jquery" > "$out/130.tmp"
for n in 104 130 131; do mv -f "$out/$n.tmp" "$out/$n"; done
