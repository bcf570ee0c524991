# SPDX-License-Identifier: MIT
# Shared by the end-to-end scripts, which set `work` and list their logs in `logs`.

# Says what failed with the tail of each log, and ends the test.
fail() {
    echo "FAIL: $*"
    for log in "${logs[@]}"; do
        echo "--- $log's output"
        tail -n 30 "$work/$log.log" 2>/dev/null || true
    done
    exit 1
}

# Polls `$@` every 50 ms until it succeeds or `seconds` pass.
wait_for() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.05
    done
}
