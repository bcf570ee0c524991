# SPDX-License-Identifier: MIT
# fish completion for sorvane

# The Desktop's items as full paths: user-dirs.dirs names the folder, else ~/Desktop.
function __sorvane_desktop_items
    set -l config $HOME/.config
    set -q XDG_CONFIG_HOME; and set config $XDG_CONFIG_HOME
    set -l desktop $HOME/Desktop
    if test -r $config/user-dirs.dirs
        set -l line (string match -r '^XDG_DESKTOP_DIR=.*' <$config/user-dirs.dirs)
        if test -n "$line"
            set desktop (string replace -r '^XDG_DESKTOP_DIR=' '' -- $line[1] | string trim -c '"' | string replace '$HOME' $HOME)
        end
    end
    for item in $desktop/*
        echo $item
    end
end

set -l commands preview clean undo history status pin unpin
complete -c sorvane -f
complete -c sorvane -n "not __fish_seen_subcommand_from $commands" -a preview -d 'What a clean would move now'
complete -c sorvane -n "not __fish_seen_subcommand_from $commands" -a clean -d 'Move what lies on the Desktop into the archive'
complete -c sorvane -n "not __fish_seen_subcommand_from $commands" -a undo -d 'Put the last clean back'
complete -c sorvane -n "not __fish_seen_subcommand_from $commands" -a history -d 'The runs, newest first'
complete -c sorvane -n "not __fish_seen_subcommand_from $commands" -a status -d 'The Desktop, the archive and the schedule'
complete -c sorvane -n "not __fish_seen_subcommand_from $commands" -a pin -d 'Tag items "pinned" so that they stay'
complete -c sorvane -n "not __fish_seen_subcommand_from $commands" -a unpin -d 'Remove the tag "pinned"'
complete -c sorvane -n "not __fish_seen_subcommand_from $commands" -l help -d 'Show the usage'
complete -c sorvane -n "not __fish_seen_subcommand_from $commands" -l version -d 'Show the version'
complete -c sorvane -n "not __fish_seen_subcommand_from $commands" -l background -d 'Start in the tray without showing the panel'
complete -c sorvane -n "__fish_seen_subcommand_from preview history status" -l json -d 'Output for scripts'
complete -c sorvane -n "__fish_seen_subcommand_from pin unpin" -F -a "(__sorvane_desktop_items)"
