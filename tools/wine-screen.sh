# Sourced by the scripts that run vaultmoor.exe under Wine: the Wine prefix in the Windows
# build folder, quiet and writing nothing into the host's menus, and a virtual X screen of
# its own on a display Xvfb finds free (a chroot's own /tmp hides the lock files of the
# host's displays, not their sockets); Wine and the screen end with the script.
# usage: win=BUILD-WINDOWS; source tools/wine-screen.sh; wine_screen
export WINEPREFIX=$win/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d"
wine_screen() {
    local named
    named=$(mktemp)
    # Xvfb writes its display's number once it takes connections.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$named" >/dev/null 2>&1 &
    xvfb=$!
    trap 'timeout 20 wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
    for _ in $(seq 100); do [ -s "$named" ] && break; sleep 0.1; done
    export DISPLAY=:$(head -1 "$named")
    rm -f "$named"
}
