#!/bin/sh
# End-to-end tests of quillox-all with the real QUILLOX: a folder of programs converted in their
# own folders, failures named, sources left as they were, reruns, the template and the search
# for QUILLOX, and quillox-report over the converted folder.
#
# Usage: quillox_all_test.sh QUILLOX-ALL QUILLOX QUILLOX-REPORT WORK_FOLDER
set -u
[ $# -eq 4 ] || { echo "usage: quillox_all_test.sh QUILLOX-ALL QUILLOX QUILLOX-REPORT WORK_FOLDER" >&2; exit 2; }
script=$1 quillox=$2 report=$3 work=$4
case $script in /*) ;; *) script=$(pwd)/$script ;; esac
case $quillox in /*) ;; *) quillox=$(pwd)/$quillox ;; esac
case $report in /*) ;; *) report=$(pwd)/$report ;; esac

passed=0
failed=0
current=

check() {  # what expected actual
  if [ "$2" = "$3" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAILED %s: %s\n--- expected\n%s\n--- actual\n%s\n---\n' "$current" "$1" "$2" "$3" >&2
  fi
}

# Runs quillox-all in $work with the real QUILLOX and the arguments given; leaves exit code,
# stdout and stderr.
run() {
  (cd "$work" && sh "$script" --quillox "$quillox" "$@") </dev/null >"$work/.stdout" 2>"$work/.stderr"
  code=$?
  out=$(cat "$work/.stdout")
  err=$(cat "$work/.stderr")
}

files_below() { (cd "$work/$1" && find . -type f | LC_ALL=C sort); }
sums_of() { (cd "$work/$1" && find . -name '*.zsc' -type f -exec cksum {} \; | LC_ALL=C sort); }

program() {  # file program-id copy-member
  printf '%s\n' \
    '       IDENTIFICATION DIVISION.' \
    "       PROGRAM-ID. $2." \
    '       DATA DIVISION.' \
    '       WORKING-STORAGE SECTION.' \
    '       01  WS-LEN PIC S9(4) COMP.' \
    '       PROCEDURE DIVISION.' \
    '           MOVE EIBCALEN TO WS-LEN.' \
    "           COPY $3." \
    '           EXEC ZARN RETURN END-EXEC.' >"$1"
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
check "stderr" "quillox-all: conversion failed: app/BROKEN.zsc (QUILLOX exit code 100)
    QUILLOX: cannot open BROKEN.zsc: Is a directory" "$err"
check "files" "./NOCOPY.msg
./NOCOPY.new
./NOCOPY.zsc
./orders/GOOD.msg
./orders/GOOD.new
./orders/GOOD.zsc
./orders/GOODREC
./orders/GOODREC.new" "$(files_below app)"
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
check "stderr" "quillox-all: conversion failed: app/BROKEN.zsc (QUILLOX exit code 100)
    QUILLOX: cannot open BROKEN.zsc: Is a directory" "$err"
check "sources unchanged" "$sources_before" "$(sums_of app)"
check "same outputs" "$first_outputs" \
  "$(cd "$work/app" && cksum NOCOPY.msg NOCOPY.new orders/GOOD.msg orders/GOOD.new orders/GOODREC.new)"
check "no new files" 8 "$(files_below app | wc -l | tr -d ' ')"

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
log=$QUILLOX_ALL_TEST_LOG
touch "$log/running.$1"
ls "$log" | grep -c '^running\.' >>"$log/at-once"
if grep -q 'COPY COMMON' "$1.zsc"; then
  mkdir "$log/common" 2>/dev/null || echo "$1" >>"$log/overlap"
  sleep 1
  echo "$1" >>"$log/common-order"
  rmdir "$log/common" 2>/dev/null
else
  sleep 1
fi
rm -f "$log/running.$1"
: >"$1.new"
: >"$1.msg"
EOF
chmod +x "$work/slow-quillox"
printf '           COPY COMMON.\n' >"$work/shared/COMMON"
for name in AAA BBB CCC; do program "$work/shared/$name.zsc" "$name" COMMON; done
for name in XXX YYY; do program "$work/shared/$name.zsc" "$name" "OWN$name"; done
(cd "$work" && QUILLOX_ALL_TEST_LOG=$work/log sh "$script" --quillox "$work/slow-quillox" -j 4 shared) \
  </dev/null >"$work/.stdout" 2>"$work/.stderr"
check "exit code" 0 "$?"
check "no two COMMON conversions at once" "" "$(cat "$work/log/overlap" 2>/dev/null)"
check "COMMON conversions in name order" "AAA
BBB
CCC" "$(cat "$work/log/common-order")"
most=$(sort -n "$work/log/at-once" | tail -n 1)
check "other programs alongside" "several at once" "$([ "$most" -ge 2 ] && echo several at once || echo "$most at most")"

# ---------------------------------------------------------------------------------------------
current="names QUILLOX cannot read and folders without programs"
rm -rf -- "$work"
mkdir -p "$work/odd" "$work/empty"
program "$work/odd/PAY.V2.zsc" PAY NONE
run odd
check "exit code" 1 "$code"
check "stdout" "quillox-all: 1 programs, 0 converted, 1 failed" "$out"
check "stderr" "quillox-all: not converted: odd/PAY.V2.zsc: the name holds a period, so QUILLOX would read PAY.zsc instead" "$err"
check "nothing written" "./PAY.V2.zsc" "$(files_below odd)"
run empty
check "exit code, empty folder" 0 "$code"
check "stdout, empty folder" "" "$out"
check "stderr, empty folder" "quillox-all: no program (*.zsc) in empty" "$err"

# ---------------------------------------------------------------------------------------------
current="the template is put beside the programs for the run only"
fresh_application
rm -rf -- "$work/app/BROKEN.zsc"
printf '%s\n' '       IDENTIFICATION DIVISION.' '       PROGRAM-ID. TEMPLATE.' >"$work/TEMPLATE.TXT"
run --template TEMPLATE.TXT app
check "exit code" 0 "$code"
check "stderr" "" "$err"
check "no template left behind" "" "$(find "$work/app" -name NEWDSP4.TXT)"
check "front ends" "./NOCOPYFE.cbl
./orders/GOODFE.cbl" "$(cd "$work/app" && find . -name '*FE.cbl' | LC_ALL=C sort)"

current="a different NEWDSP4.TXT of the user's is never replaced"
printf 'the user'"'"'s own template\n' >"$work/app/orders/NEWDSP4.TXT"
run --template TEMPLATE.TXT app
check "exit code" 1 "$code"
check "stdout" "quillox-all: 2 programs, 1 converted, 1 failed" "$out"
check "stderr" "quillox-all: not converted: app/orders/GOOD.zsc: app/orders/NEWDSP4.TXT differs from the template and is not replaced" "$err"
check "user's template kept" "the user's own template" "$(cat "$work/app/orders/NEWDSP4.TXT")"
check "no template left in the other folder" "" "$(find "$work/app" -maxdepth 1 -name NEWDSP4.TXT)"

current="front ends without a template, and the migration report of the folder"
fresh_application
rm -rf -- "$work/app/BROKEN.zsc"
run --front-end app
check "exit code" 0 "$code"
check "stdout" "quillox-all: 2 programs, 2 converted, 0 failed" "$out"
check "stderr" "quillox-all: app/NOCOPY.zsc: QUILLOX said:
    QUILLOX: no front end written: NEWDSP4.TXT not found
quillox-all: app/orders/GOOD.zsc: QUILLOX said:
    QUILLOX: no front end written: NEWDSP4.TXT not found" "$err"
check "no front ends" "" "$(cd "$work/app" && find . -name '*FE.cbl' | LC_ALL=C sort)"
# Each program: 9 lines read, 14 written (3 linkage lines inserted, RETURN in 3 lines), one
# EXEC ZARN statement; NOCOPY has a copybook error; neither has a front end.
(cd "$work" && "$report" app) >/dev/null 2>&1
check "report exit code" 0 "$?"
check "report rows" "NOCOPY,back-end,9,14,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1,0,1,0,2
orders/GOOD,back-end,9,14,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1,0,1" "$(sed 1d "$work/app/migration-report.csv")"

# ---------------------------------------------------------------------------------------------
current="QUILLOX found beside quillox-all"
fresh_application
rm -rf -- "$work/app/BROKEN.zsc"
mkdir -p "$work/bin" "$work/lonely"
cp "$script" "$work/bin/quillox-all"
cp "$script" "$work/lonely/quillox-all"
ln -s "$quillox" "$work/bin/QUILLOX"
(cd "$work" && PATH=/usr/bin:/bin sh bin/quillox-all app) </dev/null >"$work/.stdout" 2>"$work/.stderr"
check "exit code" 0 "$?"
check "stdout" "quillox-all: 2 programs, 2 converted, 0 failed" "$(cat "$work/.stdout")"
(cd "$work" && PATH=/usr/bin:/bin sh lonely/quillox-all app) </dev/null >"$work/.stdout" 2>"$work/.stderr"
check "exit code without QUILLOX" 2 "$?"
check "stderr without QUILLOX" "quillox-all: QUILLOX not found beside quillox-all nor on PATH; name it with --quillox PATH" \
  "$(cat "$work/.stderr")"

# ---------------------------------------------------------------------------------------------
current="wrong command lines"
for arguments in "-j 0 app" "-j x app" "--frobnicate app" "app app" "missing-folder" "--template none.txt app"; do
  # shellcheck disable=SC2086
  run $arguments
  check "exit code of $arguments" 2 "$code"
done
run -j 0 app
check "stderr of -j 0" "quillox-all: the number of conversions at a time must be a whole number above 0: 0
Try 'quillox-all --help'." "$err"

# ---------------------------------------------------------------------------------------------
current="progress on a terminal only"
fresh_application
run app
case $out in *"$(printf '\r')"*) check "no progress when stdout is no terminal" "" "$out" ;; esac
if command -v script >/dev/null 2>&1; then
  (cd "$work" && script -qec "sh '$script' --quillox '$quillox' -j 1 app 2>/dev/null" /dev/null) </dev/null >"$work/.tty" 2>&1
  check "progress lines" "quillox-all: 0 of 3 programs done, 0 failed
quillox-all: 1 of 3 programs done, 1 failed
quillox-all: 2 of 3 programs done, 1 failed
quillox-all: 3 of 3 programs done, 1 failed
quillox-all: 3 programs, 2 converted, 1 failed" "$(tr '\r' '\n' <"$work/.tty" | sed '/^$/d')"
else
  echo "note: no 'script' command, the terminal progress is not tested" >&2
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
