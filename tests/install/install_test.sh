#!/bin/sh
# Installs the build into a fresh prefix and checks it: exactly the files of the layout (the
# lower-case names as links, both listed by the install), each manual page rendered without a
# warning, and the batch example of README run with the installed commands and template only.
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
./share/man/man1/NESTLVL.1
./share/man/man1/QUILLOX.1
./share/man/man1/quillox-all.1
./share/man/man1/quillox-replay.1
./share/man/man1/quillox-report.1
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

# Each manual page renders without a warning.
for page in "$prefix"/share/man/man1/*.1; do
  name=${page##*/}
  check "groff warnings of $name" "" "$(groff -man -ww -z "$page" 2>&1)"
  if command -v man >/dev/null 2>&1; then
    check "man warnings of $name" "" "$(MANWIDTH=80 man --warnings -l -Tutf8 "$page" 2>&1 >/dev/null)"
    check "$name has its sections" "NAME SYNOPSIS DESCRIPTION OPTIONS FILES EXIT STATUS EXAMPLES" \
      "$(MANWIDTH=80 man -l "$page" 2>/dev/null | grep -E '^(NAME|SYNOPSIS|DESCRIPTION|OPTIONS|FILES|EXIT STATUS|EXAMPLES)$' | tr '\n' ' ' | sed 's/ $//')"
  fi
done

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
check "converted files" "MENU01.msg MENU01.new MENU01.zsc MENU01FE.cbl MENUSET MENUSET.new" \
  "$(cd "$work/app" && ls | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')"

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
