#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Fails when a file under src/ includes a header of a layer above its own. Each folder is a
# layer; the table says which folders its files may include (their own always), in the order
# of docs/architecture.md.
set -euo pipefail
src=${1:?usage: layering_test.sh <src folder>}

declare -A allowed=(
    [platform]=""
    [record]="platform"
    [history]="record platform"
    [engine]="record platform"
    [settings]="engine record platform"
    [scheduling]="settings engine record platform"
    [updates]="settings engine record platform"
    [app]="updates scheduling settings history engine record platform"
    [ui]="app updates scheduling settings history engine record platform"
)

failed=0
for folder in "$src"/*/; do
    layer=$(basename "$folder")
    if [[ -z ${allowed[$layer]+set} ]]; then
        echo "src/$layer/ is in no layer: add it to $0 and to docs/architecture.md"
        failed=1
        continue
    fi
    while IFS=: read -r file line included; do
        target=${included#*\"}
        target=${target%%/*}
        [[ $target == "$layer" || " ${allowed[$layer]} " == *" $target "* ]] && continue
        echo "${file#"$src"/}:$line: the $layer layer includes $target/, a layer above it"
        failed=1
    done < <(grep -rnE --include='*.h' --include='*.cpp' '^#include "[a-z_]+/' "$folder" || true)
done
exit $failed
