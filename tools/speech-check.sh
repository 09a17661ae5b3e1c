#!/bin/sh
# Plays a short game in the real window with the Orca screen reader listening, and prints
# what Orca spoke after each step. Runs on its own X server and accessibility bus.
#   tools/speech-check.sh [path/to/vaultmoor]
# SPEECH_CHECK_WAIT: seconds to give Orca after each step (default 10).
set -eu

if [ -z "${SPEECH_CHECK_BUS:-}" ]; then
    exec env SPEECH_CHECK_BUS=1 dbus-run-session -- "$0" "$@"
fi

game=$(realpath "${1:-build/bin/vaultmoor}")
work=$(mktemp -d)
log="$work/orca.log"
pids=""
cleanup() {
    for p in $pids; do kill "$p" 2>/dev/null || true; done
    [ -z "${SPEECH_CHECK_LOG:-}" ] || cp "$log" "$SPEECH_CHECK_LOG"
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

# Orca and the game keep their settings here, not in the player's home; no braille display
# (looking for one stalls Orca for minutes).
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export XDG_RUNTIME_DIR="$work/run" && mkdir -m 700 "$work/run"
export DISPLAY=":$((90 + $$ % 100))"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb

Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids="$pids $!"
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids="$pids $!"
sleep 2
/usr/libexec/at-spi2-registryd --use-gnome-session=false >/dev/null 2>&1 &
pids="$pids $!"
orca --replace --disable braille --disable braille-monitor -u "$work/orca" \
    --debug-file="$log" >/dev/null 2>&1 &
orca=$!

# Orca writes its log in blocks, so it cannot tell when Orca is done: each step gets its
# time, and at the end the speech is sorted under the steps by Orca's own time stamps.
step() {
    date +%H:%M:%S.%N >>"$work/steps"
    echo "$1" >>"$work/steps"
}
settle() { sleep "${SPEECH_CHECK_WAIT:-10}"; }
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }

sleep 15 # Orca starting
step "program start"
"$game" >/dev/null 2>&1 &
pids="$pids $!"
win=$(xdotool search --sync --name '^Vaultmoor')
xdotool windowfocus --sync "$win"
settle

# The menus with the mouse: keys held back by a busy screen reader can reach the menu bar
# out of order.
step "New Game"
click "$win" 20 10 # File
sleep 2
click "$win" 40 32 # New Game
settle
step "Enter"
xdotool key Return
settle
for command in "look door" "look door" "get bible" "push floor" "go south"; do
    step "$command"
    xdotool type --delay 50 "$command"
    xdotool key Return
    settle
done
step "Enter (end screen)"
xdotool key Return
settle
step "Instructions"
click "$win" 80 10
settle
step "Close"
click "$(xdotool search --sync --name '^Instructions$')" 280 246
settle

# Orca writes out the rest of its log as it is told to end; it may not end by itself.
kill "$orca"
for _ in $(seq 10); do kill -0 "$orca" 2>/dev/null && sleep 1; done
kill -9 "$orca" 2>/dev/null || true
# Each thing Orca spoke, under the step it followed; typed keys echoed one by one left out.
awk -v steps="$work/steps" '
    BEGIN { n = 0; while ((getline t < steps) > 0 && (getline name < steps) > 0) { at[++n] = t; what[n] = name } i = 0 }
    /SPEECH OUTPUT:/ {
        while (i < n && $1 >= at[i + 1]) { i++; print "== " what[i] }
        if (i == 0) next
        on = 1
        sub(/^.*SPEECH OUTPUT: /, "")
    }
    on { sub(/^ +/, ""); line = line (line == "" ? "" : "\n   ") $0 }
    /established/ && on {
        on = 0
        sub(/ *\{.established.: False\}$/, "", line)
        if (line !~ /^.[^ ]* .$/) print "   " line
        line = ""
    }
    END { while (i < n) { i++; print "== " what[i] } }
' "$log"
