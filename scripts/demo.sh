#!/usr/bin/env bash
# The installer wizard on the example pack under Wine. On a machine with a
# display it opens there for you to use; without one it runs on a private
# Xvfb display and saves a screenshot of the window into the build folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
arch=$(cat "$build/wine-arch")
tree=$build/$arch
pack=$build/demo-pack
rm -rf "$pack" && mkdir -p "$pack"
cp "$tree/src/win32/GUI.exe" "$build"/native/example-pack/* "$pack/"
winpack="Z:${pack//\//\\}"

if [ -n "${DISPLAY:-}" ]; then
  export LINGVORA_USE_DISPLAY=1
  echo "demo: starting the installer wizard on $DISPLAY"
  (cd "$pack" && "$root/scripts/wine.sh" "$pack/GUI.exe" /ACTION=0) || echo "demo: GUI.exe ended with exit code $?"
  exit 0
fi

trap 'bash "$root/scripts/wine-session.sh" stop >/dev/null' EXIT
bash "$root/scripts/wine-session.sh" start
shot=$build/demo-installer.png
"$root/scripts/wine.sh" "$tree/tools/uidriver.exe" "$winpack" "Z:${shot//\//\\}" /ACTION=0
echo "demo: screenshot of the installer wizard: $shot"
