#!/bin/sh
# Makes the Debian package of the build with cpack and checks that it holds the installed
# layout under /usr (the lower-case names as links) and depends on nothing but the C library.
#
# Usage: package_test.sh BUILD_FOLDER WORK_FOLDER
set -u
[ $# -eq 2 ] || { echo "usage: package_test.sh BUILD_FOLDER WORK_FOLDER" >&2; exit 2; }
build=$1 work=$2

. "$(dirname "$0")/../support/checks.sh"

rm -rf -- "$work"
mkdir -p -- "$work" || exit 2
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package") >"$work/cpack.log" 2>&1
check "exit code of cpack" 0 "$?"
debs=$(find "$work/package" -maxdepth 1 -name '*.deb')
check "one package" 1 "$(printf '%s\n' "$debs" | grep -c .)"
deb=$(printf '%s\n' "$debs" | head -n 1)

# The files of the package, without its folders: "PATH" or "PATH -> TARGET".
check "files in the package" "./usr/bin/NESTLVL
./usr/bin/QUILLOX
./usr/bin/nestlvl -> NESTLVL
./usr/bin/quillox -> QUILLOX
./usr/bin/quillox-all
./usr/bin/quillox-replay
./usr/bin/quillox-report
./usr/share/man/man1/NESTLVL.1
./usr/share/man/man1/QUILLOX.1
./usr/share/man/man1/quillox-all.1
./usr/share/man/man1/quillox-replay.1
./usr/share/man/man1/quillox-report.1
./usr/share/quillox/KVZAID
./usr/share/quillox/NEWDSP4.TXT
./usr/share/quillox/STDHEAD
./usr/share/quillox/replay/KVZEIBLK
./usr/share/quillox/replay/KVZRP.cbl
./usr/share/quillox/replay/KVZRPCTL
./usr/share/quillox/replay/KVZRPRUN.cbl
./usr/share/quillox/replay/KVZZVLCA" \
  "$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { line = $6; for (i = 7; i <= NF; ++i) line = line " " $i; print line }' | LC_ALL=C sort)"
depends=$(dpkg-deb -f "$deb" Depends)
check "depends on the C library only" "libc6" "$(printf '%s\n' "$depends" | sed 's/ *(>= [0-9.]*)$//')"
check "package name" "quillox" "$(dpkg-deb -f "$deb" Package)"
check "recommends GnuCOBOL for quillox-replay" "gnucobol3 | gnucobol" "$(dpkg-deb -f "$deb" Recommends)"

finish
