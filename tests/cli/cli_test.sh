#!/bin/bash
# Runs quorvex-cli as scripts do and checks its exit status, its exact standard output and its
# standard error.   Usage: cli_test.sh PATH_TO_QUORVEX_CLI PATH_TO_FAILING_READ_LIBRARY
set -u
cli=$1
failingRead=$2
failed=0
nl=$'\n'
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rotX30="1 0 0   0 0.866025 -0.5   0 0.5 0.866025 "
line102030="0.813798 -0.469846 0.34202   0.543838 0.823173 -0.163176   -0.204874 0.318796 0.925417 "

# run STATUS STDOUT STDERR ARG...: standard input is the text $input, or the file $from ("closed":
# none at all); standard output goes to $to, if set. STDOUT is a glob pattern, exact where it has
# no wildcard; STDERR an extended regular expression, with one line for each line that a failure
# (status 1) writes.
run() {
    local status=$1 out=$2 err=$3 stdin="<${from:-$work/in}" problem=""
    shift 3
    printf '%s' "${input-}" >"$work/in"
    [ "${from-}" != closed ] || stdin="<&-"
    eval '"$cli" "$@"' "$stdin" '>"${to:-$work/out}" 2>"$work/err"'
    local actual=$? stdout pattern matched=1
    stdout=$(cat "$work/out" 2>/dev/null; echo .)
    rm -f "$work/out"
    [ "$actual" = "$status" ] || problem+=" status $actual;"
    [ -n "${to-}" ] || [[ "${stdout%.}" == $out ]] || problem+=" stdout \"${stdout%.}\";"
    # grep takes each line of a pattern as an alternative: every line must match on its own.
    while IFS= read -r pattern; do grep -qE -- "$pattern" "$work/err" || matched=0; done <<<"$err"
    if [ -z "$err" ]; then [ ! -s "$work/err" ]; else [ $matched = 1 ] && { [ "$status" != 1 ] \
        || [ "$(wc -l <"$work/err")" = "$(wc -l <<<"$err")" ]; }; fi || problem+=" stderr \"$(cat "$work/err")\";"
    [ -z "$problem" ] || { failed=$((failed + 1)); echo "FAIL quorvex-cli $* ${from-}:$problem"; }
}

# One calculation from the command line or standard input.
run 0 "$rotX30$nl" "" matrix 30 0 0
run 0 "1.627595 -0.939693 0.68404   1.631514 2.469519 -0.489528   -0.819497 1.275183 3.701666 $nl" "" \
    matrix 10 20 30 2 3 4
run 0 "1 0 0   0 0.866025 0.5   0 -0.5 0.866025 $nl" "" matrix -30 0 0
run 0 "1 0 0   0 0.866025 0.5   0 -0.5 0.866025 $nl" "" matrix -- -30 0 0
run 0 "30.0 0 0 $nl" "" angles 1 0 0 0 0.866025 -0.5 0 0.5 0.866025
input="1 0 0${nl}0 0.866025 -0.5${nl}0 0.5 0.866025"$'\r\n' run 0 "30.0 0 0 $nl" "" angles
input="$rotX30" run 0 "30.0 0 0 $nl" "" angles -
run 0 "0 0 0 $nl" "" angles
run 1 "" '^quorvex-cli: Rot Y: "abc" is not a number; type degrees, like 30 or 30°$' matrix 0 abc 0
run 1 "" '^quorvex-cli: Rot X: "--5" is not a number; type degrees, like 30 or 30°$' matrix -- --5 0 0
# Angles with units; a scale whose row the line's six decimals would lose is refused.
run 0 "$rotX30$nl" "" matrix 30° '0.0 rad' '0 deg'
run 1 "" '^quorvex-cli: Scale X: "1e-9" is too small for the line.s six decimals to keep its row; the smallest scale they keep is 1e-8$' \
    matrix 0 0 0 1e-9 1 1
run 1 "" '^quorvex-cli: Matrix: "1e400" is too large$' angles 1 0 0 0 1 0 0 0 1e400
run 1 "" '^quorvex-cli: Matrix: "hello" holds no parameter line$' angles hello
input=$'ans =\n\n   0.8138  -0.4698   0.3420\n   0.5438   0.8232  -0.1632\n  -0.2049   0.3188   0.9254\n' \
    run 0 "10.0 20.0 30.0 $nl" "" angles
