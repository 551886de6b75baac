#!/usr/bin/env bash
# Draws the quotation tool's icon (a price sheet on the page's green) as an .ico with 16, 32
# and 48 pixel images. The result is committed; run again only to change the drawing.
set -euo pipefail
out=$1
convert -size 48x48 xc:none \
  -fill '#389712' -draw 'roundrectangle 1,1 46,46 8,8' \
  -fill white -draw 'rectangle 10,7 37,41' \
  -fill '#8390f7' -draw 'rectangle 10,7 37,12' \
  -stroke '#8390f7' -strokewidth 2 \
  -draw 'line 14,18 33,18' -draw 'line 14,24 33,24' -draw 'line 14,30 26,30' \
  -stroke none -fill '#FF0000' -draw 'circle 33,35 41,35' \
  -fill '#FFFF00' -font DejaVu-Sans-Bold -pointsize 13 -gravity NorthWest -draw "text 28,27 '¥'" \
  -define icon:auto-resize=48,32,16 "$out"
