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

# A stand-in Winamp 5.9.2 for the wizard to find, registered as the real
# player registers itself (32-bit view).
player=$build/demo-player
mkdir -p "$player"
cp "$build/native/fixtures/players/winamp-5.9.2/winamp.exe" "$player/"
winplayer="Z:${player//\//\\}"
register() {
  DISPLAY= "$root/scripts/wine.sh" reg add \
    'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Winamp' \
    /v UninstallString /t REG_SZ /d "\"$winplayer\\UninstWA.exe\"" /reg:32 /f >/dev/null
}

if [ -n "${DISPLAY:-}" ]; then
  export LINGVORA_USE_DISPLAY=1
  register
  echo "demo: starting the installer wizard on $DISPLAY"
  (cd "$pack" && "$root/scripts/wine.sh" "$pack/GUI.exe" /ACTION=0) || echo "demo: GUI.exe ended with exit code $?"
  exit 0
fi

unregister() {
  DISPLAY= "$root/scripts/wine.sh" reg delete \
    'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Winamp' /v UninstallString /reg:32 /f \
    >/dev/null 2>&1 || true
}
trap 'unregister; bash "$root/scripts/wine-session.sh" stop >/dev/null' EXIT
bash "$root/scripts/wine-session.sh" start
register
shot=$build/demo-installer.png
"$root/scripts/wine.sh" "$tree/tools/uidriver.exe" "$winpack" "Z:${shot//\//\\}" /ACTION=0
echo "demo: screenshot of the installer wizard: $shot"