run 1 "" '^quorvex-cli: Matrix: read as 1 2 3  4 5 6  7 8 9, which is not a rotation with scales' \
    angles 1 2 3 4 5 6 7 8 9
# Values given column by column, and a text that says it lists them by rows.
run 0 "0 0 90.0 $nl" "" angles --columns 0 1 0 -1 0 0 0 0 1
input=$'0 1 0 -1 0 0 0 0 1\nrow-major: 0 -1 0 1 0 0 0 0 1\n' run 1 "0 0 90.0 $nl$nl" \
    '^quorvex-cli: line 2: Matrix: "row-major: .*" lists its values by rows \("row-major"\), not by columns as asked$' \
    angles -l --columns
run 2 "" '^quorvex-cli: --columns is for angles' matrix --columns 30 0 0
# UTF-16 with its byte-order mark, as Windows' shell writes files, is read as the text it holds;
# what is no UTF-16, an unpaired surrogate or an odd number of bytes, is refused by name.
printf '1 0 0\r\n0 0.866025 -0.5\r\n0 0.5 0.866025\r\n' | iconv -f UTF-8 -t UTF-16LE \
    | { printf '\xff\xfe'; cat; } >"$work/utf16"
from="$work/utf16" run 0 "30.0 0 0 $nl" "" angles
{ printf '\xfe\xff'; printf '1 0 0 ' | iconv -t UTF-16BE; printf '\xdc\x00'; } >"$work/utf16"
from="$work/utf16" run 1 "" "^quorvex-cli: standard input: an unpaired UTF-16 surrogate, U\+DC00, is no character$" angles

# Scale factors come back with --scales; the angles alone would describe a mirror image wrongly.
mirror="-0.813798 0.469846 -0.34202   0.543838 0.823173 -0.163176   -0.204874 0.318796 0.925417"
run 0 "10.0 20.0 30.0 -1 1 1 $nl" "" angles --scales $mirror
run 1 "" '^quorvex-cli: Matrix: a mirror image, whose angles alone would describe another matrix; quorvex-cli angles --scales gives its scale factors too$' \
    angles $mirror
# Angles and scales read back from lines rebuild them, a mirror image and gimbal lock included
# (where a "-0" may come back as "0").
unsigned_zeros() { sed -E ':a; s/(^| )-0 /\10 /; ta'; }
printf '10 20 30 2 3 4\n-12.34 56.78 -90.12 0.1234 -5.678 999.9\n25 90 40 1 1 1\n1 2 3 -1 -1 -1\n' \
    | "$cli" matrix -l | unsigned_zeros >"$work/lines"
"$cli" angles --scales -l "$work/lines" | "$cli" matrix -l | unsigned_zeros | cmp -s - "$work/lines" \
    || { failed=$((failed + 1)); echo "FAIL angles --scales -l | matrix -l does not rebuild the lines"; }

# One result for each line, blank for a blank line or one that cannot be read.
printf '30 0 0\n\n10 20 30\n' >"$work/a"
input=$'0 0 90\r\nabc 0 0\n1 2\n1 2 3 4 5 6 7\n\n10 20 30 2 3 4\n45\n' run 1 \
    "0 -1 0   1 0 0   0 0 1 $nl$nl$nl$nl${nl}1.627595 -0.939693 0.68404   1.631514 2.469519 -0.489528   -0.819497 1.275183 3.701666 $nl$nl" \
    "^quorvex-cli: line 2: Rot X: \"abc\" is not a number; type degrees, like 30 or 30°\$${nl}^quorvex-cli: line 3: it holds 2 values; matrix takes${nl}^quorvex-cli: line 4: it holds more than 6 values; matrix takes${nl}^quorvex-cli: line 7: it holds 1 value; matrix takes" \
    matrix -l
input="0 0 90" run 0 "$rotX30$nl$nl$line102030${nl}0 -1 0   1 0 0   0 0 1 $nl" "" matrix --each-line "$work/a" -
input="$rotX30$nl${nl}hello$nl$line102030" run 1 "30.0 0 0 $nl$nl${nl}10.0 20.0 30.0 $nl" \
    "^quorvex-cli: line 3: Matrix: \"hello\" holds no parameter line$" angles -l
