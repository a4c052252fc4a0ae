#!/bin/bash
# Drives the real quorvex as a person would, on the X server in DISPLAY (under-xvfb starts one):
# xdotool types and clicks at the controls' positions, which the main window's form gives, xclip
# copies and pastes, and ImageMagick's import looks at the picture beside the form.
#
#   drive-quorvex.sh path/to/quorvex path/to/its.desktop path/to/MainWindow.ui \
#       path/to/quorvex-clipboard-manager
set -euo pipefail

program=$1
desktop_entry=$2
form=$3
clipboard_manager=$4
form_geometry=$(dirname "$0")/../../tools/form-geometry
title="Calc 3D Matrix Values"

fail() {
    echo "drive-quorvex: $*" >&2
    exit 1
}

# Retries a command every tenth of a second for up to five seconds ($tries tenths, if set).
eventually() {
    for _ in $(seq "${tries:-50}"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

windows_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true; }
count_windows() { [ "$(windows_named "$1" | wc -l)" -eq "$2" ]; }
clipboard() { timeout 5 xclip -selection clipboard -o; }
clipboard_is() { [ "$(clipboard)" = "$1" ]; }
copy() { printf '%s' "$1" | xclip -selection clipboard -i; }
# Our own child stays a zombie until waited for, which kill -0 does not tell from running.
running() {
    local state
    read -r _ _ state _ 2>/dev/null <"/proc/$pid/stat" && [ "$state" != Z ]
}

# Clicks at the centre of a control of the main window, named as in its form, with the left
# button or the one given.
click() {
    local left top width height
    read -r left top width height < <("$form_geometry" "$form" "$1")
    eval "$(xdotool getwindowgeometry --shell "$main")"
    # No --sync: it waits seconds for a pointer that is already there to move.
    xdotool mousemove $((X + left + width / 2)) $((Y + top + height / 2)) click "${2:-1}"
}

# Checks a field's text the way a person reads it out: select all, copy, paste elsewhere.
field_holds() {
    click "$1"
    xdotool key ctrl+a ctrl+c
    eventually clipboard_is "$2" || fail "$1 holds \"$(clipboard)\", not \"$2\""
}

start() {
    "$program" &
    pid=$!
    eventually count_windows "$title" 1 || fail "the main window did not appear"
    main=$(windows_named "$title")
}
work=$(mktemp -d)
trap 'kill "$pid" ${manager-} 2>/dev/null || true; rm -rf "$work"' EXIT
start

# Docks group the window under its menu entry, by its class, and show the program's icon.
class=$(sed -n 's/^StartupWMClass=//p' "$desktop_entry")
[[ "$(xprop -id "$main" WM_CLASS)" == *", \"$class\"" ]] || fail "the window's class is not \"$class\""
has_icon() { xprop -id "$main" _NET_WM_ICON | grep -q CARDINAL; }
eventually has_icon || fail "the window has no icon"

# Calculate Matrix with Rot X = 30, typed: another program pastes the line.
click rotXEdit
xdotool key ctrl+a type 30
click calculateMatrixButton
eventually clipboard_is "1 0 0   0 0.866025 -0.5   0 0.5 0.866025 " \
    || fail "Rot X 30: clipboard holds \"$(clipboard)\""

# Calculate Angles from a line that another program copied, text beyond ASCII included.
line="0.813798 -0.469846 0.34202   0.543838 0.823173 -0.163176   -0.204874 0.318796 0.925417 "
copy "$line  (Würfel × 2)"
click calculateAnglesButton
field_holds rotXEdit "10.0 "
field_holds matrixEdit "$line  (Würfel × 2)"

# Ctrl+V in the Matrix field reads what another program copied, as Calculate Angles does, and
# Ctrl+Z undoes it; the middle button there reads the selection the same way.
copy "0 -1 0   1 0 0   0 0 1 "
click matrixEdit
xdotool key ctrl+v
field_holds rotZEdit "90.0 "
xdotool key ctrl+z
field_holds rotZEdit "30.0 "
printf '%s' "0 0 1   0 1 0   -1 0 0 " | xclip -selection primary -i
click matrixEdit 2
field_holds rotYEdit "90.0 "
xdotool key ctrl+z
field_holds rotZEdit "30.0 "

# Another program takes the clipboard with a text, then stops answering; $owner is its process.
stall_owner() {
    printf '%s' "$1" | xclip -selection clipboard -i -quiet >/dev/null 2>&1 &
    owner=$!
    sleep 0.5
    kill -STOP "$owner"
}

# The pixels of the note above the Matrix field, where the window says what it cannot read.
read -r note_left note_top note_width note_height < <("$form_geometry" "$form" problemNote)
problem_note() {
    import -window "$main" -crop "${note_width}x$note_height+$note_left+$note_top" rgb:- | md5sum
}
no_problem=$(problem_note)
problem_said() { [ "$(problem_note)" != "$no_problem" ]; }

# A program that holds the clipboard and never answers: a message in the window after the
# toolkit's wait, no box to dismiss, and nothing written.
stall_owner stalled
click calculateAnglesButton
tries=150 eventually problem_said || fail "no message for a clipboard that does not answer"
count_windows "$title" 1 || fail "a clipboard that does not answer opened a window"
kill -KILL "$owner"
field_holds rotZEdit "30.0 "

# A program that answers late, and with an empty text: an answer all the same, the identity's.
stall_owner ''
click calculateAnglesButton
sleep 1.5
kill -CONT "$owner"
field_holds rotXEdit "0 "
problem_said && fail "an empty answer after 1.5 s was taken for no answer"
kill "$owner" 2>/dev/null || true

# The picture beside the form follows typing, and Calculate Angles draws what it read as typing
# its angles drew it; F9 hides the picture and the window narrows to the form, F9 brings it back.
read -r pane_left pane_top pane_width pane_height < <("$form_geometry" "$form" orientationView)
# Its pixels once still, with the pointer beyond the window so that no tooltip covers them.
picture() {
    local now before
    eval "$(xdotool getwindowgeometry --shell "$main")"
    xdotool mousemove $((X + WIDTH + 50)) $((Y + HEIGHT + 50))
    while now=$(import -window "$main" -crop "${pane_width}x$pane_height+$pane_left+$pane_top" \
        rgb:- | md5sum) && [ "$now" != "${before-}" ]; do before=$now && sleep 0.2; done
    echo "$now"
}
differs() { [ "$(picture)" != "$1" ]; }
width_is() { eval "$(xdotool getwindowgeometry --shell "$main")" && [ "$WIDTH" -eq "$1" ]; }
identity=$(picture)
click rotXEdit
xdotool key ctrl+a type 10 && xdotool key Tab type 20 && xdotool key Tab type 30
tries=10 eventually differs "$identity" || fail "the picture did not follow the angles typed"
typed=$(picture)
click rotYEdit && xdotool key ctrl+a type 0
tries=10 eventually differs "$typed" || fail "the picture did not follow Rot Y"
copy "0.813798 -0.469846 0.34202   0.543838 0.823173 -0.163176   -0.204874 0.318796 0.925417 "
click calculateAnglesButton
tries=10 eventually eval '! differs "$typed"' || fail "Calculate Angles drew another picture than 10 20 30"
for width in "$pane_left" $((pane_left + pane_width)); do
    xdotool key F9
    eventually width_is "$width" || fail "after F9 the window is $WIDTH pixels wide, not $width"
done

# Help opens beside the main window.
click helpButton
eventually count_windows Help 1 || fail "the help window did not open"

# Exit closes both windows at once. The program holds the clipboard (the field's text that
# field_holds copied), and no clipboard manager runs: it ends once another program takes it.
click exitButton
eventually count_windows "$title" 0 || fail "Exit left the main window open"
count_windows Help 0 || fail "Exit left the help window open"
copy "another text"
eventually eval '! running' || fail "Exit did not end the program"
wait "$pid" || fail "the program ended with status $?"

# Quitting while it holds the clipboard, with no clipboard manager to take a copy, Quorvex closes
# every window at once and goes on serving the line until another program takes the clipboard.
rotX30="1 0 0   0 0.866025 -0.5   0 0.5 0.866025 "
start
click rotXEdit
xdotool key ctrl+a type 30
click calculateMatrixButton
eventually clipboard_is "$rotX30" || fail "Calculate Matrix put no line on the clipboard"
xdotool key ctrl+q
eventually count_windows "$title" 0 || fail "Ctrl+Q left the window open"
running || fail "Ctrl+Q ended the program, and the line on the clipboard with it"
clipboard_is "$rotX30" || fail "after Ctrl+Q the clipboard holds \"$(clipboard)\""
copy "another text"
eventually eval '! running' || fail "the program outlived another program's taking the clipboard"
wait "$pid" || fail "the program ended with status $?"

# Where a clipboard manager runs, it takes the line, and Quorvex ends at once.
"$clipboard_manager" >"$work/manager" &
manager=$!
eventually grep -q ready "$work/manager" || fail "the stand-in clipboard manager did not start"
start
click calculateMatrixButton
eventually clipboard_is "1 0 0   0 1 0   0 0 1 " || fail "Calculate Matrix put no line on the clipboard"
xdotool key ctrl+q
tries=20 eventually eval '! running' || fail "the program kept running beside a clipboard manager"
grep -q saved "$work/manager" || fail "the program ended without handing the line to the manager"
echo "drive-quorvex: all steps passed"
