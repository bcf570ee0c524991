#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The whole program with a full history (60 runs of 1,000 items, as sorvane_history_fixture
# writes it) against the same program with none, in the same run, alternating A B A B:
# `sorvane status`, `sorvane preview` (20 eligible files on the Desktop), `sorvane clean` of
# one file (history save included), the tray application's start until its icon is in the
# tray (Xvfb and trayer, as the end-to-end test uses) and its memory (RSS) once idle.
# Usage: history_size_bench.sh SORVANE FIXTURE_TOOL [RUNS]. Work files go to $BENCH_DIR
# (default: the current folder); keep it on a real disk, not tmpfs.
set -euo pipefail

program=$(realpath "$1")
fixture=$(realpath "$2")
runs=${3:-7}
work=$(mktemp -d "${BENCH_DIR:-$PWD}/sorvane-history-bench-XXXXXX")
. "$(dirname "$0")/../tests/ui/background_cleanup.sh"
. "$(dirname "$0")/bench_support.sh"

unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_STATE_HOME LC_TIME LANG
export LC_ALL=C.UTF-8 TZ=UTC
"$fixture" "$work/fixture"
echo "full history: $(stat -c %s "$work/fixture/history.json") bytes; filesystem: $(stat -f -c %T "$work")"

# world NAME: a home of its own, with the full history when NAME is "full".
use_world() {
    export HOME=$work/$1 XDG_RUNTIME_DIR=$work/$1/run
    mkdir -p "$HOME/Desktop" "$HOME/Documents" "$HOME/.local/share/Sorvane" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    if [ "$1" = full ]; then
        cp "$work/fixture/history.json" "$HOME/.local/share/Sorvane/history.json"
    else
        rm -f "$HOME/.local/share/Sorvane/history.json"
    fi
}

desktop_of() {
    rm -rf "$HOME/Desktop"
    mkdir -p "$HOME/Desktop"
    for i in $(seq 1 "$1"); do echo "$i" >"$HOME/Desktop/file $i.txt"; done
}

command_pair() {
    local name=$1
    shift
    : >"$work/a" && : >"$work/b"
    for _ in $(seq 1 "$runs"); do
        use_world full && "$@" && time_ms "$program" "$name" >>"$work/a"
        use_world none && "$@" && time_ms "$program" "$name" >>"$work/b"
    done
    report "sorvane $name" full "$work/a" none "$work/b"
}

command_pair status desktop_of 20
command_pair preview desktop_of 20
command_pair clean desktop_of 1

# The tray: one X server, session bus and tray for every start.
for tool in Xvfb trayer xdotool dbus-daemon; do
    if ! command -v "$tool" >/dev/null; then
        echo "tray start: skipped, $tool is not installed"
        exit 0
    fi
done
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
until [ -s "$work/display" ]; do sleep 0.05; done
export DISPLAY=:$(head -n1 "$work/display")
dbus-daemon --session --nofork --print-address=4 --address="unix:path=$work/bus" \
    4>"$work/bus-address" &
pids+=($!)
until [ -s "$work/bus-address" ]; do sleep 0.05; done
export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus-address")
trayer --edge top --align right --widthtype request --height 24 --SetDockType true \
    >/dev/null 2>&1 &
pids+=($!)
until xdotool search --class trayer >/dev/null 2>&1; do sleep 0.05; done
export QT_QPA_PLATFORM=xcb

# Starts the tray, appends the ms until its icon is in the tray to $1 and its RSS in MiB
# after $idle_s seconds to $2, then quits it.
idle_s=3
tray_once() {
    local start=$EPOCHREALTIME end pid w found=
    "$program" >/dev/null 2>&1 &
    pid=$!
    while [ -z "$found" ]; do
        for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
            eval "$(xdotool getwindowgeometry --shell "$w")"
            if [ "$WIDTH" -le 64 ] && [ "$HEIGHT" -le 64 ]; then found=$w; fi
        done
        kill -0 "$pid" 2>/dev/null || { echo "the tray application ended" >&2; exit 1; }
    done
    end=$EPOCHREALTIME
    echo "$start $end" | awk '{printf "%.3f\n", ($2 - $1) * 1000}' >>"$1"
    sleep "$idle_s"
    awk '/^VmRSS/ {printf "%.1f\n", $2 / 1024}' "/proc/$pid/status" >>"$2"
    kill -TERM "$pid"
    wait "$pid" || true
}
: >"$work/a" && : >"$work/b" && : >"$work/am" && : >"$work/bm"
for _ in $(seq 1 "$runs"); do
    use_world full && desktop_of 20 && tray_once "$work/a" "$work/am"
    use_world none && desktop_of 20 && tray_once "$work/b" "$work/bm"
done
report "tray start until the icon" full "$work/a" none "$work/b"
report "tray idle memory (RSS)" full "$work/am" none "$work/bm" MiB
