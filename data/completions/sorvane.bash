# SPDX-License-Identifier: MIT
# bash completion for sorvane

# The Desktop folder as the program finds it: user-dirs.dirs, else ~/Desktop.
_sorvane_desktop() {
    local dirs=${XDG_CONFIG_HOME:-$HOME/.config}/user-dirs.dirs line
    if [[ -r $dirs ]] && line=$(grep -m1 '^XDG_DESKTOP_DIR=' "$dirs"); then
        line=${line#XDG_DESKTOP_DIR=}
        line=${line//\"/}
        printf '%s\n' "${line/\$HOME/$HOME}"
    else
        printf '%s\n' "$HOME/Desktop"
    fi
}

_sorvane() {
    local cur prev words cword
    _init_completion || return
    if ((cword == 1)); then
        mapfile -t COMPREPLY < <(compgen -W 'preview clean undo history status pin unpin
            --help --version --background' -- "$cur")
        return
    fi
    case ${words[1]} in
    preview | history | status)
        ((cword == 2)) && mapfile -t COMPREPLY < <(compgen -W '--json' -- "$cur")
        ;;
    pin | unpin)
        # A name is completed among the Desktop's items, as a full path; a path as usual.
        if [[ $cur == */* ]]; then
            _filedir
        else
            local desktop
            desktop=$(_sorvane_desktop)
            compopt -o filenames
            mapfile -t COMPREPLY < <(compgen -f -- "$desktop/$cur")
        fi
        ;;
    esac
} && complete -F _sorvane sorvane
