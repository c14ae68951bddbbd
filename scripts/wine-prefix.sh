#!/usr/bin/env bash
# Makes (once) the Wine prefix that the tests and the demo use, inside the
# build folder, never ~/.wine. Usage: wine-prefix.sh PREFIX
set -euo pipefail
prefix=$1
stamp=$prefix/.lingvora-ready
[ -f "$stamp" ] && exit 0

export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export DISPLAY=
mkdir -p "$prefix"
wineboot -i >/dev/null 2>&1 || true
reg() { wine reg add "$@" /f >/dev/null 2>&1; }
# Unmanaged windows close at once under Xvfb (managed ones wait for a window manager).
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
reg 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d Y
# Calibri is not free: Carlito has the same metrics.
reg 'HKCU\Software\Wine\Fonts\Replacements' /v Calibri /t REG_SZ /d Carlito
for f in /usr/share/fonts/truetype/crosextra/Carlito-*.ttf; do
  [ -f "$f" ] && ln -sf "$f" "$prefix/drive_c/windows/Fonts/$(basename "$f")"
done
reg 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96
reg 'HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize' /v AppsUseLightTheme /t REG_DWORD /d 1
wineserver -w
touch "$stamp"
