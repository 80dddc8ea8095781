#!/bin/sh
# Converts every sample program (every *.zsc below the samples folder) with quillox-all and a
# front end, has GnuCOBOL check each converted program with its converted members and its front
# end, then makes exactly the changes that the program's message file asks for
# (finish_samples.sh) and has GnuCOBOL check them again. A program must compile right after the
# conversion exactly when its message file names no step that it needs to compile (COPY KVZAID,
# the USRCOMM layout), its front end exactly when no map area is to be moved, and every one must
# compile after the steps.
# Each further PROGRAM given (a converted program of a golden case) must compile as it stands.
#
# GnuCOBOL does not know the monitor's commands, so each EXEC ZARN command still in the output
# is first replaced by CONTINUE, and each KVZRESP(NAME) by its number (quillox-stub-exec, the
# command a user runs for it), in a copy.
#
# Usage: compile_converted_samples.sh QUILLOX-ALL QUILLOX NESTLVL QUILLOX-STUB-EXEC COBC
#                                     SAMPLES_FOLDER [PROGRAM]...
set -eu

all=$1 quillox=$2 nestlvl=$3 stub=$4 cobc=$5
samples=$(cd "$6" && pwd)
shift 6
here="$(cd "$(dirname "$0")" && pwd)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

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
# FOLDER, which holds the converted members under their own names; the folder the file stands in
# gives the members the finishing steps made.
compiles() {
  into=$1
  shift
  for source in "$@"; do
    name=$(basename "$source")
    "$stub" "$source" > "$into/$name" || fail "$source: the commands cannot be put aside"
    (cd "$into" && "$cobc" -fsyntax-only -fixed -I . -I "$(dirname "$source")" "$name" \
      > "$into/$name.log" 2>&1) || return 1
  done
}

# members_of FOLDER INTO: the converted members of the programs of FOLDER, under their names.
members_of() {
  mkdir -p "$2"
  cp "$samples/STDHEAD" "$samples/KVZAID" "$2/"
  for member in "$1"/*.new; do
    [ -e "$member" ] || continue
    "$stub" "$member" > "$2/$(basename "$member" .new)" ||
      fail "$member: the commands cannot be put aside"
  done
}

sh "$here/finish_samples.sh" --convert-only "$all" "$quillox" "$nestlvl" "$samples" "$work/converted"
sh "$here/finish_samples.sh" "$all" "$quillox" "$nestlvl" "$samples" "$work/finished" > "$work/steps"
cat "$work/steps"

programs=0
files=0
right_away=0
find "$work/converted" -name '*.zsc' | sort > "$work/programs"
while IFS= read -r program; do
  programs=$((programs + 1))
  folder=$(dirname "$program")
  base=$(basename "$program" .zsc)
  finished="$work/finished${folder#"$work/converted"}"
  [ -f "$folder/$base.new" ] || fail "$base was not converted"
  front_end=
  [ -f "$folder/${base}FE.cbl" ] && front_end=${base}FE.cbl

  # A program needs its KVZAID and USRCOMM steps to compile; its front end needs the map areas.
  steps=$(grep -E "^$base: (COPY KVZAID|USRCOMM layout)\$" "$work/steps" | tr '\n' ' ' || true)
  fe_steps=$(grep "^$base: map areas" "$work/steps" | tr '\n' ' ' || true)
  compile="$work/compile/$base"
  members_of "$folder" "$compile/converted"
  members_of "$finished" "$compile/finished"
  for file in "$base.new" $front_end; do
    if [ "$file" = "$base.new" ]; then named=$steps; else named=$fe_steps; fi
    if compiles "$compile/converted" "$folder/$file"; then
      [ -z "$named" ] || fail "$file compiles without the steps its message file names: $named"
      right_away=$((right_away + 1))
      echo "compiled right after conversion: $file"
    else
      [ -n "$named" ] || fail "$file does not compile and $base.msg names no step: $(cat "$compile/converted/$file.log")"
    fi
    # Every finished program and front end compiles, whatever steps were made.
    compiles "$compile/finished" "$finished/$file" ||
      fail "$file does not compile after the steps ($steps$fe_steps): $(cat "$compile/finished/$file.log")"
    [ -z "$named" ] || echo "compiled after the named steps: $file"
    files=$((files + 1))
  done
done < "$work/programs"
[ "$programs" -gt 0 ] || fail "no sample program in $samples"

# Converted programs of golden cases, as they stand.
for program in "$@"; do
  mkdir -p "$work/golden"
  cp "$samples/STDHEAD" "$samples/KVZAID" "$work/golden/"
  compiles "$work/golden" "$program" || fail "$program does not compile: $(cat "$work/golden/$(basename "$program").log")"
  echo "compiled as it stands: $program"
done
echo "$programs sample programs with $files programs and front ends: $right_away compiled right after conversion, all $files after the named steps"
