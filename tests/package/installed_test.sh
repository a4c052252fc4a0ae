#!/bin/bash
# Checks an installed quorvex where its users meet it: the programs on the PATH, the menu entry, its
# icon and the AppStream description where desktops look (XDG_DATA_DIRS), quorvex-cli's completion
# where bash-completion looks. autopkgtest runs it with the package installed (debian/tests/control);
# the package test on the unpacked package, put first in PATH and XDG_DATA_DIRS.
set -o pipefail
app_id=org.quorvex.Quorvex
failed=0
fail() { echo "installed_test: $*" >&2; failed=1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The file as desktops find it: in the first folder of XDG_DATA_DIRS that holds it.
find_data() {
    local dir dirs
    IFS=: read -ra dirs <<<"${XDG_DATA_DIRS:-/usr/local/share:/usr/share}"
    for dir in "${dirs[@]}"; do [ -f "$dir/$1" ] && echo "$dir/$1" && return; done
    echo "installed_test: no folder of XDG_DATA_DIRS holds $1" >&2 && return 1
}

[ "$(quorvex-cli matrix 30 0 0)" = "1 0 0   0 0.866025 -0.5   0 0.5 0.866025 " ] \
    || fail "quorvex-cli matrix 30 0 0 did not answer with its line"
error=$(quorvex-cli matrix 0 abc 0 2>&1) && fail "quorvex-cli took \"abc\" for an angle"
[ "$error" = 'quorvex-cli: Rot Y: "abc" is not a number; type degrees, like 30 or 30°' ] \
    || fail "quorvex-cli refused \"abc\" with: $error"
# The window opens and stays open until it is told to end.
QT_QPA_PLATFORM=offscreen timeout 2 quorvex >"$work/window" 2>&1
status=$?
[ $status = 124 ] || fail "quorvex ended by itself, with status $status: $(cat "$work/window")"

entry=$(find_data "applications/$app_id.desktop")
desktop-file-validate "$entry" || fail "$entry is not valid"
command -v "$(sed -n 's/^Exec=//p' "$entry")" >/dev/null || fail "$entry starts no program"
find_data "icons/hicolor/scalable/apps/$(sed -n 's/^Icon=//p' "$entry").svg" >/dev/null || failed=1
metainfo=$(find_data "metainfo/$app_id.metainfo.xml")
appstreamcli validate --no-net "$metainfo" >"$work/metainfo" || fail "$(cat "$work/metainfo")"

# bash-completion loads quorvex-cli's completion when quorvex-cli is first completed (_minimal is
# its stand-in for a command that has none), which offers the commands, the options that --help
# lists, and files after -l.
source /usr/share/bash-completion/bash_completion
COMP_WORDS=(quorvex-cli "") COMP_CWORD=1
"$(complete -p -D | sed -n 's/.* -F \([^ ]*\) .*/\1/p')" quorvex-cli "" quorvex-cli
function=$(complete -p quorvex-cli 2>/dev/null | sed -n 's/.* -F \([^ ]*\) .*/\1/p')
[[ $function =~ ^(_minimal)?$ ]] && fail "bash-completion finds no completion of quorvex-cli" && exit 1
touch "$work/poses.txt"
# expect OFFERS WORD...: completing the last word of quorvex-cli WORD... offers OFFERS.
expect() {
    COMP_WORDS=(quorvex-cli "${@:2}") COMP_CWORD=$(($# - 1)) COMPREPLY=()
    "$function" 2>/dev/null
    [ "$(printf '%s\n' "${COMPREPLY[@]}" | sort)" = "$(tr ' ' '\n' <<<"$1" | sort)" ] \
        || fail "quorvex-cli ${*:2}<Tab> offers \"${COMPREPLY[*]}\", not \"$1\""
}
expect "matrix angles" ""
expect "--each-line" matrix --e
expect "$(quorvex-cli --help | grep -oE -- '--[a-z-]+' | sort -u | xargs)" angles 0.5 --
expect "" matrix -j ""
expect "" angles 1 0
expect "$work/poses.txt" angles -l "$work/po"
exit $failed
