#!/bin/bash
# The Windows programs under Wine, against the native ones and the golden images.
# usage: run.sh BUILD-WINDOWS NATIVE-BIN
set -euo pipefail
win=$(realpath "$1")
native=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
golden=$here/../ui/golden
work=$win/wine-test
rm -rf "$work" && mkdir -p "$work"
source "$here/../../tools/wine-screen.sh"
fail() { echo "FAIL: $*" >&2; exit 1; }
w() { timeout "${WAIT:-30}" wine "$@"; }

echo "== The PE headers: ASLR with high entropy, DEP; no DLL beside the programs"
for exe in "$win"/bin/vaultmoor.exe "$win"/bin/vaultmoor-transcript.exe; do
    header=$(x86_64-w64-mingw32-objdump -p "$exe")
    for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT; do
        grep -qx "[[:space:]]*$flag" <<<"$header" || fail "${exe##*/} lacks $flag"
    done
    dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$header" | tr 'A-Z' 'a-z' | sort -u | xargs)
    case " $dlls " in *" libssp"* | *" libstdc++"* | *" libgcc"* | *" libwinpthread"*)
        fail "${exe##*/} needs a runtime DLL: $dlls" ;; esac
    echo "${exe##*/}: $(grep DllCharacteristics <<<"$header" | xargs); imports $dlls"
done

# What Windows reads before the program runs: per-monitor DPI awareness (else it would blur
# the screen at 125 % and more), the version, the icon from 16 to 256 pixels.
exe=$win/bin/vaultmoor.exe
wrestool -x --raw --type=24 "$exe" | grep -q '>PerMonitorV2<' || fail "no per-monitor DPI awareness"
wrestool -x --raw --type=16 "$exe" | iconv -f utf-16le -t utf-8 2>/dev/null | tr -c '[:print:]' ' ' |
    grep -q "ProductName *Vaultmoor.*ProductVersion *1.0.0" || fail "no version resource"
[ "$(wrestool -l --type=3 "$exe" | wc -l)" = 7 ] || fail "the icon lacks sizes"
echo "vaultmoor.exe: per-monitor DPI aware (v2), version 1.0.0, an icon of 7 sizes"

echo "== A Wine prefix of our own, drawing its own frames, with Wine's fonts"
rm -rf "$WINEPREFIX"
WAIT=180 w wineboot --init >/dev/null 2>&1 || fail "wineboot"
w reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
timeout 60 wineserver -w

