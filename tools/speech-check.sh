#!/bin/sh
# Plays a short game in the real window with the Orca screen reader listening, and prints
# what Orca spoke after each step. Runs on its own X server and accessibility bus.
#   tools/speech-check.sh [path/to/vaultmoor]
set -eu

if [ -z "${SPEECH_CHECK_BUS:-}" ]; then
    exec env SPEECH_CHECK_BUS=1 dbus-run-session -- "$0" "$@"
fi

game=$(realpath "${1:-build/bin/vaultmoor}")
work=$(mktemp -d)
pids=""
cleanup() {
    for p in $pids; do kill "$p" 2>/dev/null || true; done
    [ -z "${SPEECH_CHECK_LOG:-}" ] || cp "$work/orca.log" "$SPEECH_CHECK_LOG"
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

# Orca and the game keep their settings here, not in the player's home; no braille display
# (looking for one stalls Orca for minutes).
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export XDG_RUNTIME_DIR="$work/run" && mkdir -m 700 "$work/run"
export DISPLAY=":$((90 + $$ % 100))"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb NO_AT_BRIDGE=0

Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids="$pids $!"
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids="$pids $!"
sleep 2
/usr/libexec/at-spi2-registryd --use-gnome-session=false >/dev/null 2>&1 &
pids="$pids $!"
orca --replace --disable braille --disable braille-monitor -u "$work/orca" --debug-file="$work/orca.log" >/dev/null 2>&1 &
pids="$pids $!"
log="$work/orca.log"
# Orca is ready when it says so.
for _ in $(seq 120); do
    grep -qa "SPEECH OUTPUT: 'Screen reader on" "$log" 2>/dev/null && break
    sleep 1
done
mark=0
# What Orca spoke since the last step, typed keys echoed one by one left out.
news() {
    tail -c +"$((mark + 1))" "$log" |
        awk '/SPEECH OUTPUT:/ { on = 1 } on { print } /established/ { on = 0 }' |
        sed "s/^ *[0-9:.]* - SPEECH OUTPUT: //; s/ *{'established': False}//; s/^ */   /" |
        grep -av "^   '[^ ']* '$" || true
}
# Prints it once Orca has spoken and then been quiet for a while: Orca can lag seconds
# behind on a busy machine.
spoken() {
    size=-1 quiet=0
    for _ in $(seq 90); do
        sleep 2
        now=$(wc -c <"$log")
        if [ "$now" = "$size" ]; then quiet=$((quiet + 1)); else quiet=0; fi
        [ "$quiet" -ge 4 ] && [ -n "$(news)" ] && break
        size=$now
    done
    echo "== $1"
    news
    mark=$(wc -c <"$log")
}

"$game" >/dev/null 2>&1 &
pids="$pids $!"
win=$(xdotool search --sync --name '^Vaultmoor')
xdotool windowfocus --sync "$win"
# Orca can take minutes to find a new window on a busy machine.
for _ in $(seq 300); do
    grep -qa "SPEECH OUTPUT: 'Vaultmoor" "$log" && break
    sleep 1
done
spoken "program start"

# The menus with the mouse: keys held back by a busy screen reader can reach the menu bar
# out of order.
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }
click "$win" 20 10  # File
sleep 2
click "$win" 40 32  # New Game
spoken "New Game"
xdotool key Return
spoken "Enter"
for command in "look door" "look door" "get bible" "push floor" "go south"; do
    xdotool type --delay 50 "$command"
    xdotool key Return
    spoken "$command"
done
xdotool key Return
spoken "Enter (end screen)"
click "$win" 80 10
spoken "Instructions"
click "$(xdotool search --sync --name '^Instructions$')" 280 246
spoken "Close"
