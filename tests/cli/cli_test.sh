#!/bin/bash
# Runs quorvex-cli as scripts do and checks its exit status, its exact standard output and its
# standard error.   Usage: cli_test.sh PATH_TO_QUORVEX_CLI
set -u
cli=$1
failed=0
nl=$'\n'
rotX30="1 0 0   0 0.866025 -0.5   0 0.5 0.866025 "

# run STATUS STDOUT STDERR_PATTERN ARG...: standard input is $input (none when unset); STDOUT is a
# glob pattern, exact where it has no wildcard. A failure (status 1) writes one line to stderr.
run() {
    local status=$1 out=$2 err=$3 actual_out actual_err actual_status problem=""
    shift 3
    actual_err=$(mktemp)
    if [ -n "${input+set}" ]; then
        actual_out=$(printf '%s' "$input" | "$cli" "$@" 2>"$actual_err"; echo "[$?]")
    else
        actual_out=$("$cli" "$@" </dev/null 2>"$actual_err"; echo "[$?]")
    fi
    actual_status=${actual_out##*[}
    actual_status=${actual_status%]}
    actual_out=${actual_out%[*}
    [ "$actual_status" = "$status" ] || problem+=" status $actual_status, not $status;"
    [[ "$actual_out" == $out ]] || problem+=" stdout \"$actual_out\";"
    if [ -z "$err" ]; then
        [ ! -s "$actual_err" ] || problem+=" stderr \"$(cat "$actual_err")\";"
    else
        grep -qE "$err" "$actual_err" || problem+=" stderr \"$(head -3 "$actual_err")\";"
        [ "$status" != 1 ] || [ "$(wc -l <"$actual_err")" = 1 ] || problem+=" stderr not one line;"
    fi
    rm -f "$actual_err"
    if [ -n "$problem" ]; then
        failed=$((failed + 1))
        echo "FAIL quorvex-cli $* (input \"${input-}\"):$problem"
    fi
}

run 0 "$rotX30$nl" "" matrix 30 0 0
run 0 "1.627595 -0.939693 0.68404   1.631514 2.469519 -0.489528   -0.819497 1.275183 3.701666 $nl" "" \
    matrix 10 20 30 2 3 4
run 0 "1 0 0   0 0.866025 0.5   0 -0.5 0.866025 $nl" "" matrix -30 0 0
run 0 "30.0 0 0 $nl" "" angles 1 0 0 0 0.866025 -0.5 0 0.5 0.866025
run 0 "10.0 20.0 30.0 $nl" "" angles "[0.813798, -0.469846, 0.34202, 0.543838, 0.823173, -0.163176," \
    "-0.204874, 0.318796, 0.925417]"
input="1 0 0  0 0.866025 -0.5${nl}0 0.5 0.866025  5 6 7"$'\r\n' run 0 "30.0 0 0 $nl" "" angles
input="" run 0 "0 0 0 $nl" "" angles
run 1 "" '^quorvex-cli: Rot Y: "abc" is not a number$' matrix 0 abc 0
run 1 "" '^quorvex-cli: Matrix: "1e400" is too large$' angles 1 0 0 0 1 0 0 0 1e400
run 1 "" '^quorvex-cli: Matrix: "hello" holds no parameter line$' angles hello
run 2 "" '^Usage: quorvex-cli matrix'
run 2 "" 'unknown command rotate' rotate 1 2 3
run 2 "" 'three angles' matrix 1 2
run 2 "" 'three angles' matrix 1 2 3 4
run 2 "" 'unknown option --fast' matrix --fast 1 2 3
run 0 "Usage: quorvex-cli matrix *" "" --help
run 0 "Usage: quorvex-cli matrix *" "" matrix 1 --help
run 0 "quorvex-cli [0-9]*.[0-9]*.[0-9]*$nl" "" --version

# Arguments are read with "." or the user's decimal separator, and what the program writes reads
# back; output keeps ".".
if locale -a 2>/dev/null | grep -qx 'de_DE.utf8'; then
    export LC_ALL=de_DE.UTF-8
    run 0 "1 0 0   0 0.857167 -0.515038   0 0.515038 0.857167 $nl" "" matrix 31,0 0 0
    run 0 "31.0 0 0 $nl" "" angles 1 0 0 0 0.857167 -0.515038 0 0.515038 0.857167
    run 0 "1 0 0   0 0.857167 -0.515038   0 0.515038 0.857167 $nl" "" matrix 31.0 0 0
    run 1 "" 'Rot X: "1.500" could be 1500 or 1,5' matrix 1.500 0 0
    unset LC_ALL
else
    echo "de_DE.UTF-8 is missing; run tools/setup"
    [ -z "${CI:-}" ] || failed=$((failed + 1))
fi
[ "$failed" = 0 ]
