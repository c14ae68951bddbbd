# A stand-in Winamp 5.9.2 for the wizard to find, registered in the Wine
# prefix as the real player registers itself (32-bit view); sourced by the
# demo and the benchmarks.
#   player_register DIR [with-pack]   copies winamp.exe into DIR and registers it;
#                                     with-pack: the pack recorded as installed there
#   player_unregister
player_uninstall='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall'
player_packentry="$player_uninstall\\Lingvora Winamp Language Pack"
player_reg() { DISPLAY= "$root/scripts/wine.sh" reg "$@" /reg:32 /f >/dev/null; }
player_register() {
  local dir=$1
  mkdir -p "$dir"
  cp "$root/build/native/fixtures/players/winamp-5.9.2/winamp.exe" "$dir/"
  local windir="Z:${dir//\//\\}"
  player_reg add "$player_uninstall\\Winamp" /v UninstallString /t REG_SZ /d "\"$windir\\UninstWA.exe\""
  if [ "${2:-}" = with-pack ]; then
    player_reg add "$player_packentry" /v InstallLocation /t REG_SZ /d "$windir"
    player_reg add "$player_packentry" /v InstallDate /t REG_SZ /d "$(date +%Y%m%d)"
  fi
}
player_unregister() {
  player_reg delete "$player_uninstall\\Winamp" /v UninstallString >/dev/null 2>&1 || true
  player_reg delete "$player_packentry" >/dev/null 2>&1 || true
}
