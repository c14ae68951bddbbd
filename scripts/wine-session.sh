#!/usr/bin/env bash
# Starts or stops what the Windows tests and the demo run in: the prefix of
# the build folder (made once), a private Xvfb display and a persistent
# wineserver for that prefix. Usage: wine-session.sh start|stop
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
arch=$(cat "$build/wine-arch" 2>/dev/null || echo i686)
state=$build/wine
prefix=$state/prefix-$arch
mkdir -p "$state"
export WINEPREFIX=$prefix WINEDEBUG=-all

start() {
  stop_quietly
  # A free display number of our own.
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$state/xvfb.log" 2>&1 &
  echo $! >"$state/xvfb.pid"
  echo ":$n" >"$state/display"
  for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
  make_prefix
  wineserver -p </dev/null >/dev/null 2>&1
  # Wine's own services start with the first program and live as long as the
  # wineserver: start them here, away from the output pipes of the tests.
  "$root/scripts/wine.sh" cmd /c exit </dev/null >/dev/null 2>&1 || true
  echo "wine-session: display :$n, prefix $prefix"
}

# Wine's own fonts (Tahoma, Marlett for the caption buttons) and Carlito,
# which stands in for Calibri, in the prefix where every Wine finds them.
install_fonts() {
  local fonts=$prefix/drive_c/windows/Fonts
  [ -d "$fonts" ] || return 0
  for f in /usr/share/wine/fonts/*.ttf /usr/share/fonts/truetype/crosextra/Carlito-*.ttf; do
    [ -f "$f" ] && [ ! -f "$fonts/$(basename "$f")" ] && cp "$f" "$fonts/"
  done
  return 0
}

make_prefix() {
  [ -f "$prefix/.lingvora-ready" ] && { install_fonts; return; }
  echo "wine-session: making the Wine prefix (once)"
  DISPLAY= "$root/scripts/wine.sh" wineboot -i >/dev/null 2>&1 || true
  reg() { DISPLAY= "$root/scripts/wine.sh" reg add "$@" /f >/dev/null 2>&1; }
  # Unmanaged windows close at once under Xvfb; managed ones wait for a window manager.
  reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
  # Calibri is not free: Carlito has its metrics.
  reg 'HKCU\Software\Wine\Fonts\Replacements' /v Calibri /t REG_SZ /d Carlito
  install_fonts
  reg 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96
  reg 'HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize' /v AppsUseLightTheme /t REG_DWORD /d 1
  wineserver -w
  touch "$prefix/.lingvora-ready"
}

stop_quietly() {
  wineserver -k 2>/dev/null || true
  if [ -f "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    rm -f "$state/xvfb.pid" "$state/display"
  fi
}

case "${1:-}" in
  start) start ;;
  stop) stop_quietly; echo "wine-session: stopped" ;;
  *) echo "usage: $0 start|stop" >&2; exit 2 ;;
esac
