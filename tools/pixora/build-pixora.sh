#!/usr/bin/env bash
# Builds an image library from a folder of pictures: every NAME.png becomes
# the RCDATA resource NAME, every NAME.bmp the BITMAP resource NAME, in a
# resource-only DLL (no code, no entry point).
#   build-pixora.sh PICTURE_DIR OUT.dll
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 PICTURE_DIR OUT.dll" >&2; exit 2; }
dir=$(cd "$1" && pwd)
out=$2
prefix=${MINGW_PREFIX:-i686-w64-mingw32}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

rc=$work/pictures.rc
: >"$rc"
shopt -s nullglob
for f in "$dir"/*.png "$dir"/*.PNG; do
  name=$(basename "${f%.*}" | tr '[:lower:]' '[:upper:]')
  printf '%s RCDATA "%s"\n' "$name" "$f" >>"$rc"
done
for f in "$dir"/*.bmp "$dir"/*.BMP; do
  name=$(basename "${f%.*}" | tr '[:lower:]' '[:upper:]')
  printf '%s BITMAP "%s"\n' "$name" "$f" >>"$rc"
done
[ -s "$rc" ] || { echo "$0: no .png or .bmp files in $dir" >&2; exit 1; }

"$prefix-windres" -O coff -i "$rc" -o "$work/pictures.o"
"$prefix-gcc" -shared -nostdlib -Wl,--entry=0 -s -o "$out" "$work/pictures.o"
