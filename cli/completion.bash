# Completion of quorvex-cli's commands and options in bash, and of file names after -l; installed
# where bash-completion loads it the first time quorvex-cli is completed. It needs none of
# bash-completion's helpers, so it may be sourced alone too.
_quorvex_cli()
{
    local current=${COMP_WORDS[COMP_CWORD]} command="" each_line="" word
    for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
        case $word in
        matrix | angles) command=${command:-$word} ;;
        -l | --each-line) each_line=1 ;;
        esac
    done
    COMPREPLY=()
    case ${COMP_WORDS[COMP_CWORD - 1]} in
    -j | --jobs) return ;; # a number of threads
    esac
    if [[ $current == -* ]]; then
        local options="--help --version"
        [ -z "$command" ] || options+=" --each-line --jobs"
        [ "$command" != angles ] || options+=" --scales --columns"
        mapfile -t COMPREPLY < <(compgen -W "$options" -- "$current")
    elif [ -z "$command" ]; then
        mapfile -t COMPREPLY < <(compgen -W "matrix angles" -- "$current")
    elif [ -n "$each_line" ]; then
        compopt -o filenames
        mapfile -t COMPREPLY < <(compgen -f -- "$current")
    fi
}
complete -F _quorvex_cli quorvex-cli
