#!/usr/bin/env bash
# Runs a Windows program under the project's Wine: the prefix and the private
# display of the build folder. Usage: wine.sh PROGRAM [ARGS...]
# BUILD_DIR selects the build folder (default: build beside this script).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
arch=$(cat "$build/wine-arch" 2>/dev/null || echo i686)
export WINEPREFIX=${WINEPREFIX:-$build/wine/prefix-$arch}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ -z "${LINGVORA_USE_DISPLAY:-}" ] && [ -f "$build/wine/display" ]; then
  export DISPLAY=$(cat "$build/wine/display")
fi
if [ "$arch" = x86_64 ]; then loader=/usr/lib/wine/wine64; else loader=/usr/lib/wine/wine; fi
exec "$loader" "$@"
