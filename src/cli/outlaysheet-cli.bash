# bash completion for outlaysheet-cli: commands, options, report titles, and
# the names of the user's categories, currencies, payment sources and
# classifications. The tool itself answers ("outlaysheet-cli complete"), so
# this script knows nothing a new version of the tool could change.

_outlaysheet_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=
    ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}
    COMPREPLY=()
    case $prev in
        --root | --registry)
            mapfile -t COMPREPLY < <(compgen -d -- "$cur")
            compopt -o filenames 2>/dev/null
            return 0
            ;;
    esac
    # The word as typed may still hold the shell's quoting; readline puts it
    # back around whatever is chosen (-o filenames).
    local typed=${cur#[\"\']}
    typed=${typed//\\/}
    local reply
    reply=$("${COMP_WORDS[0]}" complete -- "${COMP_WORDS[@]:1:COMP_CWORD-1}" "$typed" \
        2>/dev/null) || return 0
    local -a lines
    mapfile -t lines <<<"$reply"
    case ${lines[0]} in
        words)
            COMPREPLY=("${lines[@]:1}")
            compopt -o filenames 2>/dev/null
            ;;
        files)
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            compopt -o filenames 2>/dev/null
            ;;
    esac
    return 0
}

complete -F _outlaysheet_cli outlaysheet-cli
