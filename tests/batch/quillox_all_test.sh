#!/bin/sh
# End-to-end tests of quillox-all with the real QUILLOX (and stand-ins where timing or the
# converter's own words are the point): a folder of programs converted in their own folders,
# failures named, sources left as they were, reruns, clashes refused, shared members in name
# order, the template, front ends only for programs with screens, the command line, the search
# for QUILLOX, progress, and quillox-report over the converted folder.
#
# Usage: quillox_all_test.sh QUILLOX-ALL QUILLOX QUILLOX-REPORT WORK_FOLDER
set -u
[ $# -eq 4 ] || { echo "usage: quillox_all_test.sh QUILLOX-ALL QUILLOX QUILLOX-REPORT WORK_FOLDER" >&2; exit 2; }
all=$1 quillox=$2 report=$3 work=$4
case $all in /*) ;; *) all=$(pwd)/$all ;; esac
case $quillox in /*) ;; *) quillox=$(pwd)/$quillox ;; esac
case $report in /*) ;; *) report=$(pwd)/$report ;; esac

. "$(dirname "$0")/../support/checks.sh"

# Runs quillox-all in $work with the real QUILLOX and the arguments given; leaves exit code,
# stdout, stderr, and in `said` the lines of stderr that quillox-all itself wrote (those that
# QUILLOX wrote follow them, indented).
run() {
  (cd "$work" && "$all" --quillox "$quillox" "$@") </dev/null >"$work/.stdout" 2>"$work/.stderr"
  code=$?
  out=$(cat "$work/.stdout")
  err=$(cat "$work/.stderr")
  said=$(grep -v '^    ' "$work/.stderr")
}

files_below() { (cd "$work/$1" && find . -type f | LC_ALL=C sort); }
sums_of() { (cd "$work/$1" && find . -name '*.zsc' -type f -exec cksum {} \; | LC_ALL=C sort); }

program() {  # file program-id copy-member [statement]
  printf '%s\n' \
    '       IDENTIFICATION DIVISION.' \
    "       PROGRAM-ID. $2." \
    '       DATA DIVISION.' \
    '       WORKING-STORAGE SECTION.' \
    '       01  WS-LEN PIC S9(4) COMP.' \
    '       PROCEDURE DIVISION.' \
    '           MOVE EIBCALEN TO WS-LEN.' \
    "           COPY $3." \
    "           ${4:-EXEC ZARN RETURN END-EXEC.}" >"$1"
}

fresh_application() {
  rm -rf -- "$work"
  mkdir -p "$work/app/orders" "$work/app/BROKEN.zsc"
  program "$work/app/orders/GOOD.zsc" GOOD GOODREC
  printf '%s\n' '           IF EIBCALEN = 0' '               MOVE 1 TO WS-LEN' '           END-IF.' >"$work/app/orders/GOODREC"
  program "$work/app/NOCOPY.zsc" NOCOPY ABSENT
}

# ---------------------------------------------------------------------------------------------
current="three programs, one missing copybook, one program file that is a folder"
fresh_application
sources_before=$(sums_of app)
run -j 2 app
check "exit code" 1 "$code"
check "stdout" "quillox-all: 3 programs, 2 converted, 1 failed" "$out"
check "stderr, quillox-all's lines" "quillox-all: conversion failed: app/BROKEN.zsc (QUILLOX exit code 100)
quillox-all: app/NOCOPY.zsc: converted, 1 copybook member not found: ABSENT" "$said"
check "files" "./NOCOPY.msg
./NOCOPY.new
./NOCOPY.zsc
./orders/GOOD.msg
./orders/GOOD.new
./orders/GOOD.zsc
./orders/GOODREC
./orders/GOODREC.new
./quillox-all.record" "$(files_below app)"
check "sources unchanged" "$sources_before" "$(sums_of app)"
# The copybook beside GOOD was found because the conversion ran in GOOD's folder.
check "GOOD.msg copybook lines" "  opening copy book GOODREC at line 8
  3 lines read in copy book
  3 lines written in copy book" "$(grep 'copy book' "$work/app/orders/GOOD.msg")"
check "NOCOPY.msg copybook lines" "  opening copy book ABSENT at line 8
 ***error*** opening copy file ABSENT" "$(grep 'copy' "$work/app/NOCOPY.msg" | grep -v 'Total')"
first_outputs=$(cd "$work/app" && cksum NOCOPY.msg NOCOPY.new orders/GOOD.msg orders/GOOD.new orders/GOODREC.new)

current="a second run over the converted folder"
run app
check "exit code" 1 "$code"
check "stdout" "quillox-all: 3 programs, 2 converted, 1 failed" "$out"
check "stderr, quillox-all's lines" "quillox-all: conversion failed: app/BROKEN.zsc (QUILLOX exit code 100)
quillox-all: app/NOCOPY.zsc: converted, 1 copybook member not found: ABSENT" "$said"
check "sources unchanged" "$sources_before" "$(sums_of app)"
check "same outputs" "$first_outputs" \
  "$(cd "$work/app" && cksum NOCOPY.msg NOCOPY.new orders/GOOD.msg orders/GOOD.new orders/GOODREC.new)"
check "no new files" 9 "$(files_below app | wc -l | tr -d ' ')"

# ---------------------------------------------------------------------------------------------
current="the converter's reason for a failure is relayed, indented, after the program's name"
rm -rf -- "$work"
mkdir -p "$work/app"
program "$work/app/LOST.zsc" LOST NONE
cat >"$work/failing-quillox" <<'EOF'
#!/bin/sh
echo "QUILLOX: cannot open LOST.zsc: Permission denied" >&2
exit 100
EOF
chmod +x "$work/failing-quillox"
(cd "$work" && "$all" --quillox failing-quillox app) </dev/null >"$work/.stdout" 2>"$work/.stderr"
check "exit code" 1 "$?"
check "stdout" "quillox-all: 1 program, 0 converted, 1 failed" "$(cat "$work/.stdout")"
check "stderr" "quillox-all: conversion failed: app/LOST.zsc (QUILLOX exit code 100)
    QUILLOX: cannot open LOST.zsc: Permission denied" "$(cat "$work/.stderr")"

# ---------------------------------------------------------------------------------------------
current="programs copying the same member convert it in name order at any -j"
rm -rf -- "$work"
mkdir -p "$work/shared"
printf '%s\n' '           IF EIBCALEN = 0' '               MOVE 1 TO WS-LEN' '           END-IF.' >"$work/shared/COMMON"
for name in AAA BBB CCC DDD; do program "$work/shared/$name.zsc" "$name" COMMON; done
# ZZZ copies the member before its PROCEDURE DIVISION, where EIBCALEN is not renamed; being
# last in name order, its conversion of the member is the one that stays.
printf '%s\n' '       IDENTIFICATION DIVISION.' '       PROGRAM-ID. ZZZ.' '       DATA DIVISION.' \
  '           COPY COMMON.' '       PROCEDURE DIVISION.' '           GOBACK.' >"$work/shared/ZZZ.zsc"
mkdir -p "$work/alone" && cp "$work/shared/ZZZ.zsc" "$work/shared/COMMON" "$work/alone/"
(cd "$work/alone" && "$quillox" ZZZ)
for jobs in 4 1 4; do
  run -j "$jobs" shared
  check "exit code with -j $jobs" 0 "$code"
  check "member as ZZZ converts it, -j $jobs" "$(cat "$work/alone/COMMON.new")" "$(cat "$work/shared/COMMON.new")"
done
check "EIBCALEN left in the member" "           IF EIBCALEN = 0" "$(sed -n '1s/ *$//p' "$work/shared/COMMON.new")"

# ---------------------------------------------------------------------------------------------
current="conversions that write the same member never run at the same time; others do"
rm -rf -- "$work"
mkdir -p "$work/shared" "$work/log"
# A stand-in for QUILLOX that takes a second per program and notes how many conversions run at
# once and whether two programs copying COMMON ran at the same time.
cat >"$work/slow-quillox" <<'EOF'
#!/bin/sh
while [ "$1" != "--" ]; do shift; done
name=$2
log=$QUILLOX_ALL_TEST_LOG
touch "$log/running.$name"
ls "$log" | grep -c '^running\.' >>"$log/at-once"
if grep -q 'COPY COMMON' "$name.zsc"; then
  mkdir "$log/common" 2>/dev/null || echo "$name" >>"$log/overlap"
  sleep 1
  echo "$name" >>"$log/common-order"
  rmdir "$log/common" 2>/dev/null
else
  sleep 1
fi
rm -f "$log/running.$name"
: >"$name.new"
: >"$name.msg"
EOF
chmod +x "$work/slow-quillox"
printf '           COPY COMMON.\n' >"$work/shared/COMMON"
for name in AAA BBB CCC; do program "$work/shared/$name.zsc" "$name" COMMON; done
for name in XXX YYY; do program "$work/shared/$name.zsc" "$name" "OWN$name"; done
(cd "$work" && QUILLOX_ALL_TEST_LOG=$work/log "$all" --quillox "$work/slow-quillox" -j 4 shared) \
  </dev/null >"$work/.stdout" 2>"$work/.stderr"
check "exit code" 0 "$?"
check "no two COMMON conversions at once" "" "$(cat "$work/log/overlap" 2>/dev/null)"
check "COMMON conversions in name order" "AAA
BBB
CCC" "$(cat "$work/log/common-order")"
most=$(sort -n "$work/log/at-once" | tail -n 1)
check "other programs alongside" "several at once" "$([ "$most" -ge 2 ] && echo several at once || echo "$most at most")"

# ---------------------------------------------------------------------------------------------
current="a member named like a program of the folder: both refused, nothing lost"
rm -rf -- "$work"
mkdir -p "$work/clash"
program "$work/clash/ACCT.zsc" ACCT NONE
program "$work/clash/MAIN.zsc" MAIN ACCT
program "$work/clash/OTHER.zsc" OTHER NONE
printf '           MOVE 1 TO WS-LEN.\n' >"$work/clash/ACCT"
printf 'the converted ACCT of an earlier run\n' >"$work/clash/ACCT.new"
run -j 2 clash
check "exit code" 1 "$code"
check "stdout" "quillox-all: 3 programs, 1 converted, 2 failed" "$out"
check "stderr" "quillox-all: not converted: clash/ACCT.zsc: clash/ACCT.new is its converted program and the converted copy of member ACCT of clash/MAIN.zsc
quillox-all: not converted: clash/MAIN.zsc: clash/ACCT.new is its converted copy of member ACCT and the converted program of clash/ACCT.zsc
quillox-all: clash/OTHER.zsc: converted, 1 copybook member not found: NONE" "$err"
check "ACCT.new as it was" "the converted ACCT of an earlier run" "$(cat "$work/clash/ACCT.new")"
check "files" "./ACCT
./ACCT.new
./ACCT.zsc
./MAIN.zsc
./OTHER.msg
./OTHER.new
./OTHER.zsc
./quillox-all.record" "$(files_below clash)"

# ---------------------------------------------------------------------------------------------
current="a folder given through a link, a folder beginning with -, a program written .ZSC"
rm -rf -- "$work"
mkdir -p "$work/real" "$work/-app"
program "$work/real/LINKED.zsc" LINKED NONE
ln -s real "$work/via-link"
run via-link/
check "exit code through a link" 0 "$code"
check "stdout through a link" "quillox-all: 1 program, 1 converted, 0 failed" "$out"
check "converted through a link" "./LINKED.msg
./LINKED.new
./LINKED.zsc
./quillox-all.record" "$(files_below real)"
program "$work/-app/-DASH.zsc" DASH NONE
program "$work/-app/UPPER.ZSC" UPPER NONE
run -- -app
check "exit code, folder beginning with -" 0 "$code"
check "stdout, folder beginning with -" "quillox-all: 2 programs, 2 converted, 0 failed" "$out"
check "stderr, folder beginning with -" "quillox-all: -app/-DASH.zsc: converted, 1 copybook member not found: NONE
quillox-all: -app/UPPER.ZSC: converted, 1 copybook member not found: NONE" "$err"
check "converted, and no link made for UPPER.ZSC" "./-DASH.msg
./-DASH.new
./-DASH.zsc
./UPPER.ZSC
./UPPER.msg
./UPPER.new
./quillox-all.record" "$(files_below -app)"
run -app
check "exit code, -app as an option" 2 "$code"
check "stderr, -app as an option" "quillox-all: unknown option -app
Try 'quillox-all --help'." "$err"

# ---------------------------------------------------------------------------------------------
current="copybook folders given with -I, relative to where quillox-all runs"
rm -rf -- "$work"
mkdir -p "$work/app" "$work/lib"
program "$work/app/USER.zsc" USER LIBREC
printf '%s\n' '           MOVE EIBCALEN TO WS-LEN.' >"$work/lib/LIBREC"
run -I lib app
check "exit code" 0 "$code"
check "stderr" "" "$err"
check "member's copy beside the program" "./LIBREC.new
./USER.msg
./USER.new
./USER.zsc
./quillox-all.record" "$(files_below app)"
check "library left alone" "./LIBREC" "$(files_below lib)"

# ---------------------------------------------------------------------------------------------
current="names QUILLOX cannot read and folders without programs"
rm -rf -- "$work"
mkdir -p "$work/odd" "$work/empty"
program "$work/odd/PAY.V2.zsc" PAY NONE
run odd
check "exit code" 1 "$code"
check "stdout" "quillox-all: 1 program, 0 converted, 1 failed" "$out"
check "stderr" "quillox-all: not converted: odd/PAY.V2.zsc: the name holds a period, so QUILLOX would read PAY.zsc instead" "$err"
check "nothing written but the record" "./PAY.V2.zsc
./quillox-all.record" "$(files_below odd)"
run empty
check "exit code, empty folder" 0 "$code"
check "stdout, empty folder" "" "$out"
check "stderr, empty folder" "quillox-all: no program (*.zsc) in empty" "$err"

# ---------------------------------------------------------------------------------------------
# A program with a screen (SEND MAP) and a template whose PROGRAM-ID becomes the front end's
# name and whose &NEWPROG; becomes the converted program's.
screen_program() {  # file program-id
  program "$1" "$2" NONE "EXEC ZARN SEND MAP('M1') MAPSET('S1') ERASE END-EXEC."
}
printf_template() {
  printf '%s\n' '       IDENTIFICATION DIVISION.' '       PROGRAM-ID. TEMPLATE.' \
    "           EXEC ZARN LINK PROGRAM('&NEWPROG;') END-EXEC." >"$1"
}

current="front ends only for programs with screens; a back-end program's front end stays"
rm -rf -- "$work"
mkdir -p "$work/fe"
screen_program "$work/fe/SCREEN.zsc" SCREEN
program "$work/fe/BACK.zsc" BACK NONE
printf 'the user'"'"'s own front end\n' >"$work/fe/BACKFE.cbl"
printf_template "$work/fe/NEWDSP4.TXT"
run --front-end fe
check "exit code" 0 "$code"
check "stdout" "quillox-all: 2 programs, 2 converted, 0 failed; 1 front end built, 1 back-end program without screens" "$out"
check "stderr" "quillox-all: fe/BACK.zsc: converted, 1 copybook member not found: NONE
quillox-all: fe/SCREEN.zsc: converted, 1 copybook member not found: NONE" "$err"
check "back-end front end untouched" "the user's own front end" "$(cat "$work/fe/BACKFE.cbl")"
check "files, no temporary front end left" "./BACK.msg
./BACK.new
./BACK.zsc
./BACKFE.cbl
./NEWDSP4.TXT
./SCREEN.msg
./SCREEN.new
./SCREEN.zsc
./SCREENFE.cbl
./quillox-all.record" "$(files_below fe)"
check "front end named NAMEFE, calling NAME" "       PROGRAM-ID. SCREENFE.
           EXEC ZARN LINK PROGRAM('SCREEN') END-EXEC." \
  "$(sed -n '2,3s/ *$//p' "$work/fe/SCREENFE.cbl")"

current="--template builds the front ends from the file and places nothing beside the programs"
rm -rf -- "$work"
mkdir -p "$work/app/orders"
screen_program "$work/app/orders/GOOD.zsc" GOOD
screen_program "$work/app/SCREEN.zsc" SCREEN
printf_template "$work/TEMPLATE.TXT"
# The user's own NEWDSP4.TXT beside a program is neither used nor changed.
printf 'the user'"'"'s own template\n' >"$work/app/orders/NEWDSP4.TXT"
run --template TEMPLATE.TXT app
check "exit code" 0 "$code"
check "stdout" "quillox-all: 2 programs, 2 converted, 0 failed; 2 front ends built, 0 back-end programs without screens" "$out"
check "no template placed" "./orders/NEWDSP4.TXT" "$(cd "$work/app" && find . -name NEWDSP4.TXT)"
check "user's template kept" "the user's own template" "$(cat "$work/app/orders/NEWDSP4.TXT")"
check "front ends" "./SCREENFE.cbl
./orders/GOODFE.cbl" "$(cd "$work/app" && find . -name '*FE.cbl' | LC_ALL=C sort)"
check "front end from the template" "       PROGRAM-ID. GOODFE.
           EXEC ZARN LINK PROGRAM('GOOD') END-EXEC." \
  "$(sed -n '2,3s/ *$//p' "$work/app/orders/GOODFE.cbl")"

current="two runs with --template on one folder at the same time"
rm -f "$work/app/orders/NEWDSP4.TXT"
front_ends_before=$(cd "$work/app" && cksum SCREENFE.cbl orders/GOODFE.cbl)
(cd "$work" && "$all" --quillox "$quillox" --template TEMPLATE.TXT app) </dev/null >"$work/.first" 2>&1 &
first=$!
(cd "$work" && "$all" --quillox "$quillox" --template TEMPLATE.TXT app) </dev/null >"$work/.second" 2>&1
second_code=$?
wait "$first"
first_code=$?
check "exit codes" "0 0" "$first_code $second_code"
check "front ends as one run writes them" "$front_ends_before" "$(cd "$work/app" && cksum SCREENFE.cbl orders/GOODFE.cbl)"
check "nothing placed, nothing left" "./GOOD.msg
./GOOD.new
./GOOD.zsc
./GOODFE.cbl
./SCREEN.msg
./SCREEN.new
./SCREEN.zsc
./SCREENFE.cbl
./quillox-all.record" "$(cd "$work/app" && find . -type f -o -type l | sed 's#^./orders/#./#' | LC_ALL=C sort)"

current="front ends without a template, and the migration report of the folder"
fresh_application
rm -rf -- "$work/app/BROKEN.zsc"
screen_program "$work/app/SCREEN.zsc" SCREEN
run --front-end app
check "exit code" 0 "$code"
check "stdout" "quillox-all: 3 programs, 3 converted, 0 failed; 0 front ends built, 2 back-end programs without screens, 1 front end not built" "$out"
check "stderr, quillox-all's lines" "quillox-all: app/NOCOPY.zsc: converted, 1 copybook member not found: ABSENT
quillox-all: app/SCREEN.zsc: converted, 1 copybook member not found: NONE
quillox-all: app/SCREEN.zsc: no front end built: no NEWDSP4.TXT beside the program" "$said"
check "no front ends" "" "$(cd "$work/app" && find . -name '*FE*' | LC_ALL=C sort)"
# Each program: 9 lines read, one EXEC ZARN statement, 3 linkage lines inserted; RETURN is
# written in 3 lines (14 in all), SEND MAP as its commented line and 3 moves (15 in all).
(cd "$work" && "$report" app) >/dev/null 2>&1
check "report exit code" 0 "$?"
check "report rows: program, its kind, lines read and written, EXEC ZARN statements" "NOCOPY,back-end,9,14,1
SCREEN,screen,9,15,1
orders/GOOD,back-end,9,14,1" "$(sed 1d "$work/app/migration-report.csv" | cut -d, -f1-5)"
# The page links the view of each converted program and member by the name QUILLOX wrote it
# under; each view stands beside the page and shows that file.
links=$(grep -o 'href="migration-report-files/lines/[^"#]*\.new\.html"' "$work/app/migration-report.html" |
  sed 's|^href="migration-report-files/lines/||; s|\.html"$||' | LC_ALL=C sort -u)
check "report links to converted copies" "NOCOPY.new
SCREEN.new
orders/GOOD.new
orders/GOODREC.new" "$links"
for link in $links; do
  check "linked copy $link exists" "yes" "$([ -f "$work/app/$link" ] && echo yes)"
  check "view of $link shows its first line" "yes" "$(grep -qF "<span id=\"L1\">$(head -n 1 "$work/app/$link" | sed 's/ *$//; s/&/\&amp;/g; s/</\&lt;/g; s/>/\&gt;/g')</span>" \
    "$work/app/migration-report-files/lines/$link.html" && echo yes)"
done

# ---------------------------------------------------------------------------------------------
current="QUILLOX found beside quillox-all"
fresh_application
rm -rf -- "$work/app/BROKEN.zsc"
mkdir -p "$work/bin" "$work/lonely" "$work/no-tools"
cp "$all" "$work/bin/quillox-all"
cp "$all" "$work/lonely/quillox-all"
ln -s "$quillox" "$work/bin/QUILLOX"
# PATH names only a folder of the test's own, so that a QUILLOX installed on the machine is
# never found.
(cd "$work" && PATH=$work/no-tools bin/quillox-all app) </dev/null >"$work/.stdout" 2>"$work/.stderr"
check "exit code" 0 "$?"
check "stdout" "quillox-all: 2 programs, 2 converted, 0 failed" "$(cat "$work/.stdout")"
(cd "$work" && PATH=$work/no-tools lonely/quillox-all app) </dev/null >"$work/.stdout" 2>"$work/.stderr"
check "exit code without QUILLOX" 2 "$?"
check "stderr without QUILLOX" "quillox-all: QUILLOX not found beside quillox-all nor on PATH; name it with --quillox PATH" \
  "$(cat "$work/.stderr")"

# ---------------------------------------------------------------------------------------------
current="wrong command lines"
for arguments in "-j 0 app" "-j x app" "--frobnicate app" "app app" "missing-folder" "--template none.txt app" \
  "-I missing-folder app" "-- app app"; do
  # shellcheck disable=SC2086
  run $arguments
  check "exit code of $arguments" 2 "$code"
done
run app app
check "stderr of two folders" "quillox-all: more than one folder given
Try 'quillox-all --help'." "$err"

current="-j takes 1 to 1024 and refuses anything else"
for jobs in 0 1025 x -1 4x +4 99999999999 ''; do
  run -j "$jobs" app
  check "exit code of -j '$jobs'" 2 "$code"
  check "stderr of -j '$jobs'" "quillox-all: the number of conversions at a time must be a whole number from 1 to 1024: $jobs
Try 'quillox-all --help'." "$err"
done
run app -j
check "stderr of -j without a number" "quillox-all: option -j needs a number
Try 'quillox-all --help'." "$err"
for jobs in -j1024 --jobs=1 "--jobs 7"; do
  # shellcheck disable=SC2086
  run $jobs app
  check "exit code of $jobs" 0 "$code"
done

# ---------------------------------------------------------------------------------------------
current="progress on a terminal only"
fresh_application
run app
case $out in *"$(printf '\r')"*) check "no progress when stdout is no terminal" "" "$out" ;; esac
if command -v script >/dev/null 2>&1; then
  (cd "$work" && script -qec "'$all' --quillox '$quillox' -j 1 app 2>/dev/null" /dev/null) </dev/null >"$work/.tty" 2>&1
  check "progress lines" "quillox-all: 0 of 3 programs done, 0 failed
quillox-all: 1 of 3 programs done, 1 failed
quillox-all: 2 of 3 programs done, 1 failed
quillox-all: 3 of 3 programs done, 1 failed
quillox-all: 3 programs, 2 converted, 1 failed" "$(tr '\r' '\n' <"$work/.tty" | sed '/^$/d')"
else
  echo "note: no 'script' command, the terminal progress is not tested" >&2
fi

# ---------------------------------------------------------------------------------------------
# The record of what each conversion wrote, hand edits refused, --force, stale outputs.
sum() { echo "sha256:$(sha256sum <"$1" | cut -d' ' -f1)"; }
tab=$(printf '\t')

current="the record of a run"
fresh_application
run app
a=$work/app
check "record" "quillox-all record 1
program${tab}BROKEN.zsc${tab}failed${tab}QUILLOX exit code 100
program${tab}NOCOPY.zsc${tab}converted${tab}
output${tab}NOCOPY.new${tab}$(sum "$a/NOCOPY.new")
output${tab}NOCOPY.msg${tab}$(sum "$a/NOCOPY.msg")
program${tab}orders/GOOD.zsc${tab}converted${tab}
output${tab}orders/GOOD.new${tab}$(sum "$a/orders/GOOD.new")
output${tab}orders/GOOD.msg${tab}$(sum "$a/orders/GOOD.msg")
output${tab}orders/GOODREC.new${tab}$(sum "$a/orders/GOODREC.new")" "$(cat "$a/quillox-all.record")"

current="a hand-edited output is refused, the others are converted"
goodrec_sum=$(sum "$a/orders/GOODREC.new")
printf '      * CHANGED BY HAND\n' >>"$a/orders/GOODREC.new"
edited=$(cksum <"$a/orders/GOODREC.new")
nocopy_before=$(cksum <"$a/NOCOPY.new")
touch -d @946684800 "$a/NOCOPY.new"
run app
check "exit code" 1 "$code"
check "stdout" "quillox-all: 3 programs, 1 converted, 2 failed, 1 refused for hand edits" "$out"
check "stderr, quillox-all's lines" "quillox-all: conversion failed: app/BROKEN.zsc (QUILLOX exit code 100)
quillox-all: app/NOCOPY.zsc: converted, 1 copybook member not found: ABSENT
quillox-all: not converted: app/orders/GOOD.zsc: changed by hand since quillox-all wrote it: app/orders/GOODREC.new (--force converts it anyway)" "$said"
check "the hand edit kept" "$edited" "$(cksum <"$a/orders/GOODREC.new")"
check "the others converted again, to the same text" "$nocopy_before" "$(cksum <"$a/NOCOPY.new")"
check "NOCOPY.new written anew" "yes" "$([ "$(stat -c %Y "$a/NOCOPY.new")" != 946684800 ] && echo yes)"
check "record of the refused program keeps its outputs" "program${tab}orders/GOOD.zsc${tab}refused-edited${tab}changed by hand since quillox-all wrote it: app/orders/GOODREC.new (--force converts it anyway)
output${tab}orders/GOODREC.new${tab}$goodrec_sum" \
  "$(sed -n '/orders\/GOOD.zsc/,$p' "$a/quillox-all.record" | grep -v 'GOOD\.new\|GOOD\.msg')"
run app
check "refused again on the next run" 1 "$code"
# The report reads the record: the program that failed, the one refused for its hand edit (with
# the findings of its earlier conversion) and the converted one, each with its reason.
(cd "$work" && "$report" app) >/dev/null 2>&1
check "report exit code" 0 "$?"
check "report states: program, then its state" "BROKEN,failed
NOCOPY,converted with findings
orders/GOOD,refused: hand edits" \
  "$(sed 1d "$a/migration-report.csv" | awk -F, '{ print $1 "," $32 }')"
check "report names why GOOD was refused" "yes" "$(grep -qF '<p class="reason">changed by hand since quillox-all wrote it: app/orders/GOODREC.new (--force converts it anyway)</p>' \
  "$a/migration-report.html" && echo yes)"

current="--force converts a hand-edited program anyway"
run --force app
check "exit code" 1 "$code"
check "stdout" "quillox-all: 3 programs, 2 converted, 1 failed" "$out"
check "the edit replaced" "" "$(grep 'CHANGED BY HAND' "$a/orders/GOODREC.new")"
run app
check "stdout of the next run" "quillox-all: 3 programs, 2 converted, 1 failed" "$out"

current="an output no program writes any more is named as stale"
sed -i '/COPY GOODREC/d' "$a/orders/GOOD.zsc"
run app
check "stdout" "quillox-all: 3 programs, 2 converted, 1 failed; stale outputs of an earlier run: app/orders/GOODREC.new" "$out"
check "the stale copy is left where it is" "yes" "$([ -f "$a/orders/GOODREC.new" ] && echo yes)"
check "the record no longer holds it" "" "$(grep 'GOODREC.new' "$a/quillox-all.record")"

current="a record that is no record of quillox-all stops the run before anything is written"
printf 'my own notes\n' >"$a/quillox-all.record"
before=$(files_below app | tr '\n' ' ')
run app
check "exit code" 1 "$code"
check "stderr" "quillox-all: app/quillox-all.record: no record of quillox-all can be read (its first line is not \"quillox-all record 1\"); move it away, or remove it to convert without one" "$err"
check "nothing written" "$before" "$(files_below app | tr '\n' ' ')"
check "the file kept" "my own notes" "$(cat "$a/quillox-all.record")"

# ---------------------------------------------------------------------------------------------
current="--strict fails a program with copybook members not found"
fresh_application
rm -rf -- "$work/app/BROKEN.zsc"
run app
check "exit code without --strict" 0 "$code"
run --strict app
check "exit code" 1 "$code"
check "stdout" "quillox-all: 2 programs, 1 converted, 1 failed" "$out"
check "stderr" "quillox-all: app/NOCOPY.zsc: converted, 1 copybook member not found: ABSENT
quillox-all: failed under --strict: app/NOCOPY.zsc: 1 line of its message file needs a manual step:
     ***error*** opening copy file ABSENT" "$err"

current="an output that is a FIFO is a clash named at planning, never waited on"
rm "$work/app/NOCOPY.msg"
mkfifo "$work/app/NOCOPY.msg"
(cd "$work" && timeout 60 "$all" --quillox "$quillox" app) </dev/null >"$work/.stdout" 2>"$work/.stderr"
check "exit code" 1 "$?"
check "stdout" "quillox-all: 2 programs, 1 converted, 1 failed" "$(cat "$work/.stdout")"
check "stderr" "quillox-all: not converted: app/NOCOPY.zsc: app/NOCOPY.msg is its message file and a FIFO" \
  "$(cat "$work/.stderr")"
check "still a FIFO" "yes" "$([ -p "$work/app/NOCOPY.msg" ] && echo yes)"

# ---------------------------------------------------------------------------------------------
# Signals: nothing left behind, no process left, the run ends by the signal it got.
large_program() {  # file: a program of a million commands, a second or more to convert
  { printf '       PROCEDURE DIVISION.\n'
    awk 'BEGIN { for (i = 1; i <= 1000000; i++)
                   printf "           EXEC ZARN SEND MAP(%cM1%c) MAPSET(%cS1%c) ERASE END-EXEC.\n", 39, 39, 39, 39 }'
  } >"$1"
}

current="SIGINT while the folder is scanned"
rm -rf -- "$work"
mkdir -p "$work/app" "$work/tmp"
truncate -s 4G "$work/app/HUGE.zsc"  # sparse: long to read, no disk space
(cd "$work" && TMPDIR=$work/tmp exec env --default-signal=INT "$all" --quillox "$quillox" app) \
  </dev/null >"$work/.stdout" 2>"$work/.stderr" &
pid=$!
sleep 0.5
kill -INT "$pid"
wait "$pid"
check "ended by SIGINT" 130 "$?"
check "nothing left in the folder" "./HUGE.zsc" "$(files_below app)"
check "no temporary folder left" "" "$(ls -A "$work/tmp")"

current="SIGQUIT while conversions run"
rm -rf -- "$work"
mkdir -p "$work/app" "$work/tmp" "$work/pids"
large_program "$work/app/BIG1.zsc"
cp "$work/app/BIG1.zsc" "$work/app/BIG2.zsc"
printf 'OLD\n' >"$work/app/BIG1.new"
# A QUILLOX that notes its process id, then becomes the real one.
cat >"$work/noting-quillox" <<EOS
#!/bin/sh
echo \$\$ >>"$work/pids/started"
exec "$quillox" "\$@"
EOS
chmod +x "$work/noting-quillox"
# A command started in the background of a script ignores SIGINT and SIGQUIT unless told otherwise.
(cd "$work" && ulimit -c 0 && TMPDIR=$work/tmp exec env --default-signal=QUIT "$all" --quillox "$work/noting-quillox" -j 2 app) \
  </dev/null >"$work/.stdout" 2>"$work/.stderr" &
pid=$!
tries=0
until [ "$(find "$work/app" -name '.quillox-??????' -size +0 | wc -l)" -ge 2 ] || [ $tries -ge 3000 ]; do
  tries=$((tries + 1))
  sleep 0.01
done
kill -QUIT "$pid"
wait "$pid"
check "ended by SIGQUIT" 131 "$?"
check "both conversions were running" 2 "$(wc -l <"$work/pids/started" | tr -d ' ')"
left=
while read -r child; do kill -0 "$child" 2>/dev/null && left="$left $child"; done <"$work/pids/started"
check "no QUILLOX process left" "" "$left"
check "no temporary file, old output kept" "./BIG1.new
./BIG1.zsc
./BIG2.zsc
./quillox-all.record" "$(files_below app)"
check "old output as it was" "OLD" "$(cat "$work/app/BIG1.new")"
check "no temporary folder left" "" "$(ls -A "$work/tmp")"
check "record of the interrupted run" "quillox-all record 1
program${tab}BIG1.zsc${tab}failed${tab}QUILLOX ended by signal 3
program${tab}BIG2.zsc${tab}failed${tab}QUILLOX ended by signal 3" "$(cat "$work/app/quillox-all.record")"

finish
