#!/bin/sh
# Makes a finished conversion of the samples, as a team would: copies the samples folder to OUT,
# converts every program there with quillox-all (a DSP4 front end for each program with screens,
# from the samples' own template), then makes in each converted program and its front end
# exactly the changes that its message file asks for (finish_conversion.py) and prints them.
# A program's folder whose parent has a "cpy" folder (cbl/ and cpy/) gives that folder with -I.
#
# OUT then holds what quillox-replay plays: NAME.zsc with its members, NAME.new, the members'
# .new copies, NAMEFE.cbl, STDHEAD and KVZAID.
#
# Usage: finish_samples.sh [--convert-only] QUILLOX-ALL QUILLOX NESTLVL SAMPLES OUT
set -eu

steps=yes
if [ "${1:-}" = --convert-only ]; then
  steps=no
  shift
fi
[ $# -eq 5 ] || { echo "usage: finish_samples.sh [--convert-only] QUILLOX-ALL QUILLOX NESTLVL SAMPLES OUT" >&2; exit 2; }
all=$1 quillox=$2 nestlvl=$3 samples=$(cd "$4" && pwd) out=$5
finish="$(cd "$(dirname "$0")" && pwd)/finish_conversion.py"

rm -rf "$out"
cp -R "$samples" "$out"
out=$(cd "$out" && pwd)
set --
for cpy in $(find "$out" -type d -name cpy | sort); do set -- "$@" -I "$cpy"; done
"$all" -j 2 --front-end --template "$samples/NEWDSP4.TXT" --quillox "$quillox" "$@" "$out" > /dev/null

[ "$steps" = yes ] || exit 0
find "$out" -name '*.zsc' | sort | while IFS= read -r program; do
  folder=$(dirname "$program")
  name=$(basename "$program" .zsc)
  set --
  [ -d "$folder/../cpy" ] && set -- "$(cd "$folder/../cpy" && pwd)"
  python3 "$finish" "$nestlvl" "$folder" "$name" "$@" | sed "s/^/$name: /"
done
