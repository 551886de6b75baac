#!/usr/bin/env bash
# Portable files (no _win suffix) must not reach a Windows header, directly or through a project header.
set -eu
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"
bad=0
for f in $(git ls-files 'launcher/*.h' 'launcher/*.cpp' 'launcher/*.c' 2>/dev/null || find launcher -name '*.h' -o -name '*.cpp'); do
  case "$f" in *_win.h|*_win.cpp|*_win.c|*/Main_win.cpp) continue;; esac
  if grep -nE '#\s*include\s*[<"](windows|winsock|wininet|winhttp|shlobj|shellapi|ole2|objbase|commctrl|tlhelp32|iphlpapi|winbase|winuser|mshtml|exdisp)' "$f"; then
    echo "portable file reaches a Windows header: $f"; bad=1
  fi
  if grep -nE '#\s*include\s*"[^"]*_win\.h"' "$f"; then
    echo "portable file includes a platform header: $f"; bad=1
  fi
done
[ $bad -eq 0 ] && echo "portable files stay portable"
exit $bad
