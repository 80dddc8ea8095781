#!/bin/sh
# Installs the build into a fresh prefix and checks it: exactly the files of the layout (the
# lower-case names as links, both listed by the install; manual pages, README and changelog
# compressed, as Debian keeps them), each manual page rendered without a warning and found by
# man, the batch example of README run with the installed commands and template only, and,
# where GnuCOBOL is installed, the compile recipe of quillox-migration(7) with installed paths
# only.
#
# Usage: install_test.sh BUILD_FOLDER SAMPLES_FOLDER WORK_FOLDER
set -u
[ $# -eq 3 ] || { echo "usage: install_test.sh BUILD_FOLDER SAMPLES_FOLDER WORK_FOLDER" >&2; exit 2; }
build=$1 samples=$2 work=$3

. "$(dirname "$0")/../support/checks.sh"

rm -rf -- "$work"
mkdir -p -- "$work" || exit 2
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1
check "exit code of cmake --install" 0 "$?"

# Every file below the prefix, links with their targets.
installed=$(cd "$prefix" && find . ! -type d | LC_ALL=C sort | while IFS= read -r file; do
  if [ -L "$file" ]; then printf '%s -> %s\n' "$file" "$(readlink "$file")"; else printf '%s\n' "$file"; fi
done)
check "installed files" "./bin/NESTLVL
./bin/QUILLOX
./bin/nestlvl -> NESTLVL
./bin/quillox -> QUILLOX
./bin/quillox-all
./bin/quillox-replay
./bin/quillox-report
./bin/quillox-stub-exec
./share/doc/quillox/README.md.gz
./share/doc/quillox/changelog.gz
./share/doc/quillox/copyright
./share/man/man1/NESTLVL.1.gz
./share/man/man1/QUILLOX.1.gz
./share/man/man1/quillox-all.1.gz
./share/man/man1/quillox-replay.1.gz
./share/man/man1/quillox-report.1.gz
./share/man/man1/quillox-stub-exec.1.gz
./share/man/man7/quillox-migration.7.gz
./share/quillox/KVZAID
./share/quillox/NEWDSP4.TXT
./share/quillox/STDHEAD
./share/quillox/replay/KVZEIBLK
./share/quillox/replay/KVZRP.cbl
./share/quillox/replay/KVZRPCTL
./share/quillox/replay/KVZRPRUN.cbl
./share/quillox/replay/KVZZVLCA" "$installed"
check "links in the install output" "$prefix/bin/nestlvl
$prefix/bin/quillox" "$(sed -n 's/^-- [A-Za-z-]*: //p' "$work/install.log" | grep -E '/bin/(quillox|nestlvl)$' | LC_ALL=C sort)"
check "template as shipped" "" "$(cmp "$samples/NEWDSP4.TXT" "$prefix/share/quillox/NEWDSP4.TXT" 2>&1)"
# What is compressed is the text as written, compressed without a name or a time.
source=$(dirname "$samples")
for pair in "share/doc/quillox/README.md.gz README.md" "share/doc/quillox/changelog.gz docs/changelog" \
            "share/man/man7/quillox-migration.7.gz docs/man/quillox-migration.7" \
            "share/man/man1/quillox-report.1.gz docs/man/quillox-report.1"; do
  set -- $pair
  check "$1 holds $2" "" "$(gzip -dc "$prefix/$1" | cmp - "$source/$2" 2>&1)"
  check "$1 keeps no name nor time" "0 0" "$(od -An -tu1 -j4 -N4 "$prefix/$1" | awk '{ print $1 + $2 + $3 + $4, 0 }')"
done
check "copyright as written" "" "$(cmp "$source/docs/copyright" "$prefix/share/doc/quillox/copyright" 2>&1)"

# Each manual page renders without a warning; man finds each by its name and section.
for page in "$prefix"/share/man/man1/*.1.gz "$prefix"/share/man/man7/*.7.gz; do
  name=${page##*/}
  check "groff warnings of $name" "" "$(gzip -dc "$page" | groff -man -ww -z 2>&1)"
  if command -v man >/dev/null 2>&1; then
    check "man warnings of $name" "" "$(MANWIDTH=80 man --warnings -l -Tutf8 "$page" 2>&1 >/dev/null)"
    case $name in
      *.1.gz)
        check "$name has its sections" "NAME SYNOPSIS DESCRIPTION OPTIONS FILES EXIT STATUS EXAMPLES" \
          "$(MANWIDTH=80 man -l "$page" 2>/dev/null | grep -E '^(NAME|SYNOPSIS|DESCRIPTION|OPTIONS|FILES|EXIT STATUS|EXAMPLES)$' | tr '\n' ' ' | sed 's/ $//')" ;;
    esac
  fi
