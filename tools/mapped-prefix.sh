#!/usr/bin/env bash
# Makes a Wine prefix of its own under WORK from the build's base prefix, with more fixed
# drives mapped to folders WORK/<letter> and no Z:, so a launcher's drive choice is known.
# Usage: mapped-prefix.sh BASE_PREFIX WORK LETTER...   (prefix: WORK/prefix, home: WORK/home)
# Ends a Wine server still running in an earlier prefix of the same place first.
set -eu
base=$1 work=$2
shift 2
prefix="$work/prefix"
"$(dirname "$0")/wine-prefix.sh" "$base"

[ -d "$prefix" ] && WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
rm -rf "$work"
mkdir -p "$prefix/drive_c" "$work/home"

# The system files are only read: hard links spare copying them. All else is copied.
cp -a "$base"/*.reg "$base/.update-timestamp" "$base/dosdevices" "$prefix/"
for item in "$base/drive_c"/*; do
  [ "$(basename "$item")" = windows ] || cp -a "$item" "$prefix/drive_c/"
done
mkdir -p "$prefix/drive_c/windows"
for item in "$base/drive_c/windows"/*; do
  case "$(basename "$item")" in
    system32 | winsxs) cp -al "$item" "$prefix/drive_c/windows/" ;;
    *) cp -a "$item" "$prefix/drive_c/windows/" ;;
  esac
done
# User folders of the base prefix point into its home; point them into ours.
for link in "$prefix"/drive_c/users/*/*; do
  [ -L "$link" ] && ln -sfn "$work/home" "$link"
done
rm -f "$prefix/dosdevices/z:"
for letter in "$@"; do
  mkdir -p "$work/$letter"
  ln -s "$work/$letter" "$prefix/dosdevices/$letter:"
done
