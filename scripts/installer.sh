#!/usr/bin/env bash
# Builds the example pack's installer with Debian's makensis:
# build/i686/examples/installer/Lingvora-example-setup.exe, from
# examples/installer/Lingvora.nsi, the example pack of the native tree and
# the shipped GUI.exe and help plugin of the i686 tree.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh
arch=$(cat build/wine-arch)
cmake --preset native -DLINGVORA_WINE_TREE="$root/build/$arch" >/dev/null
cmake --build build/native -j2 --target example_pack
cmake --preset i686 >/dev/null
cmake --build build/i686 -j2 --target example_installer
echo "installer: $root/build/i686/examples/installer/Lingvora-example-setup.exe"
