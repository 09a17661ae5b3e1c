#!/bin/bash
# Screenshots of vaultmoor.exe under Wine at 96 and 192 DPI (Wine's LogPixels), to look at:
# the title, the cell, the File menu open, the Instructions, on a 1280 x 1024 screen (zoom 1
# at 96 DPI, 2 at 192). Not part of make test.
# usage: tools/windows-shots.sh [BUILD-WINDOWS]   (after make test-windows, for its prefix)
set -euo pipefail
win=$(realpath "${1:-build-windows}")
shots=$win/shots
mkdir -p "$shots"
source "$(dirname "$0")/wine-screen.sh"
wine_screen
keys() { xdotool key --delay 30 "$@"; sleep 0.5; }
# The window with what hangs under it (a menu), as on the screen.
shot() {
    local id
    id=$(xdotool search --onlyvisible --name "^$1\$" | head -1)
    eval "$(xdotool getwindowgeometry --shell "$id")"
    import -window root -crop "${WIDTH}x$((HEIGHT + ${3:-0}))+$X+$Y" +repage "$shots/$2.png"
}
for dpi in 96 192; do
    timeout 20 wineserver -k 2>/dev/null || true
    timeout 30 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null
    timeout 30 wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null
    timeout 60 wine "$win/bin/vaultmoor.exe" &
    game=$!
    xdotool search --sync --onlyvisible --name '^Vaultmoor v1.0$' >/dev/null
    sleep 1
    shot "Vaultmoor v1.0" "title-$dpi"
    keys alt+f n
    keys Return
    xdotool type --delay 10 "get bible" && keys Return
    shot "Vaultmoor v1.0" "cell-$dpi"
    xdotool type --delay 10 "look door"  # the box's text in the screen's glyphs
    keys alt+f
    shot "Vaultmoor v1.0" "menu-$dpi" 40
    keys Escape Escape
    keys alt+i
    shot "Instructions" "instructions-$dpi"
    keys Escape
    keys alt+f x
    wait $game
done
timeout 30 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null
timeout 30 wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null
ls "$shots"
