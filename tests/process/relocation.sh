#!/usr/bin/env bash
# Runs the relocation test program in a Wine prefix of its own, so the drive choice is
# known: C: (system), D: and E: (folders of this test, equal free space), no Z:.
# Usage: relocation.sh <build dir> <launcher exe> <test exe> <source dir>
set -eu
build=$1 launcher=$2 driver=$3 src=$4
base="$build/wineprefix"
work="$build/relocation"
prefix="$work/prefix"
"$src/tools/wine-prefix.sh" "$base"

export WINEPREFIX="$prefix" WINEDEBUG=-all LC_ALL=zh_CN.UTF-8 HOME="$work/home"
# A crashed program ends at once: no debugger is started, since one that cannot attach to a
# process with a broken heap would keep it, and the files it runs from, until the end.
export WINEDLLOVERRIDES="winedbg.exe=d"
[ -d "$prefix" ] && /usr/lib/wine/wineserver -k 2>/dev/null || true
rm -rf "$work"
mkdir -p "$prefix/drive_c" "$HOME" "$work/d" "$work/e"

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
  [ -L "$link" ] && ln -sfn "$HOME" "$link"
done
rm -f "$prefix/dosdevices/z:"
ln -s "$work/d" "$prefix/dosdevices/d:"
ln -s "$work/e" "$prefix/dosdevices/e:"

mkdir -p "$prefix/drive_c/relocation-test"
cp "$launcher" "$prefix/drive_c/relocation-test/LoginTarn.exe"
cp "$driver" "$prefix/drive_c/relocation-test/"

/usr/lib/wine/wineserver -p
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
cd "$prefix/drive_c/relocation-test"
/usr/lib/wine/wine64 cmd /c exit </dev/null >/dev/null 2>&1 || true
/usr/lib/wine/wine64 "C:\\relocation-test\\$(basename "$driver")" --gtest_color=no
