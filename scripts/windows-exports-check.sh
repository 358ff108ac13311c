#!/usr/bin/env bash
# Checks what a built VimaruIEToolbar.dll shows the loader: exactly the four
# COM server exports, and imports from Windows system DLLs only (the C and
# C++ run time are linked in).
#
#   scripts/windows-exports-check.sh ARCH DLL
set -euo pipefail
arch=${1:?usage: windows-exports-check.sh ARCH DLL}
dll=${2:?usage: windows-exports-check.sh ARCH DLL}
headers=$("${arch}-w64-mingw32-objdump" -p "$dll")

exports=$(awk '/^\[Ordinal\/Name Pointer\] Table/ {table = 1; next}
               table && /^[[:space:]]*\[ *[0-9]+\]/ {print $NF; next}
               table {table = 0}' <<<"$headers" | sort | tr '\n' ' ')
expected="DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer "
echo "exports: $exports"
[[ $exports == "$expected" ]] || { echo "expected exactly: $expected" >&2; exit 1; }

imports=$(awk '/DLL Name:/ {print tolower($3)}' <<<"$headers" | sort -u)
echo "imports:" $imports
system='^(kernel32|user32|gdi32|advapi32|ole32|oleaut32|comctl32|shell32|shlwapi|urlmon|wininet|ws2_32|msvcrt|api-ms-win-[a-z0-9-]+)\.dll$'
unexpected=$(grep -Ev "$system" <<<"$imports" || true)
[[ -z $unexpected ]] || { echo "imports beyond the system DLLs: $unexpected" >&2; exit 1; }
