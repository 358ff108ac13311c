#!/usr/bin/env bash
# Builds the default preset and plays the demo.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default
cmake --build --preset default --target vimaru-demo
# The demo writes its toolbar picture into the working directory.
cd build/default
tools/demo/vimaru-demo "$@"
