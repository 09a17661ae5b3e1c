#!/bin/sh
# The game as a player's machine gets it: installed with `cmake --install` into a scratch
# folder, and the .deb unpacked; both hold the same files, and each is checked alike.
# usage: install_test.sh BUILD_DIR
set -eu
id=org.vaultmoor.Vaultmoor

# Run inside xvfb-run: the installed game paints its title screen, red on black.
if [ "$1" = --window ]; then
    QT_QPA_PLATFORM=xcb "$2/usr/games/vaultmoor" &
    game=$!
    xdotool search --sync --onlyvisible --name '^Vaultmoor v1\.0$' >/dev/null
    for _ in $(seq 100); do
        red=$(import -window root png:- | convert png:- -fill black +opaque 'rgb(192,0,0)' \
            -fill white -opaque 'rgb(192,0,0)' -format '%[fx:round(mean*w*h)]' info:)
        [ "$red" -gt 500 ] && break
        sleep 0.1
    done
    kill "$game"
    echo "title screen: $red red pixels"
    [ "$red" -gt 500 ]
    exit
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
DESTDIR="$tmp/installed" cmake --install "$1" --prefix /usr >/dev/null
(cd "$1" && cpack -G DEB -B "$tmp/deb" >/dev/null)
dpkg-deb -x "$tmp"/deb/vaultmoor_*.deb "$tmp/unpacked"
(cd "$tmp/installed" && find . -type f | sort) >"$tmp/installed.txt"
(cd "$tmp/unpacked" && find . -type f | sort) >"$tmp/unpacked.txt"
diff "$tmp/installed.txt" "$tmp/unpacked.txt"

for root in "$tmp/installed" "$tmp/unpacked"; do
    echo "== $root"
    share=$root/usr/share
    desktop-file-validate "$share/applications/$id.desktop"
    appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml"
    for page in vaultmoor vaultmoor-transcript vaultmoor-term; do
        gzip -dc "$share/man/man6/$page.6.gz" | mandoc -T lint -W warning
    done
    for size in 16 32 48 64 128 256; do
        test "$(identify -format %wx%h "$share/icons/hicolor/${size}x$size/apps/$id.png")" \
            = "${size}x$size"
    done
    test -s "$share/icons/hicolor/scalable/apps/$id.svg"

    # A short game: the story screen, the cell, then the guard comes in.
    printf '!new\n\nyell\n' | "$root/usr/games/vaultmoor-transcript" --json | jq -es '
        length == 4 and .[0].action == null and (.[1].txtBox.visible) and .[2].room == 2
        and (.[3] | .accepted and (.inventory | length) == 9 and (.flags | length) == 10
             and (.labels | length) == 20 and .cmdEnter.visible
             and (.labels[12].caption | startswith("A guard comes in")))' >/dev/null

    # The terminal game starts only on a terminal, and says so.
    if "$root/usr/games/vaultmoor-term" </dev/null >/dev/null 2>"$tmp/term.txt"; then exit 1; fi
    grep -q 'needs a terminal' "$tmp/term.txt"

    xvfb-run -a -s '-screen 0 800x600x24' "$0" --window "$root"
done
