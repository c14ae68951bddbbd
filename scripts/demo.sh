#!/usr/bin/env bash
# A whole installation of the example pack under Wine: the stand-in engine
# starts the installer wizard and installs what the user confirms (with
# --uninstaller: the uninstaller wizard, the pack recorded as installed into
# the stand-in player). On a machine with a display it opens there for you
# to use; without one it runs on a private Xvfb display, walks the installer
# from Welcome to its end and saves a screenshot of every page into
# build/demo/ (the uninstaller: one screenshot, build/demo-uninstaller.png).
set -euo pipefail
wizard=installer action=/ACTION=0
if [ "${1:-}" = --uninstaller ]; then wizard=uninstaller action=/ACTION=1; fi
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
arch=$(cat "$build/wine-arch")
tree=$build/$arch
pack=$build/demo-pack
rm -rf "$pack" && mkdir -p "$pack"
cp "$tree/src/win32/GUI.exe" "$build"/native/example-pack/* "$pack/"
winpack="Z:${pack//\//\\}"

source "$root/scripts/player.sh"
player=$build/demo-player
register() { player_register "$player" $([ $wizard = uninstaller ] && echo with-pack); }

if [ -n "${DISPLAY:-}" ]; then
  export LINGVORA_USE_DISPLAY=1
  register
  echo "demo: the stand-in engine starts the $wizard wizard on $DISPLAY"
  engine_args=()
  [ $wizard = uninstaller ] && engine_args=(--uninstall)
  "$root/scripts/wine.sh" "$tree/tools/engine.exe" "${engine_args[@]}" "$winpack" ||
    echo "demo: GUI.exe ended with exit code $?"
  exit 0
fi

unregister() { player_unregister; }
trap 'unregister; bash "$root/scripts/wine-session.sh" stop >/dev/null' EXIT
bash "$root/scripts/wine-session.sh" start
register
if [ $wizard = installer ]; then
  shots=$build/demo
  rm -rf "$shots" && mkdir -p "$shots"
  "$root/scripts/wine.sh" "$tree/tools/uidriver.exe" --walk "Z:${shots//\//\\}" \
    "Z:${tree//\//\\}\\tools\\engine.exe" "$winpack"
  echo "demo: a screenshot of every page of the installation: $shots/"
  ls "$shots"
else
  shot=$build/demo-$wizard.png
  "$root/scripts/wine.sh" "$tree/tools/uidriver.exe" "$winpack" "Z:${shot//\//\\}" $action
  echo "demo: screenshot of the $wizard wizard: $shot"
fi
