#!/bin/bash
# Runs quorvex-cli the way scripts do and checks exactly what it prints and how it exits.
# Usage: cli_test.sh PATH_TO_QUORVEX_CLI
set -u
cli=$1
passed=0
failed=0

# run NAME STATUS STDOUT STDERR_PATTERN [ARG...]: standard input comes from $input (none if unset).
run() {
    local name=$1 status=$2 out=$3 err=$4
    shift 4
    local actual_out actual_err actual_status
    actual_out=$(mktemp) actual_err=$(mktemp)
    if [ -n "${input+set}" ]; then
        printf '%s' "$input" | "$cli" "$@" >"$actual_out" 2>"$actual_err"
    else
        "$cli" "$@" </dev/null >"$actual_out" 2>"$actual_err"
    fi
    actual_status=$?
    local problem=""
    [ "$actual_status" = "$status" ] || problem+=" status $actual_status, not $status;"
    # Compare bytes: every blank counts, and so does the final newline.
    cmp -s "$actual_out" <(printf '%s' "$out") || problem+=" stdout $(od -c "$actual_out" | head -3);"
    if [ -z "$err" ]; then
        [ ! -s "$actual_err" ] || problem+=" stderr not empty: $(cat "$actual_err");"
    else
        grep -qE "$err" "$actual_err" || problem+=" stderr lacks /$err/: $(head -3 "$actual_err");"
        if [ "$status" = 1 ] && [ "$(wc -l <"$actual_err")" != 1 ]; then
            problem+=" stderr is not one line;"
        fi
    fi
    rm -f "$actual_out" "$actual_err"
    if [ -z "$problem" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL $name:$problem"
    fi
}

nl=$'\n'

# The parameter line, exactly as the Matrix field shows it.
run identity 0 "1 0 0   0 1 0   0 0 1 $nl" "" matrix 0 0 0
run rotX30 0 "1 0 0   0 0.866025 -0.5   0 0.5 0.866025 $nl" "" matrix 30 0 0
run threeAngles 0 "0.813798 -0.469846 0.34202   0.543838 0.823173 -0.163176   -0.204874 0.318796 0.925417 $nl" "" \
    matrix 10 20 30
run scales 0 "1.627595 -0.939693 0.68404   1.631514 2.469519 -0.489528   -0.819497 1.275183 3.701666 $nl" "" \
    matrix 10 20 30 2 3 4
run halfTurn 0 "-1 -0 0   0 -1 0   0 0 1 $nl" "" matrix 0 0 180
run negativeIsAValue 0 "1 0 0   0 0.866025 0.5   0 -0.5 0.866025 $nl" "" matrix -30 0 0

# The angles X Y Z of a line, from arguments or standard input.
run anglesFromArguments 0 "30.0 0 0 $nl" "" angles 1 0 0 0 0.866025 -0.5 0 0.5 0.866025
run anglesFromOneArgument 0 "10.0 20.0 30.0 $nl" "" \
    angles "0.813798 -0.469846 0.34202   0.543838 0.823173 -0.163176   -0.204874 0.318796 0.925417 "
run halfTurnReads180 0 "0 0 180.0 $nl" "" angles -1 -0 0 0 -1 0 0 0 1
run gimbalLock 0 "65.0 90.0 0 $nl" "" angles 0 -0 1 0.906308 0.422618 -0 -0.422618 0.906308 0
input="1.627595 -0.939693 0.68404   1.631514 2.469519 -0.489528   -0.819497 1.275183 3.701666 "
run anglesFromStandardInput 0 "7.53 10.38 30.0 $nl" "" angles
input="1 0 0  0 0.866025 -0.5${nl}0 0.5 0.866025  5 6 7"$'\r\n'
run himLineOverTwoLines 0 "30.0 0 0 $nl" "" angles
input=""
run emptyInputIsIdentity 0 "0 0 0 $nl" "" angles
unset input

# Bad input: one line naming the field and its text, nothing on standard output, status 1.
run notANumber 1 "" '^quorvex-cli: Rot Y: "abc" is not a number$' matrix 0 abc 0
run emptyField 1 "" '^quorvex-cli: Rot X: "" is not a number$' matrix "" 0 0
run infinity 1 "" 'Scale Z: "1e999" is too large' matrix 0 0 0 1 1 1e999
run lineValueTooLarge 1 "" 'Matrix: "1e400" is too large' angles 1 0 0 0 1 0 0 0 1e400

# Usage errors: the usage on standard error, status 2.
run noCommand 2 "" '^Usage: quorvex-cli matrix'
run unknownCommand 2 "" 'unknown command rotate' rotate 1 2 3
run twoAngles 2 "" 'three angles' matrix 1 2
run fourValues 2 "" 'three angles' matrix 1 2 3 4
run unknownOption 2 "" 'unknown option --fast' matrix --fast 1 2 3
run help 0 "$("$cli" --help)$nl" "" --help
run helpAfterCommand 0 "$("$cli" --help)$nl" "" matrix --help
[[ "$("$cli" --help)" == Usage:* ]] || { failed=$((failed + 1)); echo "FAIL helpText: no usage"; }
run version 0 "quorvex-cli 2.0.0$nl" "" --version

# Arguments are read with the user's decimal separator; output keeps ".".
if locale -a 2>/dev/null | grep -qx 'de_DE.utf8'; then
    export LC_ALL=de_DE.UTF-8
    run germanComma 0 "1 0 0   0 0.866025 -0.5   0 0.5 0.866025 $nl" "" matrix 30,0 0 0
    run germanPoint 1 "" 'Rot X: "1.500" is not a number \(the decimal separator is ","\)' matrix 1.500 0 0
    run germanLineKeepsPoint 0 "30.0 0 0 $nl" "" angles 1 0 0 0 0.866025 -0.5 0 0.5 0.866025
    unset LC_ALL
elif [ -n "${CI:-}" ]; then
    failed=$((failed + 1))
    echo "FAIL germanLocale: de_DE.UTF-8 is missing; run tools/setup"
else
    echo "SKIP germanLocale: de_DE.UTF-8 is missing; run tools/setup"
fi

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
