#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A slow drive, as a USB stick is: an ext4 image on a loop device whose writes the block
# layer holds to $RATE MB/s and $IOPS writes a second (the cgroup v1 blkio throttle, which
# needs root). Alternating A B A B, $COUNT files of $SIZE MiB:
# - `sorvane clean` into an archive on that drive, against `mv` and `sync -f`;
# - `sorvane undo` of those onto a Desktop on that drive, against `mv` back and `sync -f`;
# - how long `sorvane clean` to that drive takes to exit once asked to quit (SIGTERM) three
#   seconds in (`mv` would die at once, leaving half a file behind).
# Usage: slow_drive_bench.sh SORVANE [RUNS]; RATE, IOPS, COUNT and SIZE from the environment
# (defaults 20, 50, 40 and 5). Work files go to $BENCH_DIR (default: the current folder);
# keep it on a real disk, not tmpfs.
set -euo pipefail

program=$(realpath "$1")
runs=${2:-3}
rate=${RATE:-20} iops=${IOPS:-50} count=${COUNT:-40} size=${SIZE:-5}
throttle=/sys/fs/cgroup/blkio
if [ ! -w "$throttle/blkio.throttle.write_bps_device" ]; then
    echo "skipped: no cgroup v1 blkio throttle to write to here (it needs root)"
    exit 0
fi
. "$(dirname "$0")/bench_support.sh"
work=$(mktemp -d "${BENCH_DIR:-$PWD}/sorvane-slow-drive-bench-XXXXXX")
fast=$work/fast slow=$work/slow
mkdir -p "$fast" "$slow"
dd if=/dev/zero bs=1M count=1024 conv=fsync status=none of="$work/slow.img"
mkfs.ext4 -q -F -E lazy_itable_init=0,lazy_journal_init=0 "$work/slow.img"
mount -o loop "$work/slow.img" "$slow"
device=$(lsblk -no MAJ:MIN "$(findmnt -no SOURCE "$slow")" | tr -d ' ')
finish() {
    echo "$device 0" >"$throttle/blkio.throttle.write_bps_device"
    echo "$device 0" >"$throttle/blkio.throttle.write_iops_device"
    umount "$slow"
    rm -rf "$work"
}
trap finish EXIT
echo "$device $((rate * 1000 * 1000))" >"$throttle/blkio.throttle.write_bps_device"
echo "$device $iops" >"$throttle/blkio.throttle.write_iops_device"

unset DISPLAY WAYLAND_DISPLAY XDG_CONFIG_HOME XDG_DATA_HOME
export HOME=$work/home XDG_RUNTIME_DIR=$work/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# places DESKTOP_ON DOCUMENTS_ON: a fresh home whose Desktop and Documents folder (where the
# archive goes) lie on the given file systems, and $COUNT old files on that Desktop.
places() {
    rm -rf "$HOME" "$fast/Desktop" "$fast/Documents" "$slow/Desktop" "$slow/Documents"
    desktop=$1/Desktop documents=$2/Documents
    mkdir -p "$HOME/.config" "$desktop" "$documents/into"
    printf 'XDG_DESKTOP_DIR="%s"\nXDG_DOCUMENTS_DIR="%s"\n' "$desktop" "$documents" \
        >"$HOME/.config/user-dirs.dirs"
    for i in $(seq 1 "$count"); do
        head -c "${size}M" /dev/urandom >"$desktop/file $i.bin"
    done
    touch -d '60 days ago' "$desktop"/*
    sync
    # Files changed a moment ago count as still being written and are not copied yet.
    sleep 6
}

mv_over() { (cd "$1" && mv -t "$2" -- * && sync -f "$2"); }

# ms from SIGTERM to the end of "$@", started three seconds before.
quit_ms() {
    "$@" >/dev/null 2>&1 &
    local pid=$! start
    sleep 3
    start=$EPOCHREALTIME
    kill -TERM "$pid"
    wait "$pid" || true
    echo "$start $EPOCHREALTIME" | awk '{printf "%.3f\n", ($2 - $1) * 1000}'
}

echo "$count files of $size MiB; the slow drive writes $rate MB/s and $iops writes a second"
: >"$work/a" && : >"$work/b" && : >"$work/c" && : >"$work/d" && : >"$work/e"
for _ in $(seq 1 "$runs"); do
    places "$fast" "$slow" && time_ms "$program" clean >>"$work/a"
    places "$fast" "$slow" && time_ms mv_over "$desktop" "$documents/into" >>"$work/b"
    places "$slow" "$fast" && "$program" clean >/dev/null && sync && time_ms "$program" undo >>"$work/c"
    places "$slow" "$fast" && mv_over "$desktop" "$documents/into" &&
        time_ms mv_over "$documents/into" "$desktop" >>"$work/d"
    places "$fast" "$slow" && quit_ms "$program" clean >>"$work/e"
done
report "clean to the slow drive" sorvane "$work/a" "mv + sync -f" "$work/b"
report "undo onto the slow drive" sorvane "$work/c" "mv back + sync -f" "$work/d"
sort -n "$work/e" | awk '{ v[++n] = $1 }
    END { printf "%-34s sorvane %.2f / %.2f / %.2f ms (min/median/max)\n", "quit 3 s into a clean",
          v[1], v[int((n + 1) / 2)], v[n] }'
