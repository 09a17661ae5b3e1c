#!/bin/sh
# vaultmoor-term played in a real terminal: tmux at 80 x 25, on a private server.
# usage: tmux_test.sh PATH/TO/vaultmoor-term
set -eu
game=$1
sock=vaultmoor-test-$$
tm() { tmux -L "$sock" -f /dev/null "$@"; }
out=$(mktemp -d)
trap 'tm kill-server 2>/dev/null || true; rm -rf "$out"' EXIT

target=play
screen() { tm capture-pane -p -t "$target" "$@"; }
# Waits until the pane shows TEXT (a fixed string), up to ten seconds.
wait_for() {
    for _ in $(seq 200); do
        screen ${2:-} | grep -qF -- "$1" && return 0
        sleep 0.05
    done
    echo "FAIL: never shown: $1"
    screen ${2:-}
    exit 1
}
step() { echo "== $1"; }

export LANG=C.UTF-8 LC_ALL=C.UTF-8
esc=$(printf '\033')
tm new-session -d -s play -x 80 -y 25 \
    "env -i PATH=/usr/bin:/bin LANG=C.UTF-8 LC_ALL=C.UTF-8 TERM=tmux-256color PS1='ready> ' sh"
tm set-option -t play window-size manual
wait_for 'ready>'

run() {
    tm send-keys -t play "clear; $1 sh -c 'echo \$\$ >$out/pid; exec $game'; echo \"game over: \$?\"" Enter
    wait_for 'File  Instructions  About'
}

step "title screen in 24-bit colour: VAULTMOOR in red"
run 'COLORTERM=truecolor'
wait_for VAULTMOOR
screen -e | grep -q "38;2;192;0;0m[^$esc]*VAULTMOOR" || { screen -e | sed -n 2,4p | cat -v; exit 1; }

step "New Game by Alt+F, N; Enter: the cell"
# File > Exit may have come up at random; anything but a clean end is a fault.
if screen | grep -q 'game over:'; then
    screen | grep -q 'game over: 0' || { echo "FAIL: random keys stopped it"; screen; exit 1; }
    run 'COLORTERM=truecolor'
fi
tm send-keys -t play M-f
wait_for 'New Game'
tm send-keys -t play n
wait_for 'THE STORY'
tm send-keys -t play Enter
wait_for 'You are standing in a cell in the castle.'

step "get bible"
tm send-keys -t play -l 'get bible'
tm send-keys -t play Enter
wait_for "You pick it up, and put it in your pocket. (It's pretty small)"
screen >"$out/bible.txt"

step "a death: push floor, go south"
tm send-keys -t play M-f n Enter
wait_for 'You are standing in a cell'
for command in 'push floor' 'go south'; do
    tm send-keys -t play -l "$command"
    tm send-keys -t play Enter
done
wait_for 'snake home...'
tm send-keys -t play Enter
wait_for 'τhε Σnd'
if screen | grep -q '≡'; then echo "FAIL: the prompt stays on the end screen"; exit 1; fi

step "resize to 40 x 10, 2 x 2, 1 x 1 and back"
tm resize-window -t play -x 40 -y 10
wait_for 'now 40 x 10'
screen | tr '\n' ' ' | tr -s ' ' | grep -qF 'Vaultmoor needs 72 x 25 (now 40 x 10)' ||
    { echo "FAIL: the size line"; screen; exit 1; }
tm resize-window -t play -x 2 -y 2
wait_for Va  # all of the line there is room for
tm resize-window -t play -x 1 -y 1
tm resize-window -t play -x 80 -y 25
wait_for 'τhε Σnd'

step "random keys, seeded, in a window of their own"
# The game is started again whenever it ends well (File > Exit may come up at random), so
# no key ever reaches a shell; any other end is a fault.
tm new-window -d -t play: -n keys "env TERM=tmux-256color sh -c 'while \"$game\"; do :; done; echo stopped: \$?; sleep 600'"
tm resize-window -t play:keys -x 80 -y 25
keys=$(awk 'BEGIN { srand(7); n = split("Up Down Left Right Home End BSpace DC Enter F10 M-f M-i M-a M-e M-c M-x Tab a b é q x 1 ≡ C-a C-z CSI SS3", k, " ");
                    for (i = 0; i < 300; i++) printf "%s ", k[int(rand() * n) + 1] }')
for key in $keys; do
    case $key in
        CSI) tm send-keys -t play:keys -l "$esc[A" ;;  # a raw escape sequence: Up
        SS3) tm send-keys -t play:keys -l "${esc}O" ;;  # half of one
        *) tm send-keys -t play:keys "$key" ;;
    esac
done
target=play:keys
for _ in 1 2 3; do  # whatever is open closes
    tm send-keys -t play:keys Escape
    sleep 0.1
done
tm send-keys -t play:keys M-f
wait_for 'New Game'
if screen | grep -q 'stopped:'; then echo "FAIL: random keys stopped it"; exit 1; fi
target=play
tm kill-window -t play:keys

step "Ctrl+C gives the terminal back"
tm send-keys -t play C-c
wait_for 'game over: 0'
restored() {
    [ "$(tm display-message -p -t play '#{alternate_on}')" = 0 ] || { echo "FAIL: alternate screen left on"; exit 1; }
    tm send-keys -t play 'clear; echo "raw: $(stty -a | tr " ;" "\n\n" | grep -cxE -- "-(icanon|echo|icrnl|opost|isig)")"' Enter
    wait_for 'raw: 0'
}
restored

step "256 colours: the nearest, index 124; NO_COLOR: none"
run ''
wait_for VAULTMOOR
screen -e | grep -q "38;5;124m[^$esc]*VAULTMOOR" || { echo "FAIL: not index 124"; exit 1; }
tm send-keys -t play C-c
wait_for 'game over: 0'
run 'NO_COLOR=1 LC_ALL=C'
wait_for VAULTMOOR
if screen -e | grep -q '[34]8;[25];'; then echo "FAIL: colours with NO_COLOR"; exit 1; fi
tm send-keys -t play M-f n Enter
wait_for 'You are standing in a cell'
wait_for '≡≡≡≡≡≡≡≡'  # the C locale is taken as UTF-8
step "SIGTERM gives the terminal back too"
kill -TERM "$(cat "$out/pid")"
wait_for 'game over: 143'
restored

echo "== after get bible:"
cat "$out/bible.txt"
