# SPDX-License-Identifier: MIT
# Shared by the shell benchmarks: timing a command and reporting pairs of runs.

# ms of one run of "$@".
time_ms() {
    local start=$EPOCHREALTIME
    "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
    echo "$start $EPOCHREALTIME" | awk '{printf "%.3f\n", ($2 - $1) * 1000}'
}

# report WHAT A_NAME A_FILE B_NAME B_FILE [UNIT]: min/median/max of the A times, of the B
# times and of the per-pair ratios A/B.
report() {
    local what=$1 a_name=$2 a_file=$3 b_name=$4 b_file=$5 unit=${6:-ms}
    paste "$a_file" "$b_file" | awk -v what="$what" -v unit="$unit" -v an="$a_name" -v bn="$b_name" '
        function spread(v, n,   i, j, t) {
            for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
            return sprintf("%.2f / %.2f / %.2f", v[1], v[int((n + 1) / 2)], v[n])
        }
        { n++; a[n] = $1; b[n] = $2; r[n] = $1 / $2 }
        END {
            printf "%-34s %s %s %s   %s %s %s   ratio %s (min/median/max)\n",
                what, an, spread(a, n), unit, bn, spread(b, n), unit, spread(r, n)
        }'
}
