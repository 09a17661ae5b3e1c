#!/bin/sh
# vaultmoor-term played in a real terminal, tmux at 80 x 25 on a private server: its panes hold
# the characters and the cursor of the approved screens; its colours, keys, sizes and signals.
# usage: tmux_test.sh PATH/TO/vaultmoor-term PATH/TO/screens.chk
set -eu
game=$1 screens=$2 target=play esc=$(printf '\033')
tm() { tmux -L "vaultmoor-test-$$" -f /dev/null "$@"; }
out=$(mktemp -d)
trap 'tm kill-server 2>/dev/null || true; rm -rf "$out"' EXIT
fail() { echo "FAIL: $*"; tm capture-pane -p -t "$target"; exit 1; }
screen() { tm capture-pane -p -t "$target" "$@"; }
keys() { tm send-keys -t "$target" "$@"; }
# Runs a command every 50 ms, for up to ten seconds, until it succeeds.
poll() { for _ in $(seq 200); do "$@" && return; sleep 0.05; done; return 1; }
shows() { screen | grep -qF -- "$1"; }
wait_for() { poll shows "$1" || fail "never shown: $1"; }
# The pane is the screen NAME of screens.chk: its size, its cursor and every character.
same() {
    { tm display-message -p -t "$target" '#{pane_width} x #{pane_height}, cursor #{?cursor_flag,#{cursor_x}#,#{cursor_y},hidden}'
      screen; } >"$out/got"
    cmp -s "$out/want" "$out/got"
}
is() {
    awk -v n="== $1" '$0 == n || index($0, n ": ") == 1 { getline; print; f = 1; next }
        /^-- / { f = 0 } f' "$screens" | sed 's/^|//' >"$out/want"
    poll same || { diff -u "$out/want" "$out/got"; fail "not the screen $1"; }
}
run() {
    keys "clear; $1 sh -c 'echo \$\$ >$out/pid; exec $game'; echo \"game over: \$?\"" Enter
    wait_for VAULTMOOR
}
# The game ended with STATUS, the terminal as it was: no alternate screen, not raw.
restored() {
    wait_for "game over: $1"
    [ "$(tm display-message -p -t play '#{alternate_on}')" = 0 ] || fail "alternate screen left on"
    keys 'clear; echo "raw: $(stty -a | tr " ;" "\n\n" | grep -cxE -- "-(icanon|echo|icrnl|opost|isig)")"' Enter
    wait_for 'raw: 0'
}

export LANG=C.UTF-8 LC_ALL=C.UTF-8
tm new-session -d -s play -x 80 -y 25 \
    "env -i PATH=/usr/bin:/bin LANG=C.UTF-8 LC_ALL=C.UTF-8 TERM=tmux-256color PS1='ready> ' sh"
tm set-option -t play window-size manual
wait_for 'ready>'

echo "== 24-bit colour; the title, the cell, a menu, a dialog; resized to 24 x 6, 1 x 1 and back"
run 'COLORTERM=truecolor'
screen -e | grep -q "38;2;192;0;0m[^$esc]*VAULTMOOR" || fail "VAULTMOOR not in 24-bit red"
is title
keys M-f n Enter && keys -l 'get bible' && keys Enter && keys -l 'look at the markings on the wall é'
keys Left Left
is 'the cell after get bible, a long command typed'
keys F10 Up
is 'File, Exit lit'
keys Escape M-a Up Enter
is 'About this version'
tm resize-window -t play -x 24 -y 6
is 'far too small'
tm resize-window -t play -x 1 -y 1 && tm resize-window -t play -x 80 -y 25
is 'About this version'

echo "== Ctrl+C and SIGTERM give the terminal back; 256 colours: index 124; NO_COLOR: none"
keys C-c
restored 0
run ''
screen -e | grep -q "38;5;124m[^$esc]*VAULTMOOR" || fail "not index 124"
keys C-c
restored 0
run 'NO_COLOR=1 LC_ALL=C'
if screen -e | grep -q '[34]8;[25];'; then fail "colours with NO_COLOR"; fi
keys M-f n Enter
wait_for '≡≡≡≡≡≡≡≡'  # the C locale is taken as UTF-8
kill -TERM "$(cat "$out/pid")"
restored 143
