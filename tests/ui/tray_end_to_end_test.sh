#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The program as a user meets it: a real X server, a real tray (trayer), a click on the icon,
# the panel, Return on "Clean Now", and the files in the archive.
# Usage: tray_end_to_end_test.sh PATH_TO_SORVANE. Exits 77 (skipped) without Xvfb or trayer.
set -euo pipefail

program=$1
for tool in Xvfb trayer xdotool dbus-daemon; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done

work=$(mktemp -d)
. "$(dirname "$0")/background_cleanup.sh"

logs=(sorvane)
. "$(dirname "$0")/end_to_end_lib.sh"

now_ms() { date +%s%3N; }

# A whole private world: home, runtime folder, session bus, X display.
export HOME=$work/home
export XDG_RUNTIME_DIR=$HOME/run
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_STATE_HOME LC_TIME LANG LANGUAGE
export LC_ALL=C.UTF-8 TZ=UTC
mkdir -p "$HOME/Desktop" "$HOME/Documents" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
echo one >"$HOME/Desktop/notes.txt"
echo two >"$HOME/Desktop/report.pdf"
mkdir "$HOME/Desktop/Project"

# Xvfb picks a free display itself and writes its number.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_for 10 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=:$(head -n1 "$work/display")

dbus-daemon --session --nofork --print-address=4 --address="unix:path=$work/bus" \
    4>"$work/bus-address" &
pids+=($!)
wait_for 10 test -s "$work/bus-address" || fail "no session bus"
export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus-address")

trayer --edge top --align right --widthtype request --height 24 --SetDockType true \
    >"$work/trayer.log" 2>&1 &
pids+=($!)
wait_for 10 xdotool search --class trayer || fail "trayer did not show"

export QT_QPA_PLATFORM=xcb QT_LOGGING_RULES="sorvane.panel.debug=true"
unset QT_SCALE_FACTOR
"$program" >"$work/sorvane.log" 2>&1 &
sorvane=$!
pids+=($sorvane)

# The icon is our own window, embedded in trayer: the only visible window of our process
# at first, and no bigger than the tray.
icon_window() {
    local w
    for w in $(xdotool search --onlyvisible --pid "$sorvane" 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        if [ "$WIDTH" -le 64 ] && [ "$HEIGHT" -le 64 ]; then
            echo "$w"
            return 0
        fi
    done
    return 1
}
wait_for 20 icon_window || fail "no tray icon in trayer"
icon=$(icon_window)

# Opening the panel counts the Desktop again; "Clean Now" takes the focus once the count is in.
panel_shown() { grep -q "panel painted" "$work/sorvane.log"; }
clicked=$(now_ms)
xdotool mousemove --window "$icon" 5 5 click 1
wait_for 10 panel_shown || fail "the panel did not open after a click on the icon"
painted=$(grep -m1 -o "panel painted [0-9]*" "$work/sorvane.log" | awk '{print $3}')
echo "panel opened $((painted - clicked)) ms after the click (including xdotool's start);" \
    "$(grep -m1 "panel painted" "$work/sorvane.log" | sed 's/.*(//; s/)//')"

panel_window() { xdotool search --onlyvisible --name '^Sorvane$'; }
wait_for 5 panel_window || fail "no visible window named Sorvane"

# Return presses the focused "Clean Now" once the counts are in; repeat until it took.
cleaned() {
    [ -z "$(ls -A "$HOME/Desktop")" ] &&
        [ -n "$(find "$HOME/Documents/Desktop Archive" -name notes.txt 2>/dev/null)" ]
}
deadline=$((SECONDS + 20))
until cleaned; do
    [ $SECONDS -lt $deadline ] || fail "the Desktop was not cleaned; left: $(ls "$HOME/Desktop")"
    xdotool key Return
    wait_for 2 cleaned || true
done
for name in notes.txt report.pdf Project; do
    [ -n "$(find "$HOME/Documents/Desktop Archive" -mindepth 2 -maxdepth 2 -name "$name")" ] ||
        fail "$name is not in the archive"
done
# The record is written once the last item has moved, so it may lag the files a little.
wait_for 5 test -s "$HOME/.local/share/Sorvane/history.json" || fail "no history recorded"

# The desktop entry's "Undo Last Clean": a second start hands the undo to the running one.
"$program" --undo-last-clean >>"$work/sorvane.log" 2>&1 || fail "--undo-last-clean failed"
wait_for 10 test -e "$HOME/Desktop/notes.txt" || fail "--undo-last-clean put nothing back"

# The user quits; the program ends by itself.
kill -TERM "$sorvane"
wait_for 10 bash -c "! kill -0 $sorvane" || fail "sorvane did not quit"
status=0
wait "$sorvane" || status=$?
[ "$status" -eq 0 ] || fail "sorvane ended with status $status"
echo "PASS"
