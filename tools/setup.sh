#!/usr/bin/env bash
# Prepares a fresh Debian 12 machine (as root) for building and testing both programs.
# Idempotent: every step checks first, so a second run takes a few seconds.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
deps="${LOGINTARN_DEPS:-$here/build/deps}"
mkdir -p "$deps"

need_pkgs=()
want=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
      wine64 xvfb xauth imagemagick fonts-wqy-microhei locales 7zip nginx python3 chromium
      cmake ninja-build g++ googletest libgtest-dev dpkg-dev xz-utils curl x11-utils nodejs npm python3-pil)
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need_pkgs+=("$p")
done
if [ ${#need_pkgs[@]} -gt 0 ]; then
  echo "setup: installing ${need_pkgs[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  # nodejs/npm may already come from another repository; do not fight over them.
  apt-get install -y -qq --no-install-recommends "${need_pkgs[@]}" >/dev/null 2>&1 ||
    apt-get install -y -qq --no-install-recommends $(printf '%s\n' "${need_pkgs[@]}" | grep -v -e '^nodejs$' -e '^npm$') >/dev/null
fi

# Wine needs the Chinese locale so the ANSI code page is 936 and non-ASCII arguments survive.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$'; then
  sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi

# The LZMA SDK comes from Debian's 7zip source package; only its C/ folder is used.
if [ ! -f "$deps/lzma/C/7zArcIn.c" ]; then
  if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    cat > /etc/apt/sources.list.d/logintarn-src.sources <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    apt-get update -qq
  fi
  tmp=$(mktemp -d)
  (cd "$tmp" && apt-get source --download-only -qq 7zip >/dev/null)
  orig=$(ls "$tmp"/7zip_*.orig.tar.* | head -n1)
  rm -rf "$deps/lzma" && mkdir -p "$deps/lzma"
  tar -xf "$orig" -C "$deps/lzma" --wildcards --no-anchored '*/C/*' 2>/dev/null || tar -xf "$orig" -C "$deps/lzma"
  src=$(dirname "$(find "$deps/lzma" -name 7zArcIn.c | head -n1)")
  if [ "$src" != "$deps/lzma/C" ]; then mv "$src" "$deps/lzma/C.tmp" && find "$deps/lzma" -mindepth 1 -maxdepth 1 ! -name C.tmp -exec rm -rf {} + && mv "$deps/lzma/C.tmp" "$deps/lzma/C"; fi
  rm -rf "$tmp"
fi

# jQuery 1.9.1 for the quotation tool, from the npm registry.
if [ ! -f "$deps/jquery/jquery.js" ]; then
  tmp=$(mktemp -d)
  (cd "$tmp" && npm pack -q jquery@1.9.1 >/dev/null 2>&1)
  mkdir -p "$deps/jquery"
  tar -xzf "$tmp"/jquery-1.9.1.tgz -C "$tmp"
  cp "$tmp/package/jquery.js" "$deps/jquery/jquery.js"
  rm -rf "$tmp"
fi

# Browser driver for the page tests (uses Debian's chromium, never downloads a browser).
if [ ! -d "$deps/node/node_modules/playwright-core" ]; then
  mkdir -p "$deps/node"
  (cd "$deps/node" && [ -f package.json ] || echo '{"private":true}' > package.json)
  (cd "$deps/node" && npm install -q --no-audit --no-fund playwright-core@1 >/dev/null 2>&1)
fi
# A script parser held to the legacy engine's language level, for the quotation page script.
if [ ! -d "$deps/node/node_modules/acorn" ]; then
  (cd "$deps/node" && npm install -q --no-audit --no-fund acorn@8 >/dev/null 2>&1)
fi
echo "setup: ready"
