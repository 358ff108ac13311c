#!/usr/bin/env bash
# Installs the Debian packages the build and tests need, only when some are
# missing, and the browser test's node_modules from its lock file.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)

# clang-16 and its runtime build the fuzz preset: clang 14's C++20 library
# support cannot compile std::source_location. rsvg-convert (librsvg2-bin) turns
# the demo's SVG pictures into PNGs. The browser host's integration tests read
# its JSON lines with nlohmann-json.
packages=(cmake ninja-build g++ clang clang-16 libclang-rt-16-dev pkg-config libxml2-dev librsvg2-bin
          libgtest-dev libgmock-dev libbenchmark-dev libcurl4-openssl-dev g++-mingw-w64-i686
          g++-mingw-w64-x86-64 mingw-w64-tools libwine-dev wine64 xvfb xauth chromium nodejs npm nlohmann-json3-dev)

# A Node from outside Debian (NodeSource) bundles npm and conflicts with
# Debian's npm package; its own npm serves the same.
installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed' ||
    { [[ $1 == npm ]] && command -v npm >/dev/null; }
}

missing=()
for package in "${packages[@]}"; do
  installed "$package" || missing+=("$package")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

# puppeteer-core drives Debian's Chromium; it must never fetch a browser.
# npm ci only when the lock file changed since the last install.
browser_test=$repo/tests/sidebar_browser
if [[ ! $browser_test/node_modules/.package-lock.json -nt $browser_test/package-lock.json ]]; then
  (cd "$browser_test" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund)
fi
