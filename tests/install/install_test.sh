#!/bin/sh
# The game as a player's machine gets it: installed with `cmake --install` into a scratch
# folder, and the .deb unpacked; both hold the same files, and each is checked alike.
# usage: install_test.sh BUILD_DIR fortified|unfortified (a sanitized build has no fortify)
set -eu
id=org.vaultmoor.Vaultmoor

# Hardened as Debian's packages are, by hardening-check's word. Fortify: "yes" where a
# fortified call is found, "unknown" where nothing could be; "no, only unprotected functions
# found" only when those are memcpy, memmove and memset, which the compiler leaves unchecked
# where it sees them safe or cannot size them (lintian's own list of false alarms). Stack
# clash protection shows only where a frame needs probing; "unknown" there passes only when
# each of the game's own C++20 units in the build's unstripped program was compiled with it.
# Control flow protection also needs the C library's start files marked: Debian 12's are not.
hardened() {
    out=$(hardening-check --verbose "$1") || true
    echo "$out"
    for want in 'Position Independent Executable: yes' 'Stack protected: yes' \
        'Read-only relocations: yes' 'Immediate binding: yes'; do
        echo "$out" | grep -qxF " $want" || { echo "$1: not '$want'" >&2; return 1; }
    done
    if [ "$fortified" = fortified ]; then
        case $(echo "$out" | grep '^ Fortify Source functions: ') in
        *': yes'* | *': unknown, no protectable libc functions used') ;;
        *': no, only unprotected functions found!')
            echo "$out" | grep "$(printf '^\t')unprotected: " | grep -qvE ': w?mem(cpy|move|set)$' &&
                { echo "$1: not fortified" >&2; return 1; }
            ;;
        *) echo "$1: not fortified" >&2; return 1 ;;
        esac
    fi
    echo "$out" | grep -qxF ' Stack clash protection: yes' && return
    echo "$out" | grep -qxF ' Stack clash protection: unknown, no -fstack-clash-protection instructions found' ||
        { echo "$1: no stack clash protection" >&2; return 1; }
    units=$(readelf --debug-dump=info --dwarf-depth=1 "$2" | grep 'DW_AT_producer.*GNU C++20')
    [ -n "$units" ] && ! echo "$units" | grep -qv -- '-fstack-clash-protection' ||
        { echo "$2: built without -fstack-clash-protection" >&2; return 1; }
}

fortified=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
DESTDIR="$tmp/installed" cmake --install "$1" --prefix /usr --strip >/dev/null
(cd "$1" && cpack -G DEB -B "$tmp/deb" >/dev/null)
dpkg-deb -x "$tmp"/deb/vaultmoor_*.deb "$tmp/unpacked"
(cd "$tmp/installed" && find . -type f | sort) >"$tmp/installed.txt"
(cd "$tmp/unpacked" && find . -type f | sort) >"$tmp/unpacked.txt"
diff "$tmp/installed.txt" "$tmp/unpacked.txt"

# The .deb, as lintian sees it: no hardening or stripping tag.
lintian -I --pedantic "$tmp"/deb/vaultmoor_*.deb 2>/dev/null | tee "$tmp/lintian.txt"
[ "$fortified" = fortified ] || sed -i '/ hardening-no-fortify-functions /d' "$tmp/lintian.txt"
if grep -E ' (hardening-[a-z-]+|binary-has-unneeded-section) ' "$tmp/lintian.txt"; then exit 1; fi

for root in "$tmp/installed" "$tmp/unpacked"; do
    echo "== $root"
    share=$root/usr/share
    desktop-file-validate "$share/applications/$id.desktop"
    appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml"
    appstreamcli validate-tree --no-net "$root"
    for page in vaultmoor vaultmoor-transcript vaultmoor-term; do
        gzip -dc "$share/man/man6/$page.6.gz" | mandoc -T lint -W warning
    done
    for size in 16 32 48 64 128 256; do
        test "$(identify -format %wx%h "$share/icons/hicolor/${size}x$size/apps/$id.png")" \
            = "${size}x$size"
    done
    test -s "$share/icons/hicolor/scalable/apps/$id.svg"

    for program in vaultmoor vaultmoor-term vaultmoor-transcript; do
        hardened "$root/usr/games/$program" "$1/bin/$program"
        # Stripped: no debug information, no compilers' banners.
        if readelf -S --wide "$root/usr/games/$program" | grep -E ' \.(comment|debug_[a-z]+) '; then
            exit 1
        fi
    done

    # A short game: the story screen, the cell, then the guard comes in.
    printf '!new\n\nyell\n' | "$root/usr/games/vaultmoor-transcript" --json | jq -es '
        length == 4 and .[0].action == null and (.[1].txtBox.visible) and .[2].room == 2
        and (.[3] | .accepted and (.inventory | length) == 9 and (.flags | length) == 10
             and (.labels | length) == 20 and .cmdEnter.visible
             and (.labels[12].caption | startswith("A guard comes in")))' >/dev/null

    # The terminal game starts only on a terminal, and says so.
    if "$root/usr/games/vaultmoor-term" </dev/null >/dev/null 2>"$tmp/term.txt"; then exit 1; fi
    grep -q 'needs a terminal' "$tmp/term.txt"

done
