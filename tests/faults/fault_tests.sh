#!/usr/bin/env bash
# Fault tests: both tools on hostile inputs and unusable files. Each case runs a tool in a fresh
# folder and checks the exit code, standard output and error, every file the run leaves (byte
# for byte where the rules fix the contents), that no input was changed and that nothing else
# was created. Large inputs are made here at run time, never stored.
#
# Usage: fault_tests.sh CASE QUILLOX NESTLVL RANDOM_BYTES WORK_FOLDER
set -uo pipefail

case_name=$1
quillox=$2
nestlvl=$3
random_bytes=$4
work=$5

rm -rf "$work"
mkdir -p "$work/run" "$work/before" "$work/expected"
cd "$work/run" || exit 2
failures=0

fail() {
  echo "FAIL [$case_name]: $*" >&2
  failures=$((failures + 1))
}

# Keeps a copy of every input file, to tell afterwards that none was changed.
snapshot_inputs() {
  local name
  for name in "$@"; do cp -P "$name" "$work/before/$name"; done
}

# The command prefix that runs a tool as a user without privileges: nothing when the tests do not
# run as root, else setpriv to user and group 65534 (the run folder is handed to that user). A
# case that needs it ends as skipped (exit 77) where that is impossible.
plain_user() {
  plain=()
  [ "$(id -u)" -ne 0 ] && return 0
  command -v setpriv > /dev/null || skip "setpriv is needed to run as a user without privileges"
  plain=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  chown 65534:65534 .
  "${plain[@]}" test -w . || skip "user 65534 cannot reach the run folder $work/run"
}

skip() {
  echo "SKIP [$case_name]: $*"
  exit 77
}

# The permission bits of a file, in octal.
mode_of() { stat -c %a "$1"; }

# Runs a tool in the run folder; its exit code goes to `code`, its output to $work/stdout and
# $work/stderr. A run that takes longer than two minutes is stopped and counts as hanging.
run() {
  timeout 120 "$@" > "$work/stdout" 2> "$work/stderr"
  code=$?
  [ $code -eq 124 ] && fail "hangs: $*"
}

expect_exit() { [ "$code" -eq "$1" ] || fail "exit code $code, expected $1"; }

# Compares a file with the expected text given as printf %b text (escapes allowed).
expect_text() {
  local file=$1 text=$2
  printf '%b' "$text" > "$work/expected/text"
  cmp -s "$work/expected/text" "$file" || {
    fail "$file differs from the expected text"
    diff <(od -c "$work/expected/text" | head -20) <(od -c "$file" | head -20) >&2
  }
}

# The file ends with the given text (printf %b).
expect_ending() {
  local file=$1 text=$2
  printf '%b' "$text" > "$work/expected/ending"
  tail -c "$(stat -c %s "$work/expected/ending")" "$file" | cmp -s - "$work/expected/ending" ||
    fail "$file does not end with the expected text"
}

expect_stdout() { expect_text "$work/stdout" "$1"; }
expect_stderr() { expect_text "$work/stderr" "$1"; }

# Compares a file of the run folder with an expected file made by the case.
expect_file() {
  local name=$1 expected=$2
  if [ ! -f "$name" ]; then
    fail "$name was not written"
  elif ! cmp -s "$expected" "$name"; then
    fail "$name differs from what is expected: $(cmp "$expected" "$name" 2>&1 | head -1)"
  fi
}

# The run folder holds exactly these names, and every input is as it was.
expect_listing() {
  local actual expected name
  actual=$(ls -A | sort | tr '\n' ' ')
  expected=$(printf '%s\n' "$@" | sort | tr '\n' ' ')
  [ "$actual" = "$expected" ] || fail "folder holds [$actual], expected [$expected]"
  for name in $(ls -A "$work/before"); do
    if [ -L "$work/before/$name" ]; then
      [ "$(readlink "$name")" = "$(readlink "$work/before/$name")" ] || fail "link $name changed"
    elif [ -d "$work/before/$name" ]; then
      [ -d "$name" ] || fail "folder $name is gone"
    else
      cmp -s "$work/before/$name" "$name" || fail "input $name was changed"
    fi
  done
}

# Every line of a file filled with blanks to 80 columns, as QUILLOX writes source lines.
pad80() { awk '{ printf "%-80s\n", $0 }' "$1"; }

