#!/usr/bin/env bash
# Builds the chosen preset (default unless given: asan, tsan) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-default}

scripts/install-deps.sh
cmake --preset "$preset"
cmake --build --preset "$preset"
ctest --preset "$preset" -j "$(nproc)"
