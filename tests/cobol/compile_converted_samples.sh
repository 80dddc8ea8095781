#!/bin/sh
# Converts every sample program with a front end requested, then has GnuCOBOL check the
# converted programs (with their converted members) and the generated front-end programs.
# GnuCOBOL does not know the monitor's commands, so each EXEC ZARN command still in the
# output is first replaced by CONTINUE (exec_to_continue.pl) in a copy.
#
# Usage: compile_converted_samples.sh QUILLOX COBC SAMPLES_FOLDER
set -eu

quillox=$1
cobc=$2
samples=$3
helper="$(cd "$(dirname "$0")" && pwd)/exec_to_continue.pl"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/convert" "$work/compile"
cp "$samples"/* "$work/convert/"
# The compiler sees only converted text and the copybooks that the converter leaves alone.
cp "$samples/STDHEAD" "$samples/KVZAID" "$work/compile/"

fail() {
  echo "FAILED: $*"
  exit 1
}

check() {
  # check FILE: the file with its commands stood in, compiled for syntax only.
  name=$(basename "$1")
  perl "$helper" "$1" > "$work/compile/$name" || fail "$1 ends inside an EXEC ZARN command"
  (cd "$work/compile" && "$cobc" -fsyntax-only -fixed -I . "$name") || fail "$name does not compile"
  echo "compiled: $name"
}

# The compiler must reject what it does not know, or passing proves nothing.
printf '%s\n' '       IDENTIFICATION DIVISION.' '       PROGRAM-ID. NEGATIVE.' \
  '       PROCEDURE DIVISION.' '           MOVE UNKNOWN-FIELD TO USRMAPNAME.' > "$work/NEGATIVE.cbl"
if (cd "$work" && "$cobc" -fsyntax-only -fixed NEGATIVE.cbl > /dev/null 2>&1); then
  fail "the compiler accepted an undeclared name"
fi

cd "$work/convert"
found=0
for program in *.zsc; do
  [ -e "$program" ] || continue
  found=1
  base=${program%.zsc}
  "$quillox" "$base" "$base.cbl" "${base}FE.cbl" > "$work/$base.stdout" || fail "QUILLOX $base exit code $?"
  [ ! -s "$work/$base.stdout" ] || fail "QUILLOX $base printed: $(cat "$work/$base.stdout")"
  grep -q "^ Creating new DSP4 front end prototype file - ${base}FE\$" "$base.msg" ||
    fail "$base.msg does not report the front end"
  # Converted members are copied under their member names, where COPY finds them.
  for member in *.new; do
    [ -e "$member" ] || continue
    perl "$helper" "$member" > "$work/compile/${member%.new}" || fail "$member ends inside an EXEC ZARN command"
    mv "$member" "$work/$base-$member"
  done
  check "$base.cbl"
  check "${base}FE.cbl"
done
[ "$found" = 1 ] || fail "no sample program in $samples"