run 1 "" "^quorvex-cli: $work/none: No such file or directory$" angles -l "$work/none"
# LF, CR LF and CR alone (a classic Mac file) each end a line, which the line numbers count; a line
# of white space of any kind is blank. A CR LF is one line end also where a block of the input
# ends between the two (after 64 KiB), and the line numbers of later blocks count each once.
input=$'\f\r'"$rotX30"$'\r\n\v \r'"$line102030"$'\rhello' run 1 \
    "${nl}30.0 0 0 $nl${nl}10.0 20.0 30.0 $nl$nl" "^quorvex-cli: line 5: Matrix: \"hello\" holds" angles -l
{ printf '30 0 0\r\r\n\n%65525s\r\n' ''; printf 'abc 0 0\n'; } >"$work/crlf"
from="$work/crlf" run 1 "$rotX30$nl$nl$nl$nl$nl" '^quorvex-cli: line 5: Rot X: "abc" is not a number; type degrees, like 30 or 30°$' matrix -l
# -l decodes UTF-16 one line after another: only a line that holds what is no UTF-16 is refused.
# A UTF-8 byte-order mark is dropped.
{ printf '\xfe\xff'; printf '30 0 0\r\n' | iconv -t UTF-16BE; printf '\xd8\x00'
    printf ' 0\n0 0 90\n' | iconv -t UTF-16BE; printf 7; } >"$work/utf16"
run 1 "$rotX30$nl${nl}0 -1 0   1 0 0   0 0 1 $nl$nl" \
    "^quorvex-cli: $work/utf16: line 2: an unpaired UTF-16 surrogate, U\+D800, is no character\$${nl}^quorvex-cli: $work/utf16: line 4: the UTF-16 text ends in half a character \(it holds an odd number of bytes\)$" \
    matrix -l "$work/utf16"
input=$'\xef\xbb\xbf30 0 0\n' run 0 "$rotX30$nl" "" matrix -l

# A filter answers each line as it arrives, on one thread or more: a program that writes a line and
# waits for its answer gets it (the wait of ten seconds fails only a filter that hangs). A CR alone
# ends a line at once, and a LF that comes after it later ends no other line.
for jobs in 1 2; do
    coproc filter { "$cli" matrix -l -j$jobs; }
    answers=""
    for line in $'30 0 0\r' $'\n0 0 90\n'; do
        printf '%s' "$line" >&"${filter[1]}"
        IFS= read -r -t 10 answer <&"${filter[0]}" && answers+="$answer$nl"
    done
    exec {filter[1]}>&-
    wait "$filter_PID"
    [ $? = 0 ] && [ "$answers" = "$rotX30${nl}0 -1 0   1 0 0   0 0 1 $nl" ] \
        || { failed=$((failed + 1)); echo "FAIL matrix -l -j $jobs as a co-process: \"$answers\""; }
done

# Many blocks: a pattern of good and bad lines repeated 7,000 times gives, on one thread and on
# three, its own output repeated, and a message for each bad line with its number in the file.
repeat() { for ((i = 0; i < 7000; i++)); do printf '%s' "$1"; done; }
for command in matrix angles; do
    if [ $command = matrix ]; then
        pattern=$'30 0 0\nabc 1 2\n\n10 20 30 2 3 4\n1 2\n-12.5 45 7.25\n'
    else
        pattern=$(printf '30 0 0\n\n10 20 30 2 3 4\n-12.5 45 7.25\n' | "$cli" matrix -l)$'\nhello\n'
    fi
    printf '%s' "$pattern" | "$cli" $command -l >"$work/once" 2>"$work/once.err"
    once=$(cat "$work/once"; echo .)
    repeat "${once%.}" >"$work/expected"
    repeat "$pattern" >"$work/mixed"
    last=$(( 6999 * $(wc -l <<<"${pattern%$'\n'}") + $(sed -n '$s/.*line \([0-9]*\):.*/\1/p' "$work/once.err") ))
    "$cli" $command -l -j 1 "$work/mixed" >"$work/one" 2>"$work/one.err"
    "$cli" $command --jobs 3 -l "$work/mixed" >"$work/three" 2>"$work/three.err"
    cmp -s "$work/expected" "$work/one" && cmp -s "$work/one" "$work/three" \
        && cmp -s "$work/one.err" "$work/three.err" && tail -n 1 "$work/one.err" | grep -q ": line $last: " \
        || { failed=$((failed + 1)); echo "FAIL $command -l over many blocks, on 1 or 3 threads"; }
