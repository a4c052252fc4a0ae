#!/bin/bash
# Started where there is no display, quorvex explains itself in one line and fails cleanly,
# instead of aborting inside the toolkit.
#
#   no-display.sh path/to/quorvex
set -uo pipefail

stderr=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1" 2>&1 >/dev/null)
status=$?

fail() {
    echo "no-display: $*" >&2
    echo "stderr was: $stderr" >&2
    exit 1
}
[ "$status" -eq 1 ] || fail "exit status $status, not 1"
[ "$(printf '%s\n' "$stderr" | wc -l)" -eq 1 ] || fail "more than one line on stderr"
[[ "$stderr" == *"quorvex-cli"* ]] || fail "stderr does not point to quorvex-cli"
echo "no-display: passed"
