# SPDX-License-Identifier: MIT
# Sourced by scripts that start programs in the background: each adds their process ids to
# `pids`; on exit they are ended and waited for, and the folder `work` is removed.
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
