#!/usr/bin/env bash
# Page tests of the quotation form: the page, its script and the script library as the
# program carries them (files 104, 130, 131), served on 127.0.0.1 to Debian's headless
# chromium, driven through playwright-core with node's test runner.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
deps="${LOGINTARN_DEPS:-$root/build/deps}"
work="${PAGE_TEST_DIR:-$root/build/page}"
mkdir -p "$work"
"$root/tools/encode-quote-page.sh" "$work/resources" "$deps/jquery/jquery.js"
export PAGE_RESOURCES="$work/resources" PAGE_OUTPUT="$work" NODE_PATH="$deps/node/node_modules"
exec node --test --test-reporter=tap --test-concurrency=1 "$root"/tests/page/*.test.js
