#!/bin/sh
# The shipped dialogues played against finished conversions, and faults put into a finished
# conversion that a dialogue must catch.
#
#   replay_dialogues.sh setup WORK QUILLOX-ALL QUILLOX NESTLVL SAMPLES EXAMPLE
#     WORK/samples: the samples converted and finished by finish_samples.sh (their dialogues
#     come with them); WORK/application: the same for the example application (the samples and
#     docs/example-application together), with the hand step PRICE01 needs: its map areas, which
#     the program declares itself, moved after USRCOMM in the program and its front end.
#   replay_dialogues.sh play front-end|client QUILLOX-REPLAY WORK
#     every shipped dialogue, through that way: each step passes.
#   replay_dialogues.sh faults QUILLOX-REPLAY WORK
#     one fault at a time in a copy of WORK/samples: the dialogue fails at the step named.
#   replay_dialogues.sh modes QUILLOX-REPLAY WORK
#     --record writes the original's results into a script, --against converted checks them.
#   replay_dialogues.sh limits QUILLOX-REPLAY WORK
#     a task that loops is ended at its time limit, a program that does not compile is named.
#   replay_dialogues.sh without-cobc QUILLOX-REPLAY WORK
#     without GnuCOBOL on PATH the tool says so (needs no GnuCOBOL itself).
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../support/checks.sh"

setup() {
  work=$1 all=$2 quillox=$3 nestlvl=$4 samples=$5 example=$6
  rm -rf "$work"
  mkdir -p "$work" || exit 2
  sh "$here/../cobol/finish_samples.sh" "$all" "$quillox" "$nestlvl" "$samples" "$work/samples" > "$work/samples.log" ||
    { cat "$work/samples.log"; exit 1; }
  mkdir -p "$work/application-source"
  cp -R "$samples/." "$example/." "$work/application-source/"
  # The example application's programs that cannot be finished by the messages alone make the
  # finishing script complain; what it finishes is finished.
  sh "$here/../cobol/finish_samples.sh" "$all" "$quillox" "$nestlvl" "$work/application-source" \
    "$work/application" > "$work/application.log" 2>&1
  app=$work/application
  # PRICE01's hand step: PRC1O and PRC1I leave WORKING-STORAGE and follow USRCOMM, at level 02,
  # in the converted program and in its front end.
  areas='           02  PRC1O                   PIC X(80).\n           02  PRC1I                   PIC X(80).'
  awk -v areas="$areas" '
    /^       01  PRC1[OI] / { next }
    { print }
    /^           COPY STDHEAD\./ { print "           02  USRCOMM                 PIC X."; printf "%s\n", areas }
  ' "$app/PRICE01.new" > "$app/PRICE01.step" && mv "$app/PRICE01.step" "$app/PRICE01.new"
  awk -v areas="$areas" '
    /^           02  USRCOMM / { print "           02  USRCOMM                 PIC X."; printf "%s\n", areas; next }
    { print }
  ' "$app/PRICE01FE.cbl" > "$app/PRICE01FE.step" && mv "$app/PRICE01FE.step" "$app/PRICE01FE.cbl"
  check "PRC1I follows USRCOMM in the converted program" 1 "$(grep -c '^           02  PRC1I ' "$app/PRICE01.new")"
  check "PRC1I follows USRCOMM in the front end" 1 "$(grep -c '^           02  PRC1I ' "$app/PRICE01FE.cbl")"
  finish
}

# plays FOLDER SCRIPT WAY [-I DIR]: every step of the script passes, and the closing line counts
# as many steps as the script has.
plays() {
  folder=$1 script=$2 way=$3
  shift 3
  current="$script through the $way"
  steps=$(grep -c '^step ' "$folder/$script")
  (cd "$folder" && "$replay" --through "$way" "$@" "$script") > "$out" 2>&1
  check "exit code" 0 "$?"
  check "closing line" "$steps steps: $steps pass, 0 fail" "$(tail -n 1 "$out")"
  check "no step fails" "" "$(grep -E '\.\.\. (FAIL|cannot be played)$' "$out")"
}

play() {
  way=$1 replay=$2 work=$3
  out=$work/play-$way.out
  for script in MENU01.dlg ORDENT.dlg STKINQ.dlg; do plays "$work/samples" "$script" "$way"; done
  plays "$work/samples" PAYSTAT.dlg "$way"
  [ "$way" = client ] || check "PAYSTAT is played through the client" \
    "PAYSTAT has no screens and no front end: played through the client" "$(head -n 1 "$out")"
  plays "$work/samples/inquiry/cbl" CUSTINQ.dlg "$way" -I ../cpy
  plays "$work/application" PRICE01.dlg "$way"
  finish
}