done
if command -v man >/dev/null 2>&1; then
  guide=$(MANPATH=$prefix/share/man MANWIDTH=80 man 7 quillox-migration 2>&1)
  check "man 7 quillox-migration has its sections" "NAME DESCRIPTION THE CALLER'S SIDE THE STEPS COMPILING WITH GNUCOBOL PROVING WITH THE DIALOGUE TOOL FILES SEE ALSO" \
    "$(printf '%s\n' "$guide" | grep -E '^[A-Z][A-Z '"'"']+$' | tr '\n' ' ' | sed 's/ $//')"
  check "man 7 quillox-migration names each step" "1 2 3 4 5 6" \
    "$(printf '%s\n' "$guide" | sed -n 's/^   \([1-6]\)\. .*/\1/p' | tr '\n' ' ' | sed 's/ $//')"
  # Every message the README's guide quotes stands in the page, and each text the page quotes in
  # its steps is a line QUILLOX writes.
  MANPATH=$prefix/share/man LANG=C MANWIDTH=1000 man 7 quillox-migration >"$work/guide.txt" 2>/dev/null
  check "the guide's steps and their messages" "" \
    "$(python3 "$(dirname "$0")/guide_check.py" "$source/README.md" "$work/guide.txt" "$source/message_format/message_format.h" 2>&1)"
  check "man quillox-stub-exec is found" "yes" \
    "$(MANPATH=$prefix/share/man man -w quillox-stub-exec 2>/dev/null | grep -q "$prefix/share/man/man1/quillox-stub-exec.1.gz" && echo yes)"
fi

# README's batch example with the installed names: quillox-all finds the QUILLOX installed
# beside it, and the installed template builds the front end of the program with screens.
mkdir -p "$work/app"
cp "$samples/MENU01.zsc" "$samples/MENUSET" "$work/app/"
(cd "$work" && PATH=$prefix/bin:/usr/bin:/bin quillox-all -j 2 --template "$prefix/share/quillox/NEWDSP4.TXT" app/) \
  </dev/null >"$work/stdout" 2>"$work/stderr"
check "exit code of the installed quillox-all" 0 "$?"
check "its closing line" "quillox-all: 1 program, 1 converted, 0 failed; 1 front end built, 0 back-end programs without screens" \
  "$(cat "$work/stdout")"
check "its stderr" "" "$(cat "$work/stderr")"
check "converted files" "MENU01.msg MENU01.new MENU01.zsc MENU01FE.cbl MENUSET MENUSET.new quillox-all.record" \
  "$(cd "$work/app" && ls | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')"

# The compile recipe of quillox-migration(7) on the inquiry sample, with the installed commands,
# copybooks and nothing of the source tree; its commands are those of the page itself.
if command -v cobc >/dev/null 2>&1 && command -v man >/dev/null 2>&1; then
  mkdir -p "$work/recipe/app"
  cp -R "$samples/inquiry/." "$work/recipe/app/"
  recipe=$(MANPATH=$prefix/share/man MANWIDTH=200 man 7 quillox-migration 2>/dev/null |
    sed -n '/^ *cd app\/cbl$/,/cobc -fsyntax-only/p' | sed 's/^ *//; s|/usr/share/quillox|'"$prefix"'/share/quillox|g')
  check "the recipe has its eight lines" 8 "$(printf '%s\n' "$recipe" | grep -vc '^#')"
  (cd "$work/recipe" && PATH=$prefix/bin:/usr/bin:/bin sh -e -c "$recipe") >"$work/recipe.log" 2>&1
  check "the recipe compiles CUSTINQ" "0 $(printf '%s\n' "$work/recipe/app/compile/CUSTINQ.cbl")" \
    "$? $(ls "$work/recipe/app/compile/CUSTINQ.cbl" 2>&1)"
  check "the compiled copy holds no active command" "" "$(grep -v '^......[*/]' "$work/recipe/app/compile/CUSTINQ.cbl" | grep -i 'EXEC ZARN')"
fi

# The installed quillox-replay finds its stand-in beside it: precompiling needs no GnuCOBOL.
mkdir -p "$work/play"
cp "$samples/MENU01.zsc" "$samples/MENUSET" "$work/play/"
printf '%s\n' 'program MENU01' 'transaction MNU1' 'step "the menu"' '  start' > "$work/play/MENU01.dlg"
(cd "$work" && PATH=$prefix/bin:/usr/bin:/bin quillox-replay --record --precompile --keep kept play/MENU01.dlg) \
  </dev/null >"$work/stdout" 2>"$work/stderr"
check "exit code of the installed quillox-replay" 0 "$?"
check "what it precompiled" "precompiled MENU01.zsc (original) into MENU01/original/MENU01.cbl" "$(cat "$work/stdout")"
check "its stderr" "" "$(cat "$work/stderr")"
check "the stand-in's control block in the program" "1" \
  "$(grep -c '^       01  KVZRP-CTL\.$' "$work/kept/MENU01/original/MENU01.cbl")"

finish
