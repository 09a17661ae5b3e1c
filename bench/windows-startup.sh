#!/bin/bash
# What vaultmoor.exe's start costs under Wine, against a bare Win32 window built the same way:
# from the start of the process to its first painted screen on a virtual X screen, each the
# median of RUNS runs, and their ratio. Not a test: Wine's own start is most of it.
# usage: bench/windows-startup.sh [BUILD-WINDOWS] [RUNS]   (after make windows)
set -euo pipefail
win=$(realpath "${1:-build-windows}")
runs=${2:-9}
source "$(dirname "$0")/../tools/wine-screen.sh"
[ -d "$WINEPREFIX" ] || { echo "no Wine prefix: run make test-windows first" >&2; exit 1; }
wine_screen
wineserver -p  # a resident server, as a desktop session has

# Milliseconds from the start until the middle of the window's client area shows ink.
painted() {
    local exe=$1 title=$2 start id geometry
    start=$(date +%s%N)
    timeout 60 wine "$exe" &
    local pid=$!
    id=$(xdotool search --sync --onlyvisible --name "^$title\$" | head -1)
    eval "$(xdotool getwindowgeometry --shell "$id")"
    until [ "$(import -window root -crop "200x60+$((X + WIDTH / 2 - 100))+$((Y + HEIGHT / 2 - 30))" \
        -format '%[fx:maxima]' info:)" != 0 ]; do :; done
    echo $((($(date +%s%N) - start) / 1000000))
    timeout 20 wine "$win/bin/vaultmoor-probe.exe" close "$title" || true
    wait $pid 2>/dev/null || true
}
median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

game=$(for _ in $(seq "$runs"); do painted "$win/bin/vaultmoor.exe" "Vaultmoor v1.0"; done | median)
bare=$(for _ in $(seq "$runs"); do painted "$win/bin/bare-window.exe" "Bare window"; done | median)
echo "start to first painted screen under Wine, median of $runs:"
echo "  vaultmoor.exe  $game ms"
echo "  bare window    $bare ms"
awk -v g="$game" -v b="$bare" 'BEGIN { printf "  ratio          %.2f\n", g / b }'