# The summary report that closes a QUILLOX message file: rows 1 and 2 from the arguments, every
# other count 0 unless given as NAME=VALUE (names as in the list below).
quillox_summary() {
  local -A count=([input]=$1 [output]=$2)
  shift 2
  local pair
  for pair in "$@"; do count[${pair%%=*}]=${pair#*=}; done
  local rows=(
    "\n%5d Input lines read\n:input"
    "%5d Output lines written\n:output"
    "%5d Total copy statements found\n:copy"
    "%5d Total -INC statements found\n:inc"
    "\n%5d EXEC ZARN Statements\n:exec"
    "%5d Total EXEC ZARN LINK statements found\n:link"
    "%5d Total EXEC ZARN XCTL statements found\n:xctl"
    "\n%5d SEND MAP statements\n:send_map"
    "%5d SEND TEXT statements\n:send_text"
    "%5d SEND CONTROL statements\n:send_control"
    "%5d SEND CONVID or SESSION statements\n:send_convid"
    "%5d SEND with FROM or CTLCHAR only\n:send_from_only"
    "%5d SEND with no other parameters\n:send_bare"
    "%5d RECEIVE MAP statements\n:receive_map"
    "%5d RECEIVE BUFFER statementss\n:receive_buffer"
    "%5d CONVERSE statements\n:converse"
    "%5d RETURN statements\n:return"
    "%5d ADDRESS statements\n:address"
    "%5d HANDLE MAPFAIL statements\n:handle_mapfail"
    "%5d HANDLE AID statements\n:handle_aid"
    "%5d ROUTE statements\n:route"
    "\n%5d MAPONLY parameters\n:maponly"
    "%5d DATAONLY parameters\n:dataonly"
    "%5d ERASE parameters\n:erase"
    "%5d ERASEAUP parameters\n:eraseaup"
    "%5d ALARM parameters\n:alarm"
    "%5d ACCUM parameters\n:accum"
    "%5d PAGE parameters\n:page"
    "%5d FRSET statements\n:frset"
    "%5d FREEKB statements\n:freekb"
    "\n%5d EIBAID variables\n:eibaid"
    "%5d EIBTRMID variables\n:eibtrmid"
    "%5d EIBTRNID variables\n:eibtrnid"
    "%5d EIBCALEN variables\n:eibcalen"
    "%5d EIBCPOSN variables\n:eibcposn"
    "\n%5d KVZCOMMAREA references\n:commarea"
    "%5d ASSIGN TERMCODE references\n:assign_termcode"
  )
  local row
  for row in "${rows[@]}"; do
    # shellcheck disable=SC2059
    printf "${row%:*}" "${count[${row##*:}]:-0}"
  done
}

# The two count lines of a NESTLVL message file.
nestlvl_counts() { printf '\nInput lines read %5d\nOutput lines written %5d\n' "$1" "$1"; }

# Lines of a file as NESTLVL counts them: line feeds, plus a last line without one.
line_count() {
  local lines
  lines=$(tr -cd '\n' < "$1" | wc -c)
  [ -s "$1" ] && [ "$(tail -c 1 "$1" | od -An -c | tr -d ' ')" != '\n' ] && lines=$((lines + 1))
  echo "$lines"
}

# True when `copy` differs from `original` only in raised level digits: same size, and every
# byte that differs is a digit raised by one, or a 9 that became 0 (the tens digit then rose).
only_digits_raised() {
  [ "$(stat -c %s "$1")" = "$(stat -c %s "$2")" ] || return 1
  { cmp -l "$1" "$2" || true; } | awk '
    { a = strtonum_octal($2); b = strtonum_octal($3)
      if (!(a >= 48 && a <= 56 && b == a + 1) && !(a == 57 && b == 48)) bad = 1 }
    END { exit bad }
    function strtonum_octal(s,   n, i) { n = 0; for (i = 1; i <= length(s); i++) n = n * 8 + substr(s, i, 1); return n }'
}

# A short program without commands, used by the unusable-file cases.
write_small_program() {
  printf '       IDENTIFICATION DIVISION.\n       PROGRAM-ID. SMALL.\n       DATA DIVISION.\n' > PROG.zsc
}


# A program that copies the member MEMB, with a command, for the cases of outputs that would
# replace what the run reads; MEMB, the template and old outputs stand beside it.
write_program_with_member_and_template() {
  printf '       DATA DIVISION.\n       COPY MEMB.\n       PROCEDURE DIVISION.\n           EXEC ZARN SEND MAP('"'M1'"') END-EXEC.\n' > PROG.zsc
  printf '       01  REC PIC X.\n' > MEMB
  printf '       PROGRAM-ID. OLDFE.\n      * INSERT ZVL SEND HERE\n' > NEWDSP4.TXT
  printf 'OLD CONVERTED PROGRAM\n' > PROG.new
  printf 'OLD MESSAGES\n' > PROG.msg
  printf 'OLD FRONT END\n' > FE.cbl
}

# Runs COMMAND... in the background and sends it `signal` (number `number`) once a temporary
# file of the tool (a hidden file named PREFIX and six more characters) has begun to fill; the
# run must end by that signal.
interrupt_once_output_began() {
  local prefix=$1 signal=$2 number=$3 tries=0
  shift 3
  # A command started in the background of a script ignores SIGINT unless told otherwise; a
  # core dump of SIGQUIT is not wanted in the folder.
  (ulimit -c 0; exec env --default-signal "$@") > "$work/stdout" 2> "$work/stderr" &
  local pid=$!
  until [ -n "$(find . -maxdepth 1 -name "$prefix??????" -size +0 2>/dev/null)" ]; do
    tries=$((tries + 1))
    [ $tries -lt 3000 ] || { fail "the output never began"; break; }
    sleep 0.01
  done
  kill -s "$signal" "$pid"
  wait "$pid"
  code=$?
  expect_exit $((128 + number))
}

# A program of a million commands, to be stopped while it is converted, beside old outputs.
write_large_program_and_old_outputs() {
  { printf '       PROCEDURE DIVISION.\n'
    awk 'BEGIN { for (i = 1; i <= 1000000; i++)
                   printf "           EXEC ZARN SEND MAP(%cM1%c) MAPSET(%cS1%c) ERASE END-EXEC.\n", 39, 39, 39, 39 }'
  } > PROG.zsc
  printf 'OLD CONVERTED PROGRAM\n' > PROG.new
  printf 'OLD MESSAGES\n' > PROG.msg
  snapshot_inputs PROG.zsc PROG.new PROG.msg
}

# Interrupts a conversion of a large program with `signal` once its output has begun: every old
# file stays as it was and no temporary file is left.
interrupt_large_conversion() {
  write_large_program_and_old_outputs
  interrupt_once_output_began .quillox- "$1" "$2" "$quillox" PROG
  expect_listing PROG.zsc PROG.new PROG.msg
}

