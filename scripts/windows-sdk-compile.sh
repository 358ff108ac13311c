#!/usr/bin/env bash
# Compiles every product source file, syntax only, with a mingw-w64 compiler
# against the real Windows SDK headers: the proof that the product code we
# test on Linux is the code a Windows build compiles. Product folders are
# found, not listed, so a new file or folder is checked without editing this.
#
#   scripts/windows-sdk-compile.sh ARCH GENERATED_DIR
#
# ARCH is i686 or x86_64; GENERATED_DIR holds the headers the configure step
# writes (soap/ServiceConfig.h). Exits non-zero on the first failing file
# after all files were tried, printing each failure's diagnostics.
set -uo pipefail
cd "$(dirname "$0")/.."
arch=${1:?usage: windows-sdk-compile.sh ARCH GENERATED_DIR}
generated=${2:?usage: windows-sdk-compile.sh ARCH GENERATED_DIR}
compiler=${arch}-w64-mingw32-g++-posix
command -v "$compiler" >/dev/null || { echo "$compiler is not installed" >&2; exit 1; }

product_folders=()
for folder in framework soap session commands server; do
  [[ -d $folder ]] && product_folders+=("$folder")
done

# Test code and test-only support stay Linux-only: they drive the stand-ins.
mapfile -t sources < <(find "${product_folders[@]}" -name '*.cpp' ! -name '*_test.cpp' \
                         ! -path '*/testing/*' ! -path '*/testplugin/*' | sort)

export compiler generated
compile_one() {
  "$compiler" -std=c++20 -fsyntax-only -Wall -Wextra -Werror=return-type -I. -I"$generated" \
    -DNOMINMAX "$1" 2>&1 ||
    { echo "FAILED: $1"; return 1; }
}
export -f compile_one

log=$(mktemp)
trap 'rm -f "$log"' EXIT
printf '%s\n' "${sources[@]}" | xargs -P "$(nproc)" -I{} bash -c 'compile_one {}' >"$log"
status=$?
cat "$log"
failed=$(grep -c '^FAILED: ' "$log")
echo "${arch}: ${#sources[@]} product files, ${failed} failed"
[[ $status -eq 0 && $failed -eq 0 ]]
