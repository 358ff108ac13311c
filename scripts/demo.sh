#!/usr/bin/env bash
# Builds the default preset and plays the demo.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default
cmake --build --preset default --target vimaru-demo
# The demo writes its toolbar picture and the sidebar's pages into the
# working directory; headless Chromium then takes the sidebar's picture
# at its real width, with its script running as in the browser.
cd build/default
tools/demo/vimaru-demo "$@"
SIDEBAR_PAGES_DIR="$PWD" CHROMIUM=/usr/bin/chromium \
  node --test --test-name-pattern='screenshot' --test-reporter=dot \
  ../../tests/sidebar_browser/sidebar_clicks.test.mjs >/dev/null
echo "Sidebar picture (145 pixels wide, headless Chromium): $PWD/sidebar.png"
