#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package with scripts/package and checks it as a user's machine sees it:
# lintian, the control fields, an installation by apt with nothing recommended (or, when
# this machine's package database must not be touched, an unpacking into a scratch folder),
# then the installed program, desktop entry, icons, metadata and manual page. The package is
# removed again at the end, so the machine is left as it was found.
set -euo pipefail
cd "$(dirname "$0")/../.."

app_id=app.sorvane.Sorvane
version=$(sed -n 's/^project(Sorvane VERSION \([^ ]*\).*/\1/p' CMakeLists.txt)
failures=0
fail() {
    echo "package test: FAIL: $*" >&2
    failures=$((failures + 1))
}

# Two runs at once would install and remove the same package under each other.
exec 9>"${TMPDIR:-/tmp}/sorvane-package-test.lock"
flock 9

scratch=$(mktemp -d)
installed_here=false
cleanup() {
    if $installed_here; then
        DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq -o DPkg::Lock::Timeout=300 \
            sorvane >/dev/null 2>&1 || echo "package test: could not remove sorvane" >&2
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT

build_dir=build-package
mkdir -p "$build_dir"
if ! ./scripts/package >"$build_dir/package.log" 2>&1; then
    cat "$build_dir/package.log"
    echo "package test: FAIL: scripts/package failed" >&2
    exit 1
fi
deb=$(tail -n 1 "$build_dir/package.log")
[ -f "$deb" ] || { echo "package test: FAIL: no package at '$deb'" >&2; exit 1; }

# --- The package file --------------------------------------------------------------------
field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = sorvane ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', the project's $version"
[ "$(field Section)" = utils ] || fail "Section is '$(field Section)'"
depends=$(field Depends)
# qt6-qpa-plugins is named by hand: Qt loads it at run time. The others come from the
# library scan, so their absence means dpkg-shlibdeps did not run.
for needed in qt6-qpa-plugins libqt6svg6 libc6 libstdc++6; do
    count=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//' | grep -Fxc "$needed" || true)
    [ "$count" = 1 ] || fail "Depends names $needed $count times: $depends"
done
tr ',' '\n' <<<"$(field Recommends)" | sed 's/^ *//; s/[ (].*//' | grep -Fxq qt6-wayland ||
    fail "Recommends lacks qt6-wayland: $(field Recommends)"
changelog_version=$(dpkg-parsechangelog -l debian/changelog -S Version)
[ "$changelog_version" = "$version" ] ||
    fail "debian/changelog's newest entry is $changelog_version, the project is $version"
dbgsym=$(dirname "$deb")/$(basename "$deb" | sed 's/^sorvane_/sorvane-dbgsym_/')
[ -f "$dbgsym" ] || fail "no debug symbols package $dbgsym"

if ! lintian_output=$(lintian --fail-on error,warning "$deb" "$dbgsym" 2>&1); then
    fail "lintian reports errors or warnings"
fi
grep -v "running with root privileges" <<<"$lintian_output" | sed 's/^/lintian: /' >&2 || true

# The manual page as the package carries it, read by the same formatter man uses.
dpkg-deb -x "$deb" "$scratch/unpacked"
man_page="$scratch/unpacked/usr/share/man/man1/sorvane.1.gz"
if [ -f "$man_page" ]; then
    man_warnings=$(zcat "$man_page" | groff -man -Tutf8 -ww -z 2>&1)
    [ -z "$man_warnings" ] || fail "the manual page draws warnings: $man_warnings"
    zcat "$man_page" | grep -q '^\.SH EXIT STATUS' || fail "the manual page has no EXIT STATUS"
else
    fail "no manual page in the package"
fi
[ -f "$scratch/unpacked/usr/share/doc/sorvane/copyright" ] || fail "no copyright file"
for shipped in usr/share/bash-completion/completions/sorvane \
    usr/share/zsh/vendor-completions/_sorvane usr/share/fish/vendor_completions.d/sorvane.fish \
    "usr/share/kio/servicemenus/$app_id.pin.desktop" \
    usr/share/nemo/actions/sorvane-pin.nemo_action usr/share/nemo/actions/sorvane-unpin.nemo_action; do
    [ -s "$scratch/unpacked/$shipped" ] || fail "no /$shipped in the package"
done
# Reproducible: no file in the package is newer than the changelog's entry.
epoch=$(dpkg-parsechangelog -l debian/changelog -S Timestamp)
newer=$(find "$scratch/unpacked" -mindepth 1 -newermt "@$epoch" -printf '/%P\n')
[ -z "$newer" ] || fail "files newer than SOURCE_DATE_EPOCH: $newer"

# --- Installed ---------------------------------------------------------------------------
root=""
before=$(dpkg-query -W -f='${db:Status-Status}' sorvane 2>/dev/null || true)
if [ "$(id -u)" -eq 0 ] && [ "$before" != installed ]; then
    installed_here=true
    if ! DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        -o DPkg::Lock::Timeout=300 "$deb" >"$scratch/apt.log" 2>&1; then
        cat "$scratch/apt.log" >&2
        echo "package test: FAIL: apt-get could not install the package" >&2
        exit 1
    fi
    where="installed by apt"
else
    # Not root, or a real installation of Sorvane that the test must leave alone.
    root="$scratch/unpacked"
    where="unpacked into a scratch folder"
fi

program="$root/usr/bin/sorvane"
if $installed_here; then
    [ "$(command -v sorvane)" = /usr/bin/sorvane ] || fail "sorvane is not /usr/bin/sorvane on PATH"
fi
# No display, no session: a clean environment with a private home.
mkdir -p "$scratch/home"
printed=$(env -i PATH=/usr/bin:/bin HOME="$scratch/home" "$program" --version 2>&1) ||
    fail "sorvane --version exits with an error: $printed"
[ "$printed" = "Sorvane $version" ] || fail "sorvane --version prints '$printed'"
# The translations are found beside the program, wherever it was unpacked.
greeting=$(env -i PATH=/usr/bin:/bin HOME="$scratch/home" LANG=de_DE.UTF-8 "$program" --help |
    head -n 1)
[[ $greeting == "Aufruf: sorvane"* ]] || fail "sorvane --help in German prints '$greeting'"

desktop_entry="$root/usr/share/applications/$app_id.desktop"
if [ -f "$desktop_entry" ]; then
    validation=$(desktop-file-validate "$desktop_entry" 2>&1) ||
        fail "desktop-file-validate: $validation"
    entry_value() { sed -n "s/^$1=//p" "$desktop_entry" | head -n 1; }
    icon=$(entry_value Icon)
    exec_program=$(entry_value Exec | cut -d' ' -f1)
    [ "$icon" = "$app_id" ] || fail "the desktop entry's Icon is '$icon'"
    [ -x "$root/usr/bin/$exec_program" ] || fail "the desktop entry runs '$exec_program', not installed"
    for svg in "$icon.svg" "$icon-symbolic.svg"; do
        [ -s "$root/usr/share/icons/hicolor/scalable/apps/$svg" ] || fail "icon $svg is missing"
    done
else
    fail "no desktop entry at $desktop_entry"
fi

metainfo="$root/usr/share/metainfo/$app_id.metainfo.xml"
if [ -f "$metainfo" ]; then
    validation=$(appstreamcli validate --no-net "$metainfo" 2>&1) ||
        fail "appstreamcli validate: $validation"
    grep -q "<id>$app_id</id>" "$metainfo" || fail "the metainfo's id is not $app_id"
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
        fail "the metainfo does not launch $app_id.desktop"
    newest_release=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n 1 | cut -d'"' -f2)
    [ "$newest_release" = "$version" ] || fail "the metainfo's newest release is '$newest_release'"
else
    fail "no metainfo at $metainfo"
fi

if $installed_here; then
    cleanup
    installed_here=false
    [ ! -e /usr/bin/sorvane ] || fail "/usr/bin/sorvane is still there after removal"
    after=$(dpkg-query -W -f='${db:Status-Status}' sorvane 2>/dev/null || true)
    [ "$after" != installed ] || fail "sorvane is still installed after removal"
fi

if [ "$failures" -gt 0 ]; then
    echo "package test: $failures check(s) failed ($(basename "$deb"), $where)" >&2
    exit 1
fi
echo "package test: $(basename "$deb") passed, $where, in ${SECONDS}s"
