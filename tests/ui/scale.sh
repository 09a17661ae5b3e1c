#!/bin/sh
# The window at a desktop scale on a 1920 x 1080 display: under Xvfb with Qt's scale factor
# (as a KDE session on X11 sets it), or natively on Wayland under a headless Weston.
# usage: scale.sh SCALE-TEST x11|weston SCALE
set -eu
test=$1 scale=$3
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "$0")" && pwd)/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
# The leaks suppressed in Qt's start are known by their whole stacks, through frames of
# libraries built without frame pointers: unwound slowly.
export LSAN_OPTIONS="$LSAN_OPTIONS:fast_unwind_on_malloc=0"
if [ "$2" = x11 ]; then
    exec xvfb-run -a -s '-screen 0 1920x1080x24' env QT_QPA_PLATFORM=xcb \
        QT_SCREEN_SCALE_FACTORS="$scale" VAULTMOOR_CAPTURE='import -window root png:-' "$test"
fi
export XDG_RUNTIME_DIR=$(mktemp -d) WAYLAND_DISPLAY=vaultmoor-scale
printf '[shell]\nanimation=none\nstartup-animation=none\n' >"$XDG_RUNTIME_DIR/weston.ini"
weston --config="$XDG_RUNTIME_DIR/weston.ini" --backend=headless-backend.so --use-pixman \
    --shell=desktop-shell.so --debug \
    --socket="$WAYLAND_DISPLAY" --width=$((1920 / scale)) --height=$((1080 / scale)) --scale="$scale" \
    --idle-time=0 >"$XDG_RUNTIME_DIR/weston.log" 2>&1 &
weston=$!
trap 'kill $weston; wait $weston || true; rm -rf "$XDG_RUNTIME_DIR"' EXIT
for _ in $(seq 50); do [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break; sleep 0.1; done
# weston-screenshooter writes a file into the current folder.
QT_QPA_PLATFORM=wayland VAULTMOOR_CAPTURE='cd "$(mktemp -d)" && timeout 20 weston-screenshooter >&2 &&
    cat wayland-screenshot-*.png && rm -r "$PWD"' "$test"
