#!/bin/sh
# Converts every sample program (every *.zsc below the samples folder) with a front end
# requested, has GnuCOBOL check the converted program with its converted members and the
# front end, then applies exactly the manual steps that the program's message file names and
# has GnuCOBOL check it again. A program must compile right after its conversion exactly when
# its message file names no such step, and every program must compile after the steps.
#
# GnuCOBOL does not know the monitor's commands, so each EXEC ZARN command still in the output
# is first replaced by CONTINUE (exec_to_continue.pl) in a copy. A program whose folder has a
# "cpy" folder beside it (cbl/ and cpy/) is converted with -I naming that folder.
#
# Usage: compile_converted_samples.sh QUILLOX COBC SAMPLES_FOLDER
set -eu

quillox=$1
cobc=$2
samples=$(cd "$3" && pwd)
helper="$(cd "$(dirname "$0")" && pwd)/exec_to_continue.pl"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -R "$samples" "$work/convert"

fail() {
  echo "FAILED: $*"
  exit 1
}

# The compiler must reject what it does not know, or passing proves nothing.
printf '%s\n' '       IDENTIFICATION DIVISION.' '       PROGRAM-ID. NEGATIVE.' \
  '       PROCEDURE DIVISION.' '           MOVE UNKNOWN-FIELD TO USRMAPNAME.' > "$work/NEGATIVE.cbl"
if (cd "$work" && "$cobc" -fsyntax-only -fixed NEGATIVE.cbl > /dev/null 2>&1); then
  fail "the compiler accepted an undeclared name"
fi

# compiles FOLDER FILE...: every file, with its commands stood in, compiles for syntax only in
# FOLDER (which holds the copybooks it copies).
compiles() {
  into=$1
  shift
  for file in "$@"; do
    name=$(basename "$file")
    perl "$helper" "$file" > "$into/$name" || fail "$file ends inside an EXEC ZARN command"
    (cd "$into" && "$cobc" -fsyntax-only -fixed -I . "$name" > "$into/$name.log" 2>&1) || return 1
  done
}

# apply_steps MESSAGES PROGRAM: makes in PROGRAM the changes that the message file asks for,
# as a user would. Prints the steps applied.
apply_steps() {
  if grep -q '^ *line [0-9]* - \*\*\* KVZAID is not copied' "$1"; then
    awk '{ print } toupper($0) ~ /WORKING-STORAGE SECTION/ && !done { print "           COPY KVZAID."; done = 1 }' \
      "$2" > "$2.step" && mv "$2.step" "$2"
    echo "COPY KVZAID"
  fi
  if grep -q '^ *line [0-9]* - \*\*\* USRCOMM has no layout' "$1"; then
    if grep -q '^      \* Insert User COMMAREA' "$2"; then
      awk '{ print } /^      \* Insert User COMMAREA/ && !done { print "           03  USER-AREA PIC X(100)."; done = 1 }' \
        "$2" > "$2.step" && mv "$2.step" "$2"
    else
      awk '{ print } /^           COPY STDHEAD\.$/ && !done { print "           02  USRCOMM PIC X(100)."; done = 1 }' \
        "$2" > "$2.step" && mv "$2.step" "$2"
    fi
    echo "USRCOMM layout"
  fi
}

programs=0
right_away=0
find "$work/convert" -name '*.zsc' | sort > "$work/programs"
while IFS= read -r program; do
  programs=$((programs + 1))
  folder=$(dirname "$program")
  base=$(basename "$program" .zsc)
  set --
  [ -d "$folder/../cpy" ] && set -- -I "$(cd "$folder/../cpy" && pwd)"
  [ -f "$folder/NEWDSP4.TXT" ] || cp "$samples/NEWDSP4.TXT" "$folder/"
  (cd "$folder" && "$quillox" "$@" "$base" "$base.cbl" "${base}FE.cbl") > "$work/$base.stdout" ||
    fail "QUILLOX $base exit code $?"
  [ ! -s "$work/$base.stdout" ] || fail "QUILLOX $base printed: $(cat "$work/$base.stdout")"
  grep -q "^ Creating new DSP4 front end prototype file - ${base}FE\$" "$folder/$base.msg" ||
    fail "$base.msg does not report the front end"

  # The compiler sees the converted text and the copybooks that the converter leaves alone;
  # converted members are copied under their member names, where COPY finds them.
  compile="$work/compile/$base"
  mkdir -p "$compile"
  cp "$samples/STDHEAD" "$samples/KVZAID" "$compile/"
  for member in "$folder"/*.new; do
    [ -e "$member" ] || continue
    perl "$helper" "$member" > "$compile/$(basename "$member" .new)" ||
      fail "$member ends inside an EXEC ZARN command"
    rm "$member"
  done

  # The front end is compiled as generated; the program as converted, then after the steps.
  compiles "$compile" "$folder/${base}FE.cbl" || fail "${base}FE.cbl does not compile: $(cat "$compile"/*.log)"
  mkdir -p "$work/steps"
  cp "$folder/$base.cbl" "$work/steps/$base.cbl"
  steps=$(apply_steps "$folder/$base.msg" "$work/steps/$base.cbl" | tr '\n' ' ')
  if compiles "$compile" "$folder/$base.cbl"; then
    right_away=$((right_away + 1))
    [ -z "$steps" ] || fail "$base compiles without the steps its message file names: $steps"
    echo "compiled right after conversion: $base"
  else
    [ -n "$steps" ] || fail "$base does not compile and its message file names no step: $(cat "$compile/$base.cbl.log")"
    compiles "$compile" "$work/steps/$base.cbl" ||
      fail "$base does not compile after the steps ($steps): $(cat "$compile/$base.cbl.log")"
    echo "compiled after the named steps ($steps): $base"
  fi
done < "$work/programs"
[ "$programs" -gt 0 ] || fail "no sample program in $samples"
echo "$programs sample programs: $right_away compiled right after conversion, $programs after the named steps"
