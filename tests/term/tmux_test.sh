#!/bin/sh
# vaultmoor-term played in a real terminal, tmux at 80 x 25 on a private server: the panes
# hold the very characters and cursor of the approved screens.
# usage: tmux_test.sh PATH/TO/vaultmoor-term PATH/TO/screens.chk
set -eu
game=$1 screens=$2
sock=vaultmoor-test-$$
tm() { tmux -L "$sock" -f /dev/null "$@"; }
out=$(mktemp -d)
trap 'tm kill-server 2>/dev/null || true; rm -rf "$out"' EXIT
fail() { echo "FAIL: $*"; tm capture-pane -p -t "$target"; exit 1; }
target=play
screen() { tm capture-pane -p -t "$target" "$@"; }
# Waits until the pane shows TEXT (a fixed string), up to ten seconds.
wait_for() {
    for _ in $(seq 200); do
        screen | grep -qF -- "$1" && return 0
        sleep 0.05
    done
    fail "never shown: $1"
}
# The pane is the approved screen NAME of screens.chk, every character and the cursor.
same() {
    awk -v name="== $1" '$0 == name || index($0, name ": ") == 1 { getline; print; f = 1; next }
        /^-- / { f = 0 } f' "$screens" | sed 's/^|//' >"$out/want"
    for _ in $(seq 100); do
        { tm display-message -p -t play '#{pane_width} x #{pane_height}, cursor #{?cursor_flag,#{cursor_x}#,#{cursor_y},hidden}'
          screen; } >"$out/got"
        cmp -s "$out/want" "$out/got" && return
        sleep 0.05
    done
    diff -u "$out/want" "$out/got" || fail "not the screen '$1'"
}

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

echo "== 24-bit colour: the title, VAULTMOOR in red; the cell, a menu, a dialog as approved"
run 'COLORTERM=truecolor'
wait_for VAULTMOOR
screen -e | grep -q "38;2;192;0;0m[^$esc]*VAULTMOOR" || fail "VAULTMOOR not in 24-bit red"
same title
tm send-keys -t play M-f n Enter
wait_for 'You are standing in a cell in the castle.'
tm send-keys -t play -l 'get bible'
tm send-keys -t play Enter
tm send-keys -t play -l 'look at the markings on the wall é'
tm send-keys -t play Left Left
same 'the cell after get bible, a long command typed'
tm send-keys -t play F10 Up
same 'File, Exit lit'
tm send-keys -t play Escape M-a Up Enter
same 'About this version'

echo "== resized to 24 x 6, 1 x 1 and back"
tm resize-window -t play -x 24 -y 6
same 'far too small'
tm resize-window -t play -x 1 -y 1
tm resize-window -t play -x 80 -y 25
same 'About this version'

echo "== random keys, seeded, in a window of their own"
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
tm send-keys -t play:keys Escape Escape Escape M-f  # whatever is open closes
wait_for 'New Game'
if screen | grep -q 'stopped:'; then fail "random keys stopped it"; fi
target=play
tm kill-window -t play:keys

echo "== Ctrl+C and SIGTERM give the terminal back; 256 colours: index 124; NO_COLOR: none"
restored() {
    wait_for "game over: $1"
    [ "$(tm display-message -p -t play '#{alternate_on}')" = 0 ] || fail "alternate screen left on"
    tm send-keys -t play 'clear; echo "raw: $(stty -a | tr " ;" "\n\n" | grep -cxE -- "-(icanon|echo|icrnl|opost|isig)")"' Enter
    wait_for 'raw: 0'
}
tm send-keys -t play C-c
restored 0
run ''
wait_for VAULTMOOR
screen -e | grep -q "38;5;124m[^$esc]*VAULTMOOR" || fail "not index 124"
tm send-keys -t play C-c
restored 0
run 'NO_COLOR=1 LC_ALL=C'
wait_for VAULTMOOR
if screen -e | grep -q '[34]8;[25];'; then fail "colours with NO_COLOR"; fi
tm send-keys -t play M-f n Enter
wait_for '≡≡≡≡≡≡≡≡'  # the C locale is taken as UTF-8
kill -TERM "$(cat "$out/pid")"
restored 143