echo "== vaultmoor-transcript.exe plays as the native one"
actions=$work/actions.txt
for log in "$here"/../logs/*.txt; do
    sed -n -e 's/^> \{0,1\}//p' -e 's/^new$/!new/p' "$log" | grep -v '^set ' || true
done >"$actions"
# Each verb with each noun from a new game, then junk, text outside Latin-1, control characters.
for verb in get drop look go push pull hit kick eat open read use climb light yell; do
    printf '%s\n' '!new' '' "$verb" "$verb "{door,bible,food,floor,guard,torch,window,wall,rope,key,north,south}
done >>"$actions"
printf '%s\n' '!new' '' ' ' 'Ünïcödé' '日本語' $'\t' $'\x01\x1b[2J' "$(printf 'a%.0s' $(seq 300))" '&&' $'\u0301' $'\U0001F600' >>"$actions"
"$native"/vaultmoor-transcript --json <"$actions" >"$work/native.json"
WAIT=60 w "$win"/bin/vaultmoor-transcript.exe --json <"$actions" >"$work/windows.json"
cmp "$work/native.json" "$work/windows.json" || fail "the JSON lines differ"
echo "$(wc -l <"$work/native.json") JSON lines, the same bytes"

echo "== vaultmoor.exe on a virtual X screen"
wine_screen
title="Vaultmoor v1.0" instructions=Instructions
# The game read by another program. A read that fails is said on stderr and made once more
# (a Wine start in a fresh root once gave nothing); a window truly gone fails both.
probe() {
    case $1 in listen | jaws) w "$win"/bin/vaultmoor-probe.exe "$@" | tr -d '\r'; return ;; esac
    local out=$work/probe.out status=0
    w "$win"/bin/vaultmoor-probe.exe "$@" >"$out" || {
        echo "probe $1 returned $?: read once more" >&2 && sleep 1
        w "$win"/bin/vaultmoor-probe.exe "$@" >"$out" || status=$?
    }
    tr -d '\r' <"$out"
    return $status
}
# The screen (or a dialog's face) as it is on the X screen against its golden image enlarged
# to the screen's zoom, pixels only; the native controls over the picture (their rectangles
# at zoom 1, enlarged likewise) are painted black in both.
looks() {  # name, golden image, window, rectangles; the zooms seen in $seen
    local rect draw=() r
    z=$(probe rect "$title" | cut -d' ' -f3) && [ -n "$z" ] || fail "$1: the screen is not found"
    z=$((z / 578)) && seen+=" $z"
    read -r -a rect <<<"$(probe rect "$3")" && [ ${#rect[@]} = 4 ] || fail "$1: no $3 found"
    import -window root -crop "${rect[2]}x${rect[3]}+${rect[0]}+${rect[1]}" +repage "$work/$1-$z.png"
    for r in "${@:4}"; do
        draw+=(-draw "rectangle $(awk -F'[ ,]' -v z=$z '{print $1*z","$2*z" "$3*z+z-1","$4*z+z-1}' <<<"$r")")
    done
    cmp -s <(convert "$golden/$2.png" -scale $((z * 100))% -fill black "${draw[@]}" -depth 8 rgb:-) \
        <(convert "$work/$1-$z.png" -fill black "${draw[@]}" -depth 8 rgb:-) ||
        fail "$1 at zoom $z differs from its golden image (kept in $work/$1-$z.png)"
    echo "$1 at zoom $z: the golden image in blocks of $z, pixel for pixel"
}
{ read -r box; read -r enter; read -r close; } < <("$native"/windows-expected rects)
keys() { xdotool key --delay 30 "$@"; sleep 0.3; }
play() { xdotool type --delay 10 "$1"; keys Return; }
started() { timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" >/dev/null || fail "no $1"; sleep 0.5; }
launch() { WAIT=${WAIT:-60} w "$@" & game=$!; started "$title"; }
quit() { keys alt+f x; wait $game || fail "$1 returned $?"; }
cell() {  # New Game, a turn, the bible; once with the button's access key
    keys alt+f n; keys Return; play "look door"
    xdotool type --delay 10 "look door" && keys alt+e && play "get bible"
}

# The walkthrough, played once for each road: New Game, the story, the cell, a command twice
# (typed, then "typed" checked), the bible by Alt+E ("cell"), "What?" twice, the Instructions
# ("instructions") closed by Enter, Esc, Alt+F4 and Alt+C, an About window, New Game in the
# middle of a game (its story told once the menu has gone: Wine 8 raises no menu events, so
# no reader reads the box at the menu's end, and it is told after half a second), a death,
# the end ("end"). CHECK runs at each point named; FILE is where the second story is awaited.
walk() {  # CHECK FILE PATTERN
    keys alt+f n; keys Return; play "look door"; xdotool type --delay 10 "look door"; $1 typed
    keys Return; xdotool type --delay 10 "get bible" && keys alt+e; $1 cell
    keys Return && keys Return; keys alt+i && started $instructions; $1 instructions; keys Return
    keys alt+i && keys Escape && keys alt+i && keys alt+F4 && keys alt+i && keys alt+c
    xdotool search --onlyvisible --name "^$instructions\$" >/dev/null && fail "the Instructions stayed open"
    keys alt+a a && started "About This Version" && keys Escape && keys alt+f n
    for _ in $(seq 100); do [ "$(grep -c "$3THE STORY" "$2")" = 2 ] && break; sleep 0.1; done
    keys Return; play "push floor"; play "go south"; keys Return; $1 end
}
# What the MSAA run checks on the way.
seen() {
    case $1 in
    typed)
        [ "$(probe read "$title" 11)" = $'role: text\nname: Command' ] || fail "the box: $(probe read "$title" 11)"
        # The box's object as Windows makes it but for its name: role, what is typed, states,
        # shortcut, the interfaces a reader asks for.
        probe standard "$title" 11 >"$work/box.txt"
        [ "$(sed '/^--$/,$d' "$work/box.txt")" = "$(sed '1,/^--$/d' "$work/box.txt")" ] &&
            grep -qx 'value: 9 look door' "$work/box.txt" || fail "the box's object: $(cat "$work/box.txt")"
        echo "MSAA: the box while typed in is Windows' own object but for its name:" $(sed '/^--$/,$d' "$work/box.txt")
        ;;
    cell)
        printf '%s\n' '!new' '' 'look door' 'look door' 'get bible' |
            "$native"/windows-expected | sed -n 's/^screen: //p' | sed 's/\\n/\n/g; s/\\\\/\\/g' >"$work/screen.txt"
        probe read "$title" 10 >"$work/msaa.txt"
        diff <(sed '1d; 2s/^name: //' "$work/msaa.txt") "$work/screen.txt" >/dev/null &&
            [ "$(head -1 "$work/msaa.txt")" = "role: static text" ] ||
            fail "the screen's MSAA object is not static text named with its text: $(head -3 "$work/msaa.txt")"
        echo "MSAA: the screen is static text named with its text in reading order; the box is text named Command"
        ;;
    instructions)
        # A change of DPI does not break it.
        probe read $instructions 10 | head -2 | tr '\n' ' ' | grep -q "^role: static text name: .*[a-z]" ||
            fail "the Instructions' face: $(probe read $instructions 10 | head -2)"
        probe dpi "$instructions" 192
        read -r -a face <<<"$(probe rect "$instructions")"
        read -r -a screen <<<"$(probe rect "$title")"
        [ "${face[2]}x${screen[2]}" = 1120x1156 ] || fail "at 192 DPI: ${face[*]}, ${screen[*]}"
        probe dpi "$instructions" 96
        ;;
    end) looks end end "$title" ;;
    esac
}

# What a screen reader hears: the focus, the name changes and the menus, heard through MSAA
# by another program while the game is played.
WAIT=90 launch "$win"/bin/vaultmoor.exe
heard=$work/heard.txt && { WAIT=150 probe listen "$title" >"$heard" & listener=$!; }
for _ in $(seq 100); do grep -q listening "$heard" && break; sleep 0.1; done
walk seen "$heard" "^name box "
quit "File > Exit"
wait $listener || fail "the listener returned $?"
timeout 20 wineserver -w || fail "Wine processes left behind"
# Two model readers of what was heard: each says the name of what takes the focus (a menu
# while it is open) and a name change of the focus; the second only a name that is new to it
# for that object. A trailing space, a reply's mark, is not heard. Each must say every reply
# the Linux window speaks once, in order, and nothing else a reply.
printf '%s\n' '!new' '' 'look door' 'look door' 'get bible' '' '' '!new' '' 'push floor' 'go south' '' |
    "$native"/windows-expected | grep -v '^screen: ' >"$work/heard-expected.txt"
[ "$(grep '^focus box' "$heard" | sort -u)" = 'focus box Command' ] ||
    fail "the box's focus not heard, or not as Command (the log in $heard)"
for reader in every-change new-name; do
    tr -d '\r' <"$heard" | awk -v new=$([ $reader = new-name ] && echo 1 || echo 0) '
        $1 == "menu" { focus = ""; next }
        { who = $2; name = $0; sub(/^[a-z]+ [^ ]+ ?/, "", name); said = name; sub(/ $/, "", said) }
        $1 == "focus" { focus = who; print said }
        $1 == "name" && who == focus && !(new && known[who] == name) { print said }
        { known[who] = name }' >"$work/$reader.txt"
    grep -Fxf "$work/heard-expected.txt" "$work/$reader.txt" >"$work/$reader-replies.txt" || true
    diff "$work/heard-expected.txt" "$work/$reader-replies.txt" ||
        fail "the $reader reader did not say each reply once, in order (the log in $heard)"
    echo "the $reader reader: $(grep -c . "$work/heard-expected.txt") replies once each, in order," \
        "among $(grep -c . "$work/$reader.txt") things said; on the box's focus: $(grep -c '^focus box' "$heard") times Command"
done

# JAWS running (the probe as its stand-in: its window, and its object, which prints what it is
# told, and refuses the first): the same walkthrough's replies said by SayString, each once, in
# order, behind what it is saying; none is the box's name but the refused one. Once it has
# quit, the next replies are names again.
said=$work/said.txt && { WAIT=150 probe jaws >"$said" & stand_in=$!; }
for _ in $(seq 100); do grep -q listening "$said" && break; sleep 0.1; done
launch "$win"/bin/vaultmoor.exe
heard=$work/heard-jaws.txt && { WAIT=150 probe listen "$title" >"$heard" & listener=$!; }
for _ in $(seq 100); do grep -q listening "$heard" && break; sleep 0.1; done
walk true "$said" " "
for _ in $(seq 50); do [ "$(grep -c '^[a-z]* ' "$said")" = "$(wc -l <"$work/heard-expected.txt")" ] && break; sleep 0.1; done
probe close JAWS && wait $stand_in || fail "the stand-in returned $?"
keys alt+f n; keys Return
# A paste of 100,000 characters with line breaks, tabs, control characters and text outside
# Latin-1: kept as the Linux window's box keeps it, cut at 32767 UTF-16 units; then a turn.
python3 -c 'import sys; sys.stdout.write("get bible\r\n\tЖ日本\x01" + "x" * 100000)' >"$work/paste.txt"
xclip -selection clipboard -quiet -i "$work/paste.txt" >/dev/null 2>&1 &
clip=$!
sleep 0.3
keys ctrl+v
kill $clip
typed() { probe standard "$title" 11 | sed -n '2s/^value: //p'; }
[ "$(typed)" = "32767 get bible\x0d\x0a\x09Ж日本\x01$(printf 'x%.0s' $(seq 24))" ] ||
    fail "the pasted text in the box: $(typed)"
keys Return
[ "$(typed)" = "0 " ] || fail "no turn after the paste"
echo "a paste of 100,000 characters: the first 32767 kept, control characters too; a turn"
width() { probe rect "$title" | cut -d' ' -f3; }
zooms=$(keys ctrl+equal; width; keys ctrl+equal; width; keys ctrl+minus; width; keys ctrl+plus ctrl+0; width)
[ "$(echo $zooms)" = "1156 1156 578 578" ] || fail "the zoom keys: $(echo $zooms)"
echo "Ctrl+=, Ctrl+-, Ctrl+0: zoom 2 (the largest that fits), 1, back to the opening zoom"
keys alt+i && started $instructions
probe close "$title"
wait $game || fail "closed with a dialog open, it returned $?"
timeout 20 wineserver -w || fail "Wine processes left behind"
echo "closed with the Instructions open: 0"
wait $listener || fail "the listener returned $?"
sed -i 1d "$said"
diff "$work/heard-expected.txt" <(cut -d' ' -f2- "$said") ||
    fail "JAWS was not told each reply once, in order (its log in $said)"
grep -v '^false ' "$said" && fail "SayString silenced what JAWS was saying"
# The box's names: the refused one while JAWS ran; New Game's two once it had quit, the paste's.
diff <(sed -n '1p; 1,2p' "$work/heard-expected.txt") <(sed -n 's/ $//; s/^name box //p' "$heard" | head -n -1) ||
    fail "the box named a reply while JAWS ran, or none once it had quit (the log in $heard)"
echo "JAWS: $(grep -c . "$said") replies by SayString (bFlush false), each once, in order;" \
    "none the box's name but the refused first; once it had quit, New Game's two as the box's name"

echo "== At 125 % and 150 % (LogPixels 120, 144): the title, the cell and the Instructions in"
echo "   whole blocks at the opening zoom and one up"
dpi() { for key in 'HKCU\Control Panel\Desktop' 'HKCC\Software\Fonts'; do
    w reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null; done; }
for logpixels in 120 144; do
    timeout 20 wineserver -k 2>/dev/null || true
    dpi $logpixels && seen= && launch "$win"/bin/vaultmoor.exe
    for step in 0 plus; do keys ctrl+$step && looks "$logpixels DPI title" title "$title"; done
    cell
    for step in 0 plus; do
        keys ctrl+$step && looks "$logpixels DPI cell" cell-bible "$title" "$box" "$enter"
        keys alt+i && started $instructions && looks "$logpixels DPI Instructions" instructions $instructions "$close"
        keys Escape
    done
    quit "File > Exit at $logpixels DPI"
    [ "$seen" = " 1 2 1 1 2 2" ] || fail "the zooms at $logpixels DPI:$seen"
done

echo "== The installer: a silent install, a turn, a silent uninstall"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vaultmoor'
installed="$WINEPREFIX/drive_c/Program Files/Vaultmoor"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vaultmoor.lnk"
WAIT=60 w "$win"/vaultmoor-1.0.0-setup-x64.exe /S
timeout 30 wineserver -w
[ -f "$installed/vaultmoor.exe" ] && [ -f "$installed/PLAYING.txt" ] && [ -f "$shortcut" ] || fail "not installed"
w reg query "$key" | tr -d '\r' >"$work/uninstall-key.txt"
for value in "DisplayName.*Vaultmoor" "DisplayVersion.*1.0.0" "Publisher.*Vaultmoor" \
    "DisplayIcon.*vaultmoor.exe" "EstimatedSize" "QuietUninstallString.*/S"; do
    grep -q "$value" "$work/uninstall-key.txt" || fail "the uninstall key lacks $value"
done
launch "$installed/vaultmoor.exe"
keys alt+f n; keys Return
probe read "$title" 10 | grep -q "^name: You are standing in a cell" || fail "the installed game took no turn"
quit "the installed game's Exit"
WAIT=60 w "$installed/uninstall.exe" /S
timeout 30 wineserver -w
[ ! -e "$installed" ] && [ ! -e "$shortcut" ] || fail "left behind: $(ls "$installed" 2>&1)"
! w reg query "$key" >/dev/null 2>&1 || fail "the uninstall key is still there"
echo "installed, played, uninstalled: nothing left in Program Files or the uninstall key"