# caught NAME FILE PROGRAM SCRIPT STEP DIFFERENCE: with the fault made by the command that
# follows on FILE, the script fails at STEP (its line), naming DIFFERENCE under it.
caught() {
  name=$1 file=$2 script=$3 step=$4 difference=$5
  shift 5
  current="fault: $name"
  copy=$work/fault
  rm -rf "$copy"
  cp -R "$work/samples" "$copy"
  folder=$copy
  [ "$script" = CUSTINQ.dlg ] && folder=$copy/inquiry/cbl
  before=$(cksum < "$folder/$file")
  "$@" "$folder/$file" > "$folder/$file.fault" && mv "$folder/$file.fault" "$folder/$file"
  [ "$before" != "$(cksum < "$folder/$file")" ] || check "the fault changed $file" changed unchanged
  set --
  [ "$script" = CUSTINQ.dlg ] && set -- -I ../cpy
  (cd "$folder" && "$replay" "$@" "$script") > "$work/fault.out" 2>&1
  check "exit code" 1 "$?"
  check "the first step that fails" "$step" "$(grep -m 1 ' \.\.\. FAIL$' "$work/fault.out")"
  check "the difference named" "  $difference" \
    "$(sed -n "/^$step\$/,/^step /p" "$work/fault.out" | grep -Fx "  $difference")"
}

faults() {
  replay=$1 work=$2
  caught "a GO TO changed" MENU01.new MENU01.dlg "step 2 choice 3 is refused ... FAIL" \
    'MSGO: original "CHOICE MUST BE 1 OR 2", converted ""' \
    sed 's/GO TO 2000-READ-CHOICE/GO TO 1000-SHOW-MENU /'
  caught "a MOVE TO NXTRNID dropped" MENU01.new MENU01.dlg "step 1 first call shows the menu ... FAIL" \
    "next transaction: original MNU1, converted none" \
    sed "/MOVE 'MNU1' TO NXTRNID/d"
  caught "a SENDTYPE move dropped" CUSTINQ.new CUSTINQ.dlg "step 2 a customer number is taken ... FAIL" \
    "SENDTYPE-controlled screen CUSTM1 not sent" \
    sed "/MOVE 'D' TO SENDTYPE/d"
  caught "an AID block removed" MENU01.new MENU01.dlg "step 11 PF3 ends the session ... FAIL" \
    "text not sent" \
    sed '/IF USRAID IS EQUAL TO KVZPF3/,/END-IF/d'
  caught "a map area left in WORKING-STORAGE" MENU01.new MENU01.dlg "step 1 first call shows the menu ... FAIL" \
    'CHOICEO: original 1 null, converted ""' \
    awk '/COPY MENUSET2\./ { next } { print } /COPY KVZAID\./ { print "           COPY MENUSET." }'
  finish
}

modes() {
  replay=$1 work=$2
  folder=$work/samples
  current="--record"
  cat > "$folder/RECORD.dlg" <<'SCRIPT'
program MENU01
transaction MNU1
step "menu"
  start
  expect next XXXX
step "three"
  key ENTER
  field CHOICEI "3"
  # the choice is refused
step "clear"
  key CLEAR
SCRIPT
  (cd "$folder" && "$replay" --record RECORD.dlg) > "$work/modes.out" 2>&1
  check "exit code" 0 "$?"
  check "closing line" "3 steps recorded in RECORD.dlg" "$(tail -n 1 "$work/modes.out")"
  check "the script with the original's results" 'program MENU01
transaction MNU1
step "menu"
  start
  expect map MENU1 MENUSET
  expect next MNU1
step "three"
  key ENTER
  field CHOICEI "3"
  expect map MENU1 MENUSET
  expect field MSGO "CHOICE MUST BE 1 OR 2"
  expect next MNU1
  # the choice is refused
step "clear"
  key CLEAR
  expect text "ORDER ENTRY SESSION ENDED"
  expect end' "$(cat "$folder/RECORD.dlg")"
  current="--against converted"
  (cd "$folder" && "$replay" --against converted RECORD.dlg) > "$work/modes.out" 2>&1
  check "exit code" 0 "$?"
  check "closing line" "3 steps: 3 pass, 0 fail" "$(tail -n 1 "$work/modes.out")"
  sed 's/"CHOICE MUST BE 1 OR 2"/"CHOICE MUST BE 2"/' "$folder/RECORD.dlg" > "$folder/WRONG.dlg"
  (cd "$folder" && "$replay" --against converted --through client WRONG.dlg) > "$work/modes.out" 2>&1
  check "exit code of a wrong expectation" 1 "$?"
  check "what it names" 'step 2 three ... FAIL
  expected MSGO "CHOICE MUST BE 2", converted "CHOICE MUST BE 1 OR 2"' \
    "$(grep -A 1 '^step 2 ' "$work/modes.out")"
  finish
}

