#!/usr/bin/env bash
# Set-up and build of every tree: native (core and its tests), i686 (the
# shipped programs) and, where this machine cannot run 32-bit code, x86_64
# builds of the same sources for the tests under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh
arch=$(cat build/wine-arch)

configure() {  # preset [cache args...]
  local preset=$1
  shift
  cmake --preset "$preset" "$@" >/dev/null
}
# The native tree first: it also builds the example pack the others test with.
configure native -DLINGVORA_WINE_TREE="$root/build/$arch"
cmake --build build/native -j2
configure i686
cmake --build build/i686 -j2
if [ "$arch" != i686 ]; then
  configure "$arch"
  cmake --build "build/$arch" -j2
fi
