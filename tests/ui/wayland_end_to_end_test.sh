#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The program under Wayland as a user of a wlroots desktop meets it: a headless sway, waybar
# as the StatusNotifierItem host, the item's Activate called over D-Bus as a host does when
# the icon is clicked, the panel with the Desktop's count, Return on "Clean Now", Escape.
# Usage: wayland_end_to_end_test.sh PATH_TO_SORVANE PICTURE_FOLDER.
# Exits 77 (skipped) without the tools, or when the compositor cannot start here.
set -euo pipefail

program=$1
pictures=$2
for tool in sway swaymsg waybar grim wtype dbus-daemon dbus-send setpriv; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done
if ! ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1; then
    echo "SKIP: Qt's Wayland platform plugin (qt6-wayland) is not installed"
    exit 77
fi

# sway refuses to run as root; everything runs as nobody, in a world of its own.
user=65534
work=$(mktemp -d)
chmod 755 "$work"
pids=()
# A process and every process it started (the bus starts services on demand), by id.
kill_tree() {
    local child
    for child in $(ps -o pid= --ppid "$1" 2>/dev/null); do kill_tree "$child"; done
    kill "$1" 2>/dev/null || true
}
cleanup() {
    for pid in "${pids[@]}"; do kill_tree "$pid"; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

logs=(sorvane sway waybar)
. "$(dirname "$0")/end_to_end_lib.sh"

as_user() { setpriv --reuid=$user --regid=$user --clear-groups -- "$@"; }

export HOME=$work/home
export XDG_RUNTIME_DIR=$work/run
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_STATE_HOME LC_TIME LANG LANGUAGE DISPLAY
unset WAYLAND_DISPLAY SWAYSOCK QT_SCALE_FACTOR
export LC_ALL=C.UTF-8 TZ=UTC
mkdir -p "$HOME/Desktop" "$HOME/Documents" "$HOME/.config/waybar" "$XDG_RUNTIME_DIR"
cp "$program" "$work/sorvane"
echo one >"$HOME/Desktop/notes.txt"
echo two >"$HOME/Desktop/report.pdf"
mkdir "$HOME/Desktop/Project"
cat >"$work/sway.config" <<'CONFIG'
output HEADLESS-1 resolution 1280x800
default_border none
CONFIG
cat >"$HOME/.config/waybar/config" <<'CONFIG'
{ "layer": "top", "position": "top", "height": 26, "modules-right": ["tray"],
  "tray": { "icon-size": 18, "spacing": 4 } }
CONFIG
echo '* { font-family: sans-serif; font-size: 12px; } window#waybar { background: #333; }' \
    >"$HOME/.config/waybar/style.css"
chown -R $user:$user "$work"
chmod 700 "$XDG_RUNTIME_DIR"

as_user dbus-daemon --session --nofork --print-address=4 --address="unix:path=$work/bus" \
    4>"$work/bus-address" >"$work/dbus.log" 2>&1 &
pids+=($!)
wait_for 10 test -s "$work/bus-address" || fail "no session bus"
export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus-address")

WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    as_user sway -c "$work/sway.config" >"$work/sway.log" 2>&1 &
pids+=($!)
socket() { ls "$XDG_RUNTIME_DIR" | grep -m1 '^wayland-[0-9]*$'; }
if ! wait_for 15 socket; then
    echo "SKIP: sway did not start here: $(tail -n 3 "$work/sway.log" | tr '\n' ' ')"
    exit 77
fi
export WAYLAND_DISPLAY=$(socket)
export SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock 2>/dev/null | head -n1)
wait_for 10 as_user swaymsg -t get_outputs || fail "sway does not answer"

as_user waybar >"$work/waybar.log" 2>&1 &
pids+=($!)
watcher() {
    as_user dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.kde.StatusNotifierWatcher | grep -q true
}
wait_for 15 watcher || fail "waybar did not become the StatusNotifierItem host"

# A headless seat has a keyboard only while a virtual one exists, and a client learns of a
# new one a round trip late: one stays for the whole test, as a real keyboard would.
as_user wtype -s 600000 &
pids+=($!)

