#!/usr/bin/env bash
# The shipped programs are 32-bit and depend on Windows system DLLs only
# (the C++ runtime is linked statically), whatever machine the tests run on.
#   check_pe_imports.sh OBJDUMP FILE...
set -euo pipefail
objdump=$1
shift
allowed='^(kernel32|user32|gdi32|advapi32|shell32|comctl32|comdlg32|msimg32|uxtheme|version|ole32|oleaut32|shlwapi|msvcrt|ucrtbase|api-ms-win-.*)\.dll$'
status=0
for f in "$@"; do
  header=$("$objdump" -f "$f")
  grep -q 'file format pei-i386' <<<"$header" || { echo "$f: not a 32-bit PE file"; status=1; }
  while read -r dll; do
    if ! grep -qiE "$allowed" <<<"$dll"; then
      echo "$f imports $dll"
      status=1
    fi
  done < <("$objdump" -p "$f" | awk '/DLL Name:/ {print $3}')
done
[ $status -eq 0 ] && echo "only system DLLs: $*"
exit $status