limits() {
  replay=$1 work=$2
  folder=$work/limits
  rm -rf "$folder"
  mkdir -p "$folder"
  printf '%s\n' '       IDENTIFICATION DIVISION.' '       PROGRAM-ID. LOOP.' '       PROCEDURE DIVISION.' \
    '           PERFORM UNTIL 1 = 0' '               CONTINUE' '           END-PERFORM.' > "$folder/LOOP.zsc"
  printf '%s\n' 'program LOOP' 'transaction LOOP' 'step "it loops"' '  start' > "$folder/LOOP.dlg"
  current="a task that loops"
  (cd "$folder" && "$replay" --record --timeout 1 LOOP.dlg) > "$work/limits.out" 2> "$work/limits.err"
  check "exit code" 2 "$?"
  check "the step" "step 1 it loops ... cannot be played" "$(tail -n 1 "$work/limits.out")"
  check "why" "quillox-replay: LOOP.dlg: step 1: the task of the original side did not end within 1 second" \
    "$(cat "$work/limits.err")"
  printf '%s\n' '       IDENTIFICATION DIVISION.' '       PROGRAM-ID. BROKEN.' '       PROCEDURE DIVISION.' \
    '           MOVE 1 TO NOWHERE-DECLARED.' > "$folder/BROKEN.zsc"
  printf '%s\n' 'program BROKEN' 'transaction BRK1' 'step "first"' '  start' > "$folder/BROKEN.dlg"
  current="a program that does not compile"
  (cd "$folder" && "$replay" --record --keep kept BROKEN.dlg) > "$work/limits.out" 2> "$work/limits.err"
  check "exit code" 2 "$?"
  check "what is named" "quillox-replay: BROKEN.cbl (original) does not compile, see $folder/kept/BROKEN/original/BROKEN.cbl:" \
    "$(head -n 1 "$work/limits.err")"
  check "the compiler's words" 1 "$(grep -c "NOWHERE-DECLARED' is not defined" "$work/limits.err")"
  # Two programs that cannot be played and name each other through fields are each looked at
  # once: the program that may reach them by its own field is still played. A folder of their
  # own, since a name in a field reaches every program of the folder.
  folder=$work/limits/fields
  mkdir -p "$folder"
  printf '%s\n' '       IDENTIFICATION DIVISION.' '       PROGRAM-ID. CALLER.' '       DATA DIVISION.' \
    '       WORKING-STORAGE SECTION.' "       01  WS-NEXT PIC X(8) VALUE 'PINGA'." \
    '       PROCEDURE DIVISION.' '           EXEC ZARN RETURN END-EXEC.' \
    '           EXEC ZARN XCTL PROGRAM(WS-NEXT) END-EXEC.' > "$folder/CALLER.zsc"
  for ping in PINGA PINGB; do
    printf '%s\n' '       IDENTIFICATION DIVISION.' "       PROGRAM-ID. $ping." '       DATA DIVISION.' \
      '       WORKING-STORAGE SECTION.' "       01  WS-NEXT PIC X(8) VALUE 'PINGB'." \
      '       PROCEDURE DIVISION.' '           EXEC ZARN CONVERSE FROM(WS-NEXT) END-EXEC.' \
      '           EXEC ZARN XCTL PROGRAM(WS-NEXT) END-EXEC.' > "$folder/$ping.zsc"
  done
  printf '%s\n' 'program CALLER' 'transaction CAL1' 'step "first"' '  start' > "$folder/CALLER.dlg"
  current="programs that name each other through fields and cannot be played"
  (cd "$folder" && timeout 120 "$replay" --record CALLER.dlg) > "$work/limits.out" 2> "$work/limits.err"
  check "exit code" 0 "$?"
  check "the step" "step 1 first ... recorded" "$(grep "^step 1 " "$work/limits.out")"
  finish
}

without_cobc() {
  replay=$1 work=$2
  mkdir -p "$work"
  printf '%s\n' 'program P' 'transaction P1' 'step "first"' '  start' > "$work/P.dlg"
  current="without cobc"
  (cd "$work" && PATH=/nonexistent "$replay" P.dlg) > "$work/nocobc.out" 2> "$work/nocobc.err"
  check "exit code" 2 "$?"
  check "stdout" "" "$(cat "$work/nocobc.out")"
  check "why" "quillox-replay: GnuCOBOL's cobc is needed to play a dialogue and is not on PATH: install GnuCOBOL" \
    "$(cat "$work/nocobc.err")"
  finish
}

mode=${1:-}
[ $# -gt 0 ] && shift
case $mode in
  setup) [ $# -eq 6 ] && setup "$@" ;;
  play) [ $# -eq 3 ] && play "$@" ;;
  faults) [ $# -eq 2 ] && faults "$@" ;;
  modes) [ $# -eq 2 ] && modes "$@" ;;
  limits) [ $# -eq 2 ] && limits "$@" ;;
  without-cobc) [ $# -eq 2 ] && without_cobc "$@" ;;
  *) echo "usage: replay_dialogues.sh setup|play|faults|modes|limits|without-cobc ..." >&2; exit 2 ;;
esac