# Under AddressSanitizer: Qt's Wayland plugin and libwayland-client leave a few blocks of
# their own at exit (no frame of ours in any of them); leaks of our code are caught by every
# other test, the X11 end-to-end test included.
QT_QPA_PLATFORM=wayland QT_LOGGING_RULES="sorvane.panel.debug=true" \
    ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
    setpriv --reuid=$user --regid=$user --clear-groups -- "$work/sorvane" >"$work/sorvane.log" 2>&1 &
sorvane=$!
pids+=($sorvane)

# The item registers with the host.
registered() {
    as_user dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher \
        /StatusNotifierWatcher org.freedesktop.DBus.Properties.Get \
        string:org.kde.StatusNotifierWatcher string:RegisteredStatusNotifierItems |
        grep -q StatusNotifierItem
}
wait_for 20 registered || fail "the item did not register with waybar"
# Registered as "service/path" or as a service alone, whose item is at /StatusNotifierItem.
entry=$(as_user dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher \
    /StatusNotifierWatcher org.freedesktop.DBus.Properties.Get \
    string:org.kde.StatusNotifierWatcher string:RegisteredStatusNotifierItems |
    grep -o '"[^"]*StatusNotifierItem[^"]*"' | head -n1 | tr -d '"') || true
[ -n "$entry" ] || fail "no StatusNotifierItem registered"
item=${entry%%/*}
path=/${entry#*/}
[ "$entry" != "$item" ] || path=/StatusNotifierItem
echo "item $item at $path"

activate() {
    as_user dbus-send --session --type=method_call --dest="$item" "$path" \
        org.kde.StatusNotifierItem.Activate int32:640 int32:13
}
panel_windows() {
    as_user swaymsg -t get_tree | grep -c '"name": "Sorvane"' || true
}
panel_open() { [ "$(panel_windows)" -ge 1 ]; }
panel_closed() { [ "$(panel_windows)" -eq 0 ]; }

# A click on the icon opens the panel, once.
activate
wait_for 10 panel_open || fail "the panel did not open on Activate"
sleep 0.5
[ "$(panel_windows)" -eq 1 ] || fail "$(panel_windows) panels are open"
shows() { grep -q "panel shows: $1" "$work/sorvane.log"; }
wait_for 10 shows "3 items waiting on your desktop" ||
    fail "the panel does not show the Desktop's 3 items"
mkdir -p "$pictures"
as_user grim "$work/panel.png" || fail "grim could not take the picture"
cp "$work/panel.png" "$pictures/wayland-panel-sway.png"
[ -s "$pictures/wayland-panel-sway.png" ] || fail "empty picture"

# The panel has the keyboard focus with "Clean Now" on it: Return cleans.
cleaned() {
    [ -z "$(ls -A "$HOME/Desktop")" ] &&
        [ -n "$(find "$HOME/Documents/Desktop Archive" -name notes.txt 2>/dev/null)" ]
}
# wtype brings its own keyboard, and the compositor may hand its keymap to the panel after
# the first key: repeat until it took.
deadline=$((SECONDS + 20))
until cleaned; do
    [ $SECONDS -lt $deadline ] || fail "Return did not clean; left: $(ls "$HOME/Desktop")"
    as_user wtype -k Return
    wait_for 2 cleaned || true
done
wait_for 10 shows "Your desktop is already clear" || fail "the headline did not follow; windows: $(as_user swaymsg -t get_tree | grep -o "\"name\": \"[^\"]*\"" | tr "\n" " ")"

# Escape closes it; Activate opens it again, and another click on the icon closes it.
deadline=$((SECONDS + 10))
until panel_closed; do
    [ $SECONDS -lt $deadline ] || fail "Escape did not close the panel"
    as_user wtype -k Escape
    wait_for 2 panel_closed || true
done
sleep 0.5
activate
wait_for 10 panel_open || fail "the panel did not open again"
sleep 0.5
[ "$(panel_windows)" -eq 1 ] || fail "$(panel_windows) panels are open"
activate
wait_for 5 panel_closed || fail "a second click on the icon did not close the panel"

kill -TERM "$sorvane"
wait_for 10 bash -c "! kill -0 $sorvane" || fail "sorvane did not quit"
status=0
wait "$sorvane" || status=$?
[ "$status" -eq 0 ] || fail "sorvane ended with status $status"
echo "PASS"
