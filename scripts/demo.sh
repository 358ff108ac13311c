#!/usr/bin/env bash
# Builds the default preset and plays the demo: a whole browsing session in
# vimaru-browser, the stand-in browser, on the reference service it starts
# in-process, then a second run on the same machine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default
cmake --build --preset default --target vimaru-browser

demo=$PWD/build/default/demo
rm -rf "$demo"
mkdir -p "$demo"
browser=build/default/tools/browser/vimaru-browser
echo "== The tour (tools/browser/tour.txt), on a fresh machine kept in $demo/root"
"$browser" tools/browser/tour.txt --root "$demo/root" --out "$demo" "$@"
echo
echo "== The same machine again (tools/browser/tour-again.txt)"
"$browser" tools/browser/tour-again.txt --root "$demo/root" --out "$demo" "$@"
echo
echo "Pictures:"
ls "$demo"/*.png | sed 's/^/  /'
