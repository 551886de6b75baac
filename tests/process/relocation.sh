#!/usr/bin/env bash
# Runs the relocation test program in a Wine prefix of its own, so the drive choice is
# known: C: (system), D: and E: (folders of this test, equal free space), no Z:.
# Usage: relocation.sh <build dir> <launcher exe> <test exe> <source dir>
set -eu
build=$1 launcher=$2 driver=$3 src=$4
work="$build/relocation"
"$src/tools/mapped-prefix.sh" "$build/wineprefix" "$work" d e
export WINEPREFIX="$work/prefix" WINEDEBUG=-all LC_ALL=zh_CN.UTF-8 HOME="$work/home"
# A crashed program ends at once: no debugger is started, since one that cannot attach to a
# process with a broken heap would keep it, and the files it runs from, until the end.
export WINEDLLOVERRIDES="winedbg.exe=d"
prefix=$WINEPREFIX

mkdir -p "$prefix/drive_c/relocation-test"
cp "$launcher" "$prefix/drive_c/relocation-test/LoginTarn.exe"
cp "$driver" "$prefix/drive_c/relocation-test/"

/usr/lib/wine/wineserver -p
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
cd "$prefix/drive_c/relocation-test"
/usr/lib/wine/wine64 cmd /c exit </dev/null >/dev/null 2>&1 || true
/usr/lib/wine/wine64 "C:\\relocation-test\\$(basename "$driver")" --gtest_color=no
