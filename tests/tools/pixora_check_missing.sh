#!/usr/bin/env bash
# The check names a picture the library lacks and fails.
#   pixora_check_missing.sh PIXORA_CHECK PICTURE_DIR BUILDER
set -euo pipefail
check=$1 pictures=$2 builder=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$pictures"/*.png "$pictures"/*.bmp "$work/"
rm "$work/HEADER_WACUP_144.png" "$work/APP_STATE_DARK_MIXED.bmp"
printf 'not a png' >"$work/INFO_WACUP_96.png"
mkdir "$work/out"
bash "$builder" "$work" "$work/out/Pixora.dll"
if "$check" "$work/out/Pixora.dll" WACUP 1045 >"$work/report"; then
  echo "the check passed on a library with missing pictures"; exit 1
fi
cat "$work/report"
grep -qx 'missing HEADER_WACUP_144' "$work/report"
grep -qx 'missing APP_STATE_DARK_MIXED' "$work/report"
grep -qx 'broken INFO_WACUP_96' "$work/report"
[ "$(wc -l <"$work/report")" -eq 3 ]
