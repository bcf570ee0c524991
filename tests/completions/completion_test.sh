#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Loads the shell completions in bash, zsh and fish as each shell does, and checks that they
# complete a sub-command, the --json option and, for pin, the Desktop's items as full paths.
set -euo pipefail
completions=$(cd "$(dirname "$0")/../../data/completions" && pwd)
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/Desktop" "$home/.config"
touch "$home/Desktop/report one.pdf"
export HOME=$home XDG_CONFIG_HOME=$home/.config
failures=0
expect() { # what, output, expected line
    if ! grep -Fxq -- "$3" <<<"$2"; then
        echo "completion test: FAIL: $1: no '$3' in:" >&2
        sed 's/^/    /' <<<"$2" >&2
        failures=$((failures + 1))
    fi
}

# bash: the function the completion registers, called as readline would (compopt, which
# works only under readline, says so on standard error).
bash_complete() {
    bash --norc --noprofile -c '
        source /usr/share/bash-completion/bash_completion
        source "$1"; shift
        COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
        COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
        "$(complete -p sorvane | sed "s/.*-F \([^ ]*\).*/\1/")" sorvane "${COMP_WORDS[-1]}"
        printf "%s\n" "${COMPREPLY[@]}"' bash "$completions/sorvane.bash" "$@" 2>/dev/null
}
expect "bash, a command" "$(bash_complete sorvane pre)" preview
expect "bash, an option" "$(bash_complete sorvane history --j)" --json
expect "bash, a Desktop item" "$(bash_complete sorvane pin rep)" "$home/Desktop/report one.pdf"

# zsh: the completion function found on fpath by compinit, with the built-ins that hand
# its matches to the line editor replaced by ones that print them.
zsh_complete() {
    zsh -f -c '
        fpath=("$1" $fpath); shift
        autoload -U compinit && compinit -u -d "$HOME/.zcompdump"
        [[ $_comps[sorvane] == _sorvane ]] || { print "not registered"; exit; }
        compadd() { while [[ $1 == -* && $1 != -- ]]; do shift; done; [[ $1 == -- ]] && shift; print -l -- "$@"; }
        _describe() { print -l -- ${(P)${@[-1]}%%:*}; }
        _files() { :; }
        words=("$@"); CURRENT=$#
        autoload -U _sorvane && _sorvane' zsh "$completions" "$@"
}
expect "zsh, a command" "$(zsh_complete sorvane pre)" preview
expect "zsh, an option" "$(zsh_complete sorvane status --j)" --json
expect "zsh, a Desktop item" "$(zsh_complete sorvane unpin '')" "$home/Desktop/report one.pdf"

# fish: its own query of the completions for a command line.
fish_complete() {
    fish --no-config -c "source '$completions/sorvane.fish'; complete -C '$1'" | cut -f1
}
expect "fish, a command" "$(fish_complete 'sorvane pre')" preview
expect "fish, an option" "$(fish_complete 'sorvane preview --j')" --json
expect "fish, a Desktop item" "$(fish_complete 'sorvane pin ')" "$home/Desktop/report one.pdf"

[ "$failures" -eq 0 ] || exit 1
echo "completion test: passed in bash, zsh and fish"
