#!/usr/bin/env bash
# Builds the real Windows DLL, its Windows test host and the backend checks
# with mingw-w64 from the same sources as the Linux build.
#
#   scripts/windows-build.sh ARCH BUILD_DIR
#
# ARCH is i686 (the browser's 32-bit module) or x86_64 (the one Wine runs
# here). Uses ccache when the caller's build does.
set -euo pipefail
cd "$(dirname "$0")/.."
arch=${1:?usage: windows-build.sh ARCH BUILD_DIR}
build=${2:?usage: windows-build.sh ARCH BUILD_DIR}
launcher=()
if [[ -n ${CMAKE_CXX_COMPILER_LAUNCHER:-} ]]; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER="$CMAKE_CXX_COMPILER_LAUNCHER")
fi
cmake -S . -B "$build" -G Ninja --toolchain "cmake/toolchains/${arch}-w64-mingw32.cmake" \
  -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build "$build"