done
run 2 "" '^quorvex-cli: -j takes a number of threads from 1 to 1024, not "4x"$' matrix -l -j 4x
run 2 "" '^quorvex-cli: --jobs takes a number of threads from 1 to 1024, not "0"$' angles --jobs=0

# Input that cannot be read, or read to its end, and output that cannot be written.
from=/ run 1 "" "^quorvex-cli: cannot read standard input: Is a directory$" angles
from=closed run 1 "" "^quorvex-cli: cannot read standard input: Bad file descriptor$" angles -l
from=/dev/zero run 1 "" "^quorvex-cli: standard input holds more than 64 MiB" angles
to=/dev/full run 1 "" "^quorvex-cli: cannot write standard output: No space left on device$" matrix 30 0 0
# Every failure of -l, on one thread or on two, ends the run with its reason: output that cannot be
# written at all, or no more after several blocks (a limit on the size of files), and input that
# cannot be read on after several blocks, whose unfinished line is not taken for a whole one.
yes "10 20 30" | head -n 60000 >"$work/many"
printf '#!/bin/sh\ntrap "" XFSZ\nulimit -f 200\nexec "%s" "$@"\n' "$cli" >"$work/small-files"
printf '#!/bin/sh\nexport LD_PRELOAD="%s" FAIL_READ_AFTER=%s ASAN_OPTIONS=verify_asan_link_order=0\nexec "%s" "$@"\n' \
    "$failingRead" $((50000 * 9 + 7)) "$cli" >"$work/failing-read"
chmod +x "$work/small-files" "$work/failing-read"
for jobs in 1 2; do
    from="$work/many" to=/dev/full run 1 "" "^quorvex-cli: cannot write standard output: No space left on device$" matrix -l -j $jobs
    from="$work/many" to="$work/answers" cli="$work/small-files" run 1 "" \
        "^quorvex-cli: cannot write standard output: File too large$" matrix -l -j $jobs
    to="$work/answers" cli="$work/failing-read" run 1 "" \
        "^quorvex-cli: cannot read $work/many: Input/output error$" matrix -l -j $jobs "$work/many"
    yes "$line102030" | head -n 50000 | cmp -s - "$work/answers" \
        || { failed=$((failed + 1)); echo "FAIL matrix -l -j $jobs: the lines before a read error"; }
done
to=/dev/full run 1 "" "^quorvex-cli: cannot write standard output: No space left on device$" --help
# A line longer than the memory can hold is said, not taken for the end of the input; so is a
# thread that cannot start, where its stack of 8 MiB would pass the limit. (Sanitizers reserve far
# more address space than such limits allow.)
if ! grep -q __asan_init "$cli"; then
    { echo "30 0 0"; head -c 80000000 /dev/zero | tr '\0' 7; echo; } >"$work/long"
    for kib in 50000 12000; do
        printf '#!/bin/sh\nulimit -s 8192\nulimit -v %s\nexec "%s" "$@"\n' $kib "$cli" >"$work/limited$kib"
        chmod +x "$work/limited$kib"
    done
    from="$work/long" cli="$work/limited50000" run 1 "$rotX30$nl" \
        "^quorvex-cli: line 2: the line is longer than the memory can hold$" matrix -l
    from="$work/many" cli="$work/limited12000" run 1 "" \
        "^quorvex-cli: cannot start a thread: Resource temporarily unavailable$" matrix -l -j 2
fi

# A wrong command line: the usage on standard error, status 2.
run 2 "" '^Usage: quorvex-cli matrix'
run 2 "" 'unknown command rotate' rotate 1 2 3
run 2 "" 'three angles' matrix 1 2 3 4
run 2 "" 'unknown option --fast' matrix --fast 1 2 3
run 2 "" 'unknown option -x' matrix -x 1 2 3
run 2 "" '^quorvex-cli: -j takes a number of threads from 1 to 1024, not "0"$' matrix -l -j0
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
