#!/usr/bin/env bash
# The test command: sets up what is missing, builds all three presets and runs every tier
# (host rules, Windows tests under wine64, process-level tests, page tests) under one Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/setup.sh

cmake --preset host >/dev/null
cmake --build --preset host
ctest --preset host

# The 32-bit release build is compiled on every run; these machines cannot execute it.
cmake --preset win32 >/dev/null
cmake --build --preset win32

cmake --preset win64 >/dev/null
cmake --build --preset win64

source tools/session.sh
session_start "$root/build/win64"
trap session_stop EXIT
ctest --preset win64 "$@"

if [ -x tests/page/run.sh ]; then
  tests/page/run.sh
fi
