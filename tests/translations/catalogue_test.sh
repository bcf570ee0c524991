#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Fails when the translation catalogues lag behind the sources: a text without its German
# translation, an unfinished German entry, an entry whose source text is gone, or an English
# plural without its forms. lupdate runs over the sources into a copy of each catalogue, as
# the update_translations target would; the copy must come out as the catalogue is.
set -euo pipefail
lupdate=${1:?usage: catalogue_test.sh <lupdate> <source list> <translations folder> [lupdate options]}
sources=$2
folder=$3
shift 3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
for language in en de; do
    catalogue=sorvane_$language.ts
    cp "$folder/$catalogue" "$work/"
    # Without -no-obsolete, so that a text gone from the sources shows as vanished.
    options=()
    for option in "$@"; do [ "$option" = -no-obsolete ] || options+=("$option"); done
    "$lupdate" -silent "${options[@]}" "@$sources" -ts "$work/$catalogue"
    if ! diff -u "$folder/$catalogue" "$work/$catalogue" >"$work/$language.diff"; then
        echo "translations/$catalogue differs from what the sources give" \
            "(cmake --build build --target update_translations):"
        head -60 "$work/$language.diff"
        failed=1
    fi
done

if grep -n -B3 'type="unfinished"\|type="vanished"\|type="obsolete"\|<numerusform></numerusform>' \
    "$work/sorvane_de.ts"; then
    echo "translations/sorvane_de.ts has the entries above unfinished"
    failed=1
fi
# English carries only its plural forms; every text with %n needs them.
if awk '/<message numerus="yes">/ { plural = 1 }
        /<\/message>/ { plural = 0 }
        plural && /type="unfinished"|<numerusform><\/numerusform>/ { print FILENAME ":" FNR; bad = 1 }
        END { exit !bad }' "$work/sorvane_en.ts"; then
    echo "translations/sorvane_en.ts lacks the English plural forms at the lines above"
    failed=1
fi
exit $failed
