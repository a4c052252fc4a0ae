#!/bin/bash
# Where no window can be opened, quorvex says so in one line that names the display, or the
# platform plugin that is missing, and points to quorvex-cli, and exits with status 1 instead of
# aborting inside the toolkit; --help, --version and a wrong command line (status 2) are answered
# without a display, and Qt's own options are left to Qt.   Usage: no-display.sh path/to/quorvex
set -u
program=$1
failed=0
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT

# check STATUS PATTERN [VARIABLE=VALUE...] [ARG...]: all the output is one line that matches.
check() {
    local status=$1 pattern=$2 output actual
    shift 2
    output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE -u XDG_RUNTIME_DIR "$@" 2>&1)
    actual=$?
    if [ "$actual" != "$status" ] || [ "$(wc -l <<<"$output")" != 1 ] || ! grep -qE "$pattern" <<<"$output"; then
        echo "no-display: $*: status $actual, output: $output"
        failed=1
    fi
}

fallback='; quorvex-cli does the same calculations in a terminal\.$'
check 1 "^quorvex: cannot open a window without a display .*$fallback" QT_QPA_PLATFORM=xcb "$program"
check 1 "on the display \":87\"$fallback" DISPLAY=:87 "$program"
check 1 "on the display \"nonsense\"$fallback" DISPLAY=nonsense "$program"
check 1 "window: Qt's platform plugin \"nonsense\" is not installed$fallback" QT_QPA_PLATFORM=nonsense "$program"
check 1 "\"nonsense;xcb\" \(QT_QPA_PLATFORM\) \(Qt's platform plugin \"nonsense\" is not installed\)$fallback" QT_QPA_PLATFORM='nonsense;xcb' "$program"
# Whether Qt's Wayland plugin is installed or not, the message says which of the two failed; the
# Wayland library's own complaint that XDG_RUNTIME_DIR is not set is not added to it.
wayland="(plugin \"wayland\" is not installed|without a Wayland display .*)$fallback"
check 1 "$wayland" QT_QPA_PLATFORM=wayland "$program"
check 1 "$wayland" XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=wayland "$program"
check 1 "without a display .*$fallback" XDG_SESSION_TYPE=wayland "$program"
check 1 "without a display" "$program" -style Fusion --reverse -style=fusion -platform xcb
check 2 '^quorvex: unknown option --bogus; quorvex --help lists the options$' "$program" --bogus
check 2 '^quorvex: -style needs a value;' "$program" -style
check 2 '^quorvex: unknown option -platform=xcb;' "$program" -platform=xcb
check 0 '^quorvex [0-9]+\.[0-9]+\.[0-9]+$' "$program" --version
check 0 '^Usage: quorvex ' sh -c "'$program' --help | head -n 1"
exit $failed
