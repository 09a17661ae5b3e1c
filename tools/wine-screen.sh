# Sourced by the scripts that run vaultmoor.exe under Wine: the Wine prefix in the Windows
# build folder, quiet and writing nothing into the host's menus, and a virtual X screen of
# its own on the first free display from $1 on; Wine and the screen end with the script.
# usage: win=BUILD-WINDOWS; source tools/wine-screen.sh FIRST-DISPLAY
export WINEPREFIX=$win/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d"
wine_screen() {
    local display
    for display in $(seq "$1" $(($1 + 49))); do [ -e /tmp/.X$display-lock ] || break; done
    Xvfb :$display -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    trap 'timeout 20 wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
    export DISPLAY=:$display
    for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$display ] && break; sleep 0.1; done
}