case $case_name in

  quillox_message_file_on_full_device)
    # The message file is a link to a full device, written directly: the run goes to its end,
    # names the file and replaces no output, so the old converted program stays.
    write_small_program
    ln -s /dev/full PROG.msg
    printf 'OLD CONVERTED PROGRAM\n' > PROG.new
    snapshot_inputs PROG.zsc PROG.msg PROG.new
    run "$quillox" PROG
    expect_exit 100
    expect_stdout ""
    expect_stderr "QUILLOX: error writing PROG.msg\n"
    expect_listing PROG.zsc PROG.msg PROG.new
    ;;

  quillox_member_output_on_full_device)
    # The member's ".new" file is a full device: the member is still converted to its end, the
    # exit code tells of the lost output, and no other output replaces anything.
    printf '       DATA DIVISION.\n       COPY MEMB.\n' > PROG.zsc
    printf '       01  REC.\n           05  FIELD PIC X.\n' > MEMB
    ln -s /dev/full MEMB.new
    snapshot_inputs PROG.zsc MEMB MEMB.new
    run "$quillox" PROG
    expect_exit 100
    expect_stdout ""
    expect_stderr "QUILLOX: error writing MEMB.new\n"
    expect_listing PROG.zsc MEMB MEMB.new
    ;;

  quillox_front_end_on_full_device)
    printf '       PROCEDURE DIVISION.\n           EXEC ZARN SEND MAP('"'M1'"') MAPSET('"'S1'"') END-EXEC.\n' > PROG.zsc
    printf '       PROGRAM-ID. OLDFE.\n      * INSERT ZVL SEND HERE\n' > NEWDSP4.TXT
    snapshot_inputs PROG.zsc NEWDSP4.TXT
    run "$quillox" PROG NEWPROG.cbl /dev/full
    expect_exit 100
    expect_stdout ""
    expect_stderr "QUILLOX: error writing /dev/full\n"
    expect_listing PROG.zsc NEWDSP4.TXT
    ;;

  quillox_directory_as_member_and_template)
    # A member or a template that is a folder cannot be opened; the run goes on, without a front
    # end.
    printf '       PROCEDURE DIVISION.\n           COPY MEMB.\n           EXEC ZARN RETURN END-EXEC.\n' > PROG.zsc
    mkdir MEMB NEWDSP4.TXT
    snapshot_inputs PROG.zsc MEMB NEWDSP4.TXT
    run "$quillox" PROG NEWPROG.cbl FRONT.cbl
    expect_exit 0
    expect_stdout ""
    expect_stderr "QUILLOX: copy member MEMB not found\nQUILLOX: no front end written: NEWDSP4.TXT not found\n"
    grep -q '^  opening copy book MEMB at line 2$' PROG.msg || fail "no opening line for MEMB"
    grep -q '^ \*\*\*error\*\*\* opening copy file MEMB$' PROG.msg || fail "no error line for MEMB"
    expect_ending PROG.msg '\n Unable to open DSP4 template file NEWDSP4.TXT - no front end written\n'
    expect_listing PROG.zsc MEMB NEWDSP4.TXT NEWPROG.cbl PROG.msg
    ;;

  quillox_input_named_through_path_or_link)
    # A second or third argument that names the program itself, spelled differently or through
    # a link, is ignored with the warning; the program is never opened for writing.
    write_small_program
    ln -s PROG.zsc LINK.zsc
    snapshot_inputs PROG.zsc LINK.zsc
    run "$quillox" PROG ./PROG.zsc LINK.zsc
    expect_exit 0
    expect_stdout "Old and new names are the same - ignoring new nameOld and new names are the same - ignoring new front end name"
    expect_stderr ""
    pad80 PROG.zsc > "$work/expected/PROG.new"
    expect_file PROG.new "$work/expected/PROG.new"
    quillox_summary 3 3 > "$work/expected/PROG.msg"
    expect_file PROG.msg "$work/expected/PROG.msg"
    run "$quillox" PROG LINK.zsc
    expect_exit 0
    expect_stdout "Old and new names are the same - ignoring new name"
    expect_file PROG.new "$work/expected/PROG.new"
    expect_listing PROG.zsc LINK.zsc PROG.new PROG.msg
    ;;

  quillox_long_line_without_line_end)
    # One line of 1,048,576 characters and no line end is read in pieces of 254 characters,
    # each written as a line of its own; the last piece (64 characters) is filled to 80.
    yes 'ABCDEFGHIJ' | tr '\n' ' ' | head -c 1048576 > PROG.zsc
    snapshot_inputs PROG.zsc
    run "$quillox" PROG
    expect_exit 0
    expect_stdout ""
    expect_stderr ""
    fold -b -w 254 PROG.zsc | pad80 /dev/stdin > "$work/expected/PROG.new"
    expect_file PROG.new "$work/expected/PROG.new"
    quillox_summary 4129 4129 > "$work/expected/PROG.msg"
    expect_file PROG.msg "$work/expected/PROG.msg"
    expect_listing PROG.zsc PROG.new PROG.msg
    ;;

  quillox_200000_lines_without_commands)
    awk 'BEGIN { for (i = 1; i <= 200000; i++)
                   printf "%06d     MOVE WS-FIELD-%d TO WS-TOTAL(%d).\n", i % 1000000, i, i % 50 }' > PROG.zsc
    snapshot_inputs PROG.zsc
    run "$quillox" PROG
    expect_exit 0
    expect_stdout ""
    expect_stderr ""
    pad80 PROG.zsc > "$work/expected/PROG.new"
    expect_file PROG.new "$work/expected/PROG.new"
    quillox_summary 200000 200000 > "$work/expected/PROG.msg"
    expect_file PROG.msg "$work/expected/PROG.msg"
    expect_listing PROG.zsc PROG.new PROG.msg
    ;;

  quillox_program_all_commands)
    # Every line is an EXEC ZARN command and none is a PROCEDURE DIVISION line, so none is in
    # the procedure division: all are copied as they are, filled to 80 columns.
    awk 'BEGIN { for (i = 1; i <= 50000; i++)
                   printf "           EXEC ZARN SEND MAP(%cM%05d%c) ERASE END-EXEC.\n", 39, i, 39 }' > PROG.zsc
    snapshot_inputs PROG.zsc
    run "$quillox" PROG
    expect_exit 0
    expect_stdout ""
    expect_stderr ""
    pad80 PROG.zsc > "$work/expected/PROG.new"
    expect_file PROG.new "$work/expected/PROG.new"
    quillox_summary 50000 50000 > "$work/expected/PROG.msg"
    expect_file PROG.msg "$work/expected/PROG.msg"
    expect_listing PROG.zsc PROG.new PROG.msg
    ;;

  quillox_procedure_of_commands_only)
    # A procedure division of 20,000 SEND MAP commands for as many maps, with a front end: every
    # command is converted and every request kept, so the front end has 20,000 blocks and each
    # request counts as a FREEKB statement.
    { printf '       PROCEDURE DIVISION.\n'
      awk 'BEGIN { for (i = 1; i <= 20000; i++)
                     printf "           EXEC ZARN SEND MAP(%cM%05d%c) MAPSET(%cS1%c) FREEKB END-EXEC.\n", 39, i, 39, 39, 39 }'
    } > PROG.zsc
    printf '       IDENTIFICATION DIVISION.\n       PROGRAM-ID. OLDFE.\n      * INSERT ZVL SEND HERE\n' > NEWDSP4.TXT
    snapshot_inputs PROG.zsc NEWDSP4.TXT
    run "$quillox" PROG NEWPROG.cbl FRONTEND.cbl
    expect_exit 0
    expect_stdout ""
    expect_stderr ""
    { printf '       LINKAGE SECTION.\n       01 KVZCOMMAREA.\n           COPY STDHEAD.\n'
      printf '%-80s\n' '       PROCEDURE DIVISION.'
      awk 'NR > 1 { print "      *" substr($0, 8)
                    map = substr($0, 31, 8)
                    printf "%-80s\n", "           MOVE " map " TO USRMAPNAME."
                    printf "%-80s\n", "           MOVE " sprintf("%cS1%c", 39, 39) " TO USRMAPSET." }' PROG.zsc
    } > "$work/expected/NEWPROG.cbl"
    expect_file NEWPROG.cbl "$work/expected/NEWPROG.cbl"
    { printf '%-80s\n' '       IDENTIFICATION DIVISION.' '       PROGRAM-ID. FRONTEND.'
      awk 'BEGIN { q = sprintf("%c", 39)
                   for (i = 1; i <= 20000; i++) {
                     map = sprintf("%sM%05d%s", q, i, q)
                     printf "%-80s\n", "           IF USRMAPNAME = " map " AND"
                     printf "%-80s\n", "               ERASESW IS EQUAL TO " q " " q " AND"
                     printf "%-80s\n", "               ALARMSW IS EQUAL TO " q " " q " AND"
                     printf "%-80s\n", "               SENDTYPE IS EQUAL TO " q " " q " THEN"
                     printf "%-80s\n", "               EXEC ZARN SEND MAP(" map ") MAPSET(" q "S1" q ")"
                     printf "%-80s\n", "                     FREEKB  END-EXEC"
                     printf "%-80s\n", "           END-IF" } }'
    } > "$work/expected/FRONTEND.cbl"
    expect_file FRONTEND.cbl "$work/expected/FRONTEND.cbl"
    { printf 'line 0001 - LINKAGE SECTION INSERTED\n'
      awk 'BEGIN { for (i = 1; i <= 20000; i++)
                     printf "line %.4d - ZARN SEND MAP handled for map %cM%05d%c mapset %cS1%c\n", 5 + 3 * (i - 1), 39, i, 39, 39, 39 }'
      quillox_summary 20001 60004 exec=20000 send_map=20000 freekb=20000
      printf '\n Creating new DSP4 front end prototype file - FRONTEND\n'
      printf 'Number of ZVL SEND statements found in original Program -    20000\n'
    } > "$work/expected/PROG.msg"
    expect_file PROG.msg "$work/expected/PROG.msg"
    expect_listing PROG.zsc NEWDSP4.TXT NEWPROG.cbl FRONTEND.cbl PROG.msg
    ;;

  quillox_random_bytes)
    # A megabyte of random bytes (NULs, carriage returns, bytes over 127): no crash, exit 0,
    # nothing but the converted program and the message file created.
    "$random_bytes" 1048576 8 > PROG.zsc
    snapshot_inputs PROG.zsc
    run "$quillox" PROG NEWPROG.cbl FRONT.cbl
    expect_exit 0
    expect_stdout ""
    expect_stderr ""
    [ -s NEWPROG.cbl ] || fail "no converted program"
    expect_ending PROG.msg '    0 ASSIGN TERMCODE references\n'
    expect_listing PROG.zsc NEWPROG.cbl PROG.msg
    ;;

  quillox_second_argument_names_a_member | quillox_second_argument_names_the_template | \
  quillox_message_file_links_to_the_template)
    # An output whose name denotes a file the run read (a member, the template; through a link
    # too): nothing is replaced, and standard error names the output.
    write_program_with_member_and_template
    arguments=(PROG NEW.cbl FE.cbl)
    refused=NEW.cbl
    said=
    case $case_name in
      # The member itself is then no member the run may read: it is not found.
      *names_a_member) arguments=(PROG MEMB FE.cbl) refused=MEMB said="QUILLOX: copy member MEMB not found\n" ;;
      *names_the_template) arguments=(PROG NEWDSP4.TXT FE.cbl) refused=NEWDSP4.TXT ;;
      *links_to_the_template) rm PROG.msg && ln -s NEWDSP4.TXT PROG.msg && refused=PROG.msg ;;
    esac
    snapshot_inputs PROG.zsc MEMB NEWDSP4.TXT PROG.new PROG.msg FE.cbl
    run "$quillox" "${arguments[@]}"
    expect_exit 100
    expect_stdout ""
    expect_stderr "${said}QUILLOX: $refused is read by this run - no output written\n"
    expect_listing PROG.zsc MEMB NEWDSP4.TXT PROG.new PROG.msg FE.cbl
    ;;

  quillox_message_file_is_a_folder)
    # An output name that is a folder is refused before anything is read or written: the old
    # converted program stays.
    write_small_program
    mkdir PROG.msg
    printf 'OLD CONVERTED PROGRAM\n' > PROG.new
    snapshot_inputs PROG.zsc PROG.msg PROG.new
    run "$quillox" PROG
    expect_exit 100
    expect_stdout ""
    expect_stderr "QUILLOX: cannot open PROG.msg: Is a directory\n"
    expect_listing PROG.zsc PROG.msg PROG.new
    ;;

  quillox_interrupted_by_sigint)
    interrupt_large_conversion INT 2
    ;;

  quillox_interrupted_by_sigterm)
    interrupt_large_conversion TERM 15
    ;;

  quillox_member_fifo_and_folder)
    # Only regular files are read: a member that is a FIFO (nobody writes to it) and one that is
    # a folder are refused, and the run goes to its end without waiting.
    printf '       DATA DIVISION.\n       COPY PIPE.\n       COPY DIR.\n' > PROG.zsc
    mkfifo PIPE
    mkdir DIR
    # The FIFO itself is not copied (reading it would wait for a writer): it must stay a FIFO.
    snapshot_inputs PROG.zsc DIR
    run "$quillox" PROG
    expect_exit 0
    expect_stdout ""
    expect_stderr "QUILLOX: copy member PIPE not found\nQUILLOX: copy member DIR not found\n"
    { printf '  opening copy book PIPE at line 2\n ***error*** opening copy file PIPE\n'
      printf '  opening copy book DIR at line 3\n ***error*** opening copy file DIR\n'
      quillox_summary 3 3 copy=2; } > "$work/expected/PROG.msg"
    expect_file PROG.msg "$work/expected/PROG.msg"
    [ -p PIPE ] || fail "PIPE is no longer a FIFO"
    expect_listing PROG.zsc PIPE DIR PROG.new PROG.msg
    ;;

  quillox_template_missing_old_front_end)
    # No template anywhere: the old front end is neither emptied nor replaced, and both the
    # message file and standard error say why; the conversion itself succeeds.
    printf '       PROCEDURE DIVISION.\n           EXEC ZARN SEND MAP('"'M1'"') END-EXEC.\n' > PROG.zsc
    printf 'OLD FRONT END, CHANGED BY HAND\n' > FE.cbl
    snapshot_inputs PROG.zsc FE.cbl
    run "$quillox" PROG NEW.cbl FE.cbl
    expect_exit 0
    expect_stdout ""
    expect_stderr "QUILLOX: no front end written: NEWDSP4.TXT not found\n"
    expect_ending PROG.msg '\n Unable to open DSP4 template file NEWDSP4.TXT - no front end written\n'
    expect_listing PROG.zsc FE.cbl NEW.cbl PROG.msg
    ;;

  quillox_output_is_standard_output)
    # The converted program named as standard output, through a link to /proc/self/fd/1: with
    # standard output redirected to a file the file gets the program and the link stays a link;
    # on a pipe it is written as it is.
    write_small_program
    ln -s /proc/self/fd/1 OUT
    printf 'OLD MESSAGES\n' > PROG.msg
    snapshot_inputs PROG.zsc OUT
    timeout 120 "$quillox" PROG OUT > out.txt 2> "$work/stderr"
    code=$?
    expect_exit 0
    expect_stderr ""
    printf '%-80s\n' '       IDENTIFICATION DIVISION.' '       PROGRAM-ID. OUT.' \
      '       DATA DIVISION.' > "$work/expected/out.txt"
    expect_file out.txt "$work/expected/out.txt"
    { printf 'line 0002 - PROGRAM-ID paragraph changed\n'; quillox_summary 3 3; } > "$work/expected/PROG.msg"
    expect_file PROG.msg "$work/expected/PROG.msg"
    timeout 120 "$quillox" PROG OUT 2> "$work/stderr" | cat > piped.txt
    expect_file piped.txt "$work/expected/out.txt"
    expect_file PROG.msg "$work/expected/PROG.msg"
    expect_listing PROG.zsc OUT out.txt piped.txt PROG.msg
    ;;

  nestlvl_output_is_standard_output)
    printf '       01  REC.\n           05  FIELD PIC X.\n' > CUST.CPY
    ln -s /proc/self/fd/1 COPY
    snapshot_inputs CUST.CPY COPY
    timeout 120 "$nestlvl" CUST.CPY COPY > copy.txt 2> "$work/stderr"
    code=$?
    expect_exit 0
    expect_stderr ""
    expect_text copy.txt '       02  REC.\n           06  FIELD PIC X.\n'
    nestlvl_counts 2 > "$work/expected/CUST.msg"
    expect_file CUST.msg "$work/expected/CUST.msg"
    timeout 120 "$nestlvl" CUST.CPY COPY | cat > piped.txt
    expect_text piped.txt '       02  REC.\n           06  FIELD PIC X.\n'
    expect_listing CUST.CPY COPY copy.txt piped.txt CUST.msg
    ;;

  quillox_outputs_that_are_links)
    # A link to a regular file writes that file, which keeps its mode; a dangling link creates
    # its target; both links stay links.
    write_small_program
    mkdir lib
    printf 'OLD CONVERTED PROGRAM\n' > lib/REAL.cbl
    chmod 0640 lib/REAL.cbl
    ln -s lib/REAL.cbl NEW.cbl
    ln -s lib/MESSAGES PROG.msg
    snapshot_inputs PROG.zsc NEW.cbl PROG.msg
    run "$quillox" PROG NEW.cbl
    expect_exit 0
    expect_stderr ""
    printf '%-80s\n' '       IDENTIFICATION DIVISION.' '       PROGRAM-ID. NEW.' \
      '       DATA DIVISION.' > "$work/expected/REAL.cbl"
    expect_file lib/REAL.cbl "$work/expected/REAL.cbl"
    [ "$(mode_of lib/REAL.cbl)" = 640 ] || fail "lib/REAL.cbl has mode $(mode_of lib/REAL.cbl), not 640"
    { printf 'line 0002 - PROGRAM-ID paragraph changed\n'; quillox_summary 3 3; } > "$work/expected/MESSAGES"
    expect_file lib/MESSAGES "$work/expected/MESSAGES"
    [ "$(ls -A lib | tr '\n' ' ')" = "MESSAGES REAL.cbl " ] || fail "lib holds $(ls -A lib)"
    expect_listing PROG.zsc NEW.cbl PROG.msg lib
    ;;

  quillox_outputs_0600_and_0444)
    # As a user without privileges: 0600 and 0640 outputs are replaced and keep their modes; a
    # 0444 output is refused before anything is written, by QUILLOX and by NESTLVL.
    plain_user
    write_small_program
    printf 'OLD CONVERTED PROGRAM\n' > PROG.new
    printf 'OLD MESSAGES\n' > PROG.msg
    printf '       01  REC.\n' > CUST.CPY
    printf 'OLD COPY\n' > CUST.new
    chmod 0600 PROG.new
    chmod 0640 PROG.msg
    chmod 0444 CUST.new
    [ "$(id -u)" -eq 0 ] && chown 65534:65534 PROG.new PROG.msg CUST.new
    run "${plain[@]}" "$quillox" PROG
    expect_exit 0
    expect_stderr ""
    pad80 PROG.zsc > "$work/expected/PROG.new"
    expect_file PROG.new "$work/expected/PROG.new"
    [ "$(mode_of PROG.new)" = 600 ] || fail "PROG.new has mode $(mode_of PROG.new), not 600"
    [ "$(mode_of PROG.msg)" = 640 ] || fail "PROG.msg has mode $(mode_of PROG.msg), not 640"
    chmod 0444 PROG.new
    snapshot_inputs PROG.zsc PROG.new PROG.msg CUST.CPY CUST.new
    run "${plain[@]}" "$quillox" PROG
    expect_exit 100
    expect_stdout ""
    expect_stderr "QUILLOX: cannot open PROG.new: Permission denied\n"
    run "${plain[@]}" "$nestlvl" CUST.CPY
    expect_exit 100
    expect_stderr "NESTLVL: cannot open CUST.new: Permission denied\n"
    expect_listing PROG.zsc PROG.new PROG.msg CUST.CPY CUST.new
    ;;

  quillox_sticky_folder_with_another_users_copy)
    # In a folder with the sticky bit, a member's old copy that belongs to another user cannot
    # be replaced: the run is refused and no output is replaced, not half of them.
    [ "$(id -u)" -eq 0 ] || skip "only root can give the member's copy to another user"
    plain_user
    # The folder is root's: only its owner, or a file's, may replace a file in it.
    chown 0:0 .
    chmod 1777 .
    printf '       DATA DIVISION.\n       COPY MEMB.\n' > PROG.zsc
    printf '       01  REC PIC X.\n' > MEMB
    printf 'OLD CONVERTED PROGRAM\n' > PROG.new
    printf 'OLD MESSAGES\n' > PROG.msg
    printf 'ANOTHER USER'"'"'S COPY\n' > MEMB.new
    chmod 0666 MEMB.new
    chown 65534:65534 PROG.new PROG.msg
    snapshot_inputs PROG.zsc MEMB PROG.new PROG.msg MEMB.new
    run "${plain[@]}" "$quillox" PROG
    expect_exit 100
    expect_stdout ""
    expect_stderr "QUILLOX: cannot open MEMB.new: it is another user's file in a folder with the sticky bit\n"
    expect_listing PROG.zsc MEMB PROG.new PROG.msg MEMB.new
    ;;

  quillox_interrupted_by_sigquit)
    interrupt_large_conversion QUIT 3
    ;;

  quillox_interrupted_by_sigpipe)
    # The converted program goes to a pipe whose reader stops early: SIGPIPE ends the run, the
    # message file's temporary file goes with it, and the old message file stays.
    write_large_program_and_old_outputs
    ln -s /proc/self/fd/1 OUT
    snapshot_inputs OUT
    (env --default-signal=PIPE "$quillox" PROG OUT 2> "$work/stderr"; echo $? > "$work/code") |
      head -c 1000 > head.txt
    code=$(cat "$work/code")
    expect_exit 141
    [ "$(stat -c %s head.txt)" = 1000 ] || fail "head.txt holds $(stat -c %s head.txt) bytes"
    expect_listing PROG.zsc PROG.new PROG.msg OUT head.txt
    ;;

  quillox_file_size_limit)
    # A file size limit of 1 MiB stops the run by SIGXFSZ: no temporary file left, no old file
    # changed.
    write_large_program_and_old_outputs
    (ulimit -c 0 -f 1024; exec env --default-signal=XFSZ "$quillox" PROG) > "$work/stdout" 2> "$work/stderr"
    code=$?
    expect_exit $((128 + 25))
    expect_listing PROG.zsc PROG.new PROG.msg
    ;;

  quillox_names_of_255_bytes)
    # Names of 255 bytes, the longest a folder holds: the temporary names stay short.
    program=$(printf 'P%.0s' {1..251})
    copybook=$(printf 'C%.0s' {1..251})
    write_small_program
    mv PROG.zsc "$program.zsc"
    printf '       01  REC.\n' > "$copybook.CPY"
    snapshot_inputs "$program.zsc" "$copybook.CPY"
    run "$quillox" "$program"
    expect_exit 0
    expect_stderr ""
    pad80 "$program.zsc" > "$work/expected/program.new"
    expect_file "$program.new" "$work/expected/program.new"
    quillox_summary 3 3 > "$work/expected/program.msg"
    expect_file "$program.msg" "$work/expected/program.msg"
    run "$nestlvl" "$copybook.CPY"
    expect_exit 0
    expect_stderr ""
    expect_text "$copybook.new" '       02  REC.\n'
    nestlvl_counts 1 > "$work/expected/copybook.msg"
    expect_file "$copybook.msg" "$work/expected/copybook.msg"
    expect_listing "$program.zsc" "$program.new" "$program.msg" "$copybook.CPY" "$copybook.new" \
      "$copybook.msg"
    ;;

  quillox_two_members_on_one_copy)
    # CUST.REC and CUST.KEY would both be converted to CUST.new: the clash is named and nothing
    # is written, the old CUST.new included.
    printf "       DATA DIVISION.\n       COPY 'CUST.REC'.\n       COPY 'CUST.KEY'.\n" > PROG.zsc
    printf '       01  CUST-REC PIC X.\n' > CUST.REC
    printf '       01  CUST-KEY PIC X.\n' > CUST.KEY
    printf 'OLD COPY\n' > CUST.new
    snapshot_inputs PROG.zsc CUST.REC CUST.KEY CUST.new
    run "$quillox" PROG
    expect_exit 100
    expect_stdout ""
    expect_stderr "QUILLOX: CUST.REC and CUST.KEY would both be written to CUST.new - no output written\n"
    expect_listing PROG.zsc CUST.REC CUST.KEY CUST.new
    ;;

  quillox_members_named_with_paths)
    # COPY ../X and COPY /abs/lib/DATA read those files and write X.new and DATA.new in the
    # working folder, never beside the members.
    mkdir -p ../lib
    printf '       DATA DIVISION.\n       COPY ../X.\n       COPY %s/DATA.\n' "$work/lib" > PROG.zsc
    printf '       01  X-REC PIC X.\n' > ../X
    printf '       01  D-REC PIC X.\n' > ../lib/DATA
    snapshot_inputs PROG.zsc
    run "$quillox" PROG
    expect_exit 0
    expect_stderr ""
    pad80 ../X > "$work/expected/X.new"
    expect_file X.new "$work/expected/X.new"
    pad80 ../lib/DATA > "$work/expected/DATA.new"
    expect_file DATA.new "$work/expected/DATA.new"
    pad80 PROG.zsc > "$work/expected/PROG.new"
    expect_file PROG.new "$work/expected/PROG.new"
    { printf '  opening copy book ../X at line 2\n  1 lines read in copy book\n  1 lines written in copy book\n'
      printf '  opening copy book %s/DATA at line 3\n  1 lines read in copy book\n  1 lines written in copy book\n' "$work/lib"
      quillox_summary 3 3 copy=2; } > "$work/expected/PROG.msg"
    expect_file PROG.msg "$work/expected/PROG.msg"
    expect_text ../X '       01  X-REC PIC X.\n'
    [ "$(ls -A ../lib)" = DATA ] || fail "../lib holds $(ls -A ../lib | tr '\n' ' ')"
    [ ! -e ../X.new ] || fail "../X.new was written"
    expect_listing PROG.zsc X.new DATA.new PROG.new PROG.msg
    ;;

  quillox_members_found_with_extension_and_beside_the_program)
    # QUILLOX src/PROG: CUSTREC is found beside the program, ACCT as ACCT.cpy in the working
    # folder; their copies are written in the working folder, the program's outputs in src.
    mkdir src
    printf '       DATA DIVISION.\n       COPY CUSTREC.\n       COPY ACCT.\n' > src/PROG.zsc
    printf '       01  CUST-REC PIC X.\n' > src/CUSTREC
    printf '       01  ACCT-REC PIC X.\n' > ACCT.cpy
    cp src/PROG.zsc src/CUSTREC "$work/before/"
    snapshot_inputs ACCT.cpy
    run "$quillox" src/PROG
    expect_exit 0
    expect_stderr ""
    pad80 src/CUSTREC > "$work/expected/CUSTREC.new"
    expect_file CUSTREC.new "$work/expected/CUSTREC.new"
    pad80 ACCT.cpy > "$work/expected/ACCT.new"
    expect_file ACCT.new "$work/expected/ACCT.new"
    pad80 src/PROG.zsc > "$work/expected/PROG.new"
    expect_file src/PROG.new "$work/expected/PROG.new"
    { printf '  opening copy book CUSTREC at line 2\n  1 lines read in copy book\n  1 lines written in copy book\n'
      printf '  opening copy book ACCT at line 3\n  1 lines read in copy book\n  1 lines written in copy book\n'
      quillox_summary 3 3 copy=2; } > "$work/expected/PROG.msg"
    expect_file src/PROG.msg "$work/expected/PROG.msg"
    cmp -s src/PROG.zsc "$work/before/PROG.zsc" || fail "src/PROG.zsc was changed"
    cmp -s src/CUSTREC "$work/before/CUSTREC" || fail "src/CUSTREC was changed"
    [ "$(ls -A src | tr '\n' ' ')" = "CUSTREC PROG.msg PROG.new PROG.zsc " ] || fail "src holds $(ls -A src)"
    rm "$work/before/PROG.zsc" "$work/before/CUSTREC"
    expect_listing src ACCT.cpy CUSTREC.new ACCT.new
    ;;

  quillox_program_named_in_capitals)
    # QUILLOX UPPER reads UPPER.ZSC when there is no UPPER.zsc; no link is needed.
    write_small_program
    mv PROG.zsc UPPER.ZSC
    snapshot_inputs UPPER.ZSC
    run "$quillox" UPPER
    expect_exit 0
    expect_stderr ""
    pad80 UPPER.ZSC > "$work/expected/UPPER.new"
    expect_file UPPER.new "$work/expected/UPPER.new"
    quillox_summary 3 3 > "$work/expected/UPPER.msg"
    expect_file UPPER.msg "$work/expected/UPPER.msg"
    expect_listing UPPER.ZSC UPPER.new UPPER.msg
    ;;

  quillox_20000_distinct_members)
    # A program copying 20,000 distinct members, every second one found as NAME.cpy: each is
    # converted to its own .new and logged in order. (Its time is measured by the benchmark.)
    awk 'BEGIN { print "       DATA DIVISION."
                 for (i = 1; i <= 20000; i++) printf "       COPY M%05d.\n", i }' > PROG.zsc
    awk -v folder="$PWD" 'BEGIN { for (i = 1; i <= 20000; i++) {
                   name = sprintf("M%05d", i) (i % 2 ? "" : ".cpy")
                   printf "       01  M%05d-REC PIC X.\n", i > (folder "/" name); close(folder "/" name) } }'
    cat M????? M?????.cpy > "$work/before/members"
    run "$quillox" PROG
    expect_exit 0
    expect_stderr ""
    awk 'BEGIN { for (i = 1; i <= 20000; i++) printf "%-80s\n", sprintf("       01  M%05d-REC PIC X.", i) }' > "$work/expected/members.new"
    cat M?????.new | cmp -s - "$work/expected/members.new" || fail "the members' copies differ from what is expected"
    pad80 PROG.zsc > "$work/expected/PROG.new"
    expect_file PROG.new "$work/expected/PROG.new"
    { awk 'BEGIN { for (i = 1; i <= 20000; i++)
                     printf "  opening copy book M%05d at line %d\n  1 lines read in copy book\n  1 lines written in copy book\n", i, i + 1 }'
      quillox_summary 20001 20001 copy=20000; } > "$work/expected/PROG.msg"
    expect_file PROG.msg "$work/expected/PROG.msg"
    cat M????? M?????.cpy | cmp -s - "$work/before/members" || fail "a member was changed"
    [ "$(ls -A | wc -l)" = 40003 ] || fail "the folder holds $(ls -A | wc -l) names, not 40003"
    [ -z "$(ls -A | grep -v -E '^(M[0-9]{5}(\.cpy|\.new)?|PROG\.(zsc|new|msg))$')" ] ||
      fail "the folder holds other names: $(ls -A | grep -v -E '^(M[0-9]{5}(\.cpy|\.new)?|PROG\.(zsc|new|msg))$' | head -3)"
    ;;

  nestlvl_copybook_in_a_folder)
    # NESTLVL ./lib/CUST.CPY writes lib/CUST.new and lib/CUST.msg, so find -exec converts a
    # folder of copybooks beside them and leaves no hidden .new.
    mkdir lib
    printf '       01  CUST.\n' > lib/CUST.CPY
    printf '       05  ACCT.\n' > lib/ACCT.CPY
    run "$nestlvl" ./lib/CUST.CPY
    expect_exit 0
    expect_stderr ""
    expect_text lib/CUST.new '       02  CUST.\n'
    find ./lib -name '*.CPY' -exec "$nestlvl" {} \;
    expect_text lib/ACCT.new '       06  ACCT.\n'
    expect_text lib/CUST.new '       02  CUST.\n'
    nestlvl_counts 1 > "$work/expected/counts"
    expect_file lib/CUST.msg "$work/expected/counts"
    expect_file lib/ACCT.msg "$work/expected/counts"
    expect_text lib/CUST.CPY '       01  CUST.\n'
    expect_text lib/ACCT.CPY '       05  ACCT.\n'
    [ "$(ls -A lib | tr '\n' ' ')" = "ACCT.CPY ACCT.msg ACCT.new CUST.CPY CUST.msg CUST.new " ] ||
      fail "lib holds $(ls -A lib | tr '\n' ' ')"
    expect_listing lib
    ;;

  quillox_standard_output_on_full_device)
    # Standard output that cannot be written: the usage text, the help, the version and a
    # warning all end with exit 100 and the reason, and nothing is written.
    write_small_program
    printf 'OLD CONVERTED PROGRAM\n' > PROG.new
    snapshot_inputs PROG.zsc PROG.new
    for arguments in "" "--help" "--version" "PROG PROG"; do
      # shellcheck disable=SC2086
      timeout 120 "$quillox" $arguments > /dev/full 2> "$work/stderr"
      code=$?
      expect_exit 100
      expect_stderr "QUILLOX: error writing standard output: No space left on device\n"
    done
    for arguments in "" "--help" "--version"; do
      # shellcheck disable=SC2086
      timeout 120 "$nestlvl" $arguments > /dev/full 2> "$work/stderr"
      code=$?
      expect_exit 100
      expect_stderr "NESTLVL: error writing standard output: No space left on device\n"
    done
    expect_listing PROG.zsc PROG.new
    ;;

  nestlvl_interrupted_by_sigint)
    # NESTLVL interrupted once its copy has begun: old files unchanged, no temporary file. The
    # input is a sparse file of 4 GiB (one line of NUL bytes): long to copy, yet no disk space.
    truncate -s 4G CUST.cpy
    printf 'OLD COPY\n' > CUST.new
    snapshot_inputs CUST.new
    interrupt_once_output_began .nestlvl- INT 2 "$nestlvl" CUST.cpy
    [ "$(stat -c %s CUST.cpy)" = 4294967296 ] || fail "the input changed its size"
    expect_listing CUST.cpy CUST.new
    ;;

  nestlvl_message_file_on_full_device)
    # The message file is a link to a full device, written directly: the run names it and
    # replaces no output, so the old copy stays.
    printf '       01  REC.\n           05  FIELD PIC X.\n' > CUST.cpy
    ln -s /dev/full CUST.msg
    printf 'OLD COPY\n' > CUST.new
    snapshot_inputs CUST.cpy CUST.msg CUST.new
    run "$nestlvl" CUST.cpy
    expect_exit 100
    expect_stdout ""
    expect_stderr "NESTLVL: error writing CUST.msg\n"
    expect_listing CUST.cpy CUST.msg CUST.new
    ;;

  nestlvl_long_line_without_line_end)
    # A line of 1,048,576 characters without a line end is one line: copied unchanged but for
    # its level number, counted once.
    { printf '000100     05  FIELD '; yes 'ABCDEFGHIJ' | tr '\n' ' ' | head -c 1048555; } > CUST.cpy
    snapshot_inputs CUST.cpy
    run "$nestlvl" CUST.cpy
    expect_exit 0
    expect_stdout ""
    expect_stderr ""
    sed '1s/^000100     05/000100     06/' CUST.cpy | head -c 1048576 > "$work/expected/CUST.new"
    expect_file CUST.new "$work/expected/CUST.new"
    nestlvl_counts 1 > "$work/expected/CUST.msg"
    expect_file CUST.msg "$work/expected/CUST.msg"
    expect_listing CUST.cpy CUST.new CUST.msg
    ;;

  nestlvl_200000_lines)
    awk 'BEGIN { for (i = 1; i <= 200000; i++)
                   printf "%06d     %02d  FIELD-%d PIC X(%d).\n", i % 1000000, 1 + (i % 48), i, i % 80 + 1 }' > CUST.cpy
    snapshot_inputs CUST.cpy
    run "$nestlvl" CUST.cpy
    expect_exit 0
    expect_stdout ""
    expect_stderr ""
    awk 'BEGIN { for (i = 1; i <= 200000; i++)
                   printf "%06d     %02d  FIELD-%d PIC X(%d).\n", i % 1000000, 2 + (i % 48), i, i % 80 + 1 }' > "$work/expected/CUST.new"
    expect_file CUST.new "$work/expected/CUST.new"
    nestlvl_counts 200000 > "$work/expected/CUST.msg"
    expect_file CUST.msg "$work/expected/CUST.msg"
    expect_listing CUST.cpy CUST.new CUST.msg
    ;;

  nestlvl_all_commands)
    # A file of EXEC ZARN commands holds no level number: copied byte for byte.
    awk 'BEGIN { for (i = 1; i <= 50000; i++)
                   printf "           EXEC ZARN SEND MAP(%cM%05d%c) ERASE END-EXEC.\n", 39, i, 39 }' > CUST.cpy
    snapshot_inputs CUST.cpy
    run "$nestlvl" CUST.cpy
    expect_exit 0
    expect_stdout ""
    expect_stderr ""
    expect_file CUST.new CUST.cpy
    nestlvl_counts 50000 > "$work/expected/CUST.msg"
    expect_file CUST.msg "$work/expected/CUST.msg"
    expect_listing CUST.cpy CUST.new CUST.msg
    ;;

  nestlvl_random_bytes)
    # Random bytes: the copy differs from the input only in raised digits, and the message file
    # starts with the count of lines.
    "$random_bytes" 1048576 9 > CUST.cpy
    snapshot_inputs CUST.cpy
    run "$nestlvl" CUST.cpy
    expect_exit 0
    expect_stdout ""
    expect_stderr ""
    [ -f CUST.new ] || fail "no copy written"
    only_digits_raised CUST.cpy CUST.new || fail "the copy differs from the input in more than level digits"
    nestlvl_counts "$(line_count CUST.cpy)" > "$work/expected/counts"
    head -c "$(stat -c %s "$work/expected/counts")" CUST.msg | cmp -s - "$work/expected/counts" ||
      fail "the message file does not start with the line counts"
    expect_listing CUST.cpy CUST.new CUST.msg
    ;;

  *)
    echo "unknown case $case_name" >&2
    exit 2
    ;;
esac

if [ $failures -ne 0 ]; then
  echo "$case_name: $failures failure(s); files left in $work/run" >&2
  exit 1
fi
echo "$case_name: passed"
