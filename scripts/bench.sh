#!/usr/bin/env bash
# The benchmarks under Wine (no tests, no timing goal asserted anywhere):
# the wizard's start against a Modern UI 2 installer built here with
# Debian's nsis and against the plainest window; the language dialog's
# start; page switches and engine messages of both wizards at 96 and 192 dpi.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
if ! command -v makensis >/dev/null; then
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends nsis
fi
arch=$(cat "$build/wine-arch")
tree=$build/$arch
work=$build/bench-wine
rm -rf "$work" && mkdir -p "$work/pack"
cp "$tree/src/win32/GUI.exe" "$build"/native/example-pack/* "$work/pack/"
cp "$tree/bench/wine/plain_window.exe" "$work/"
win() { local p=$1; echo "Z:${p//\//\\}"; }

# The installer people know, with the pages of a language pack.
head -c 1048576 /dev/urandom >"$work/payload.bin"
printf 'Licencja pakietu.\r\n' >"$work/licence.txt"
makensis -V1 -DOUT="$work/mui2.exe" -DLICENSE="$work/licence.txt" -DPAYLOAD="$work/payload.bin" \
  "$root/bench/wine/mui2.nsi"

source "$root/scripts/player.sh"
trap 'player_unregister; bash "$root/scripts/wine-session.sh" stop >/dev/null' EXIT
bash "$root/scripts/wine-session.sh" start
player_register "$work/player" with-pack

pack=$(win "$work/pack")
bench() { "$root/scripts/wine.sh" "$tree/bench/wine/$1.exe" "${@:2}"; }
echo "== start-up, 15 rounds, medians side by side"
bench startup_bench 15 \
  GUI.exe "$pack" "\"$pack\\GUI.exe\" /ACTION=0" \
  "Modern UI 2 (nsis)" "$(win "$work")" "\"$(win "$work")\\mui2.exe\"" \
  "plain window" "$(win "$work")" "\"$(win "$work")\\plain_window.exe\""
echo "== the language dialog"
bench startup_bench 15 \
  "GUI.exe /LANG" "$pack" "\"$pack\\GUI.exe\" /LANG=languages.ini" \
  "plain window" "$(win "$work")" "\"$(win "$work")\\plain_window.exe\""
echo "== page switches and engine messages (inside: the timing build's own figure to idle)"
mkdir -p "$work/timing-pack"
cp "$work/pack/"* "$work/timing-pack/"
cp "$tree/bench/wine/GUI_timing.exe" "$work/timing-pack/GUI.exe"
timing=$(win "$work/timing-pack")
for dpi in 96 192; do
  bench page_bench 5 $dpi "$timing"
  bench page_bench 5 $dpi "$timing" --uninstall
done
