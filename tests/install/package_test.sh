#!/bin/sh
# Makes the Debian package of the build with cpack and checks that it holds the installed
# layout under /usr (the lower-case names as links) and depends on nothing but the C library;
# that its documents stand in /usr/share/doc/quillox as Debian lays them out (a changelog that
# dpkg reads, compressed, the copyright plain), its manual pages compressed and found by man,
# quillox-migration(7) among them; and that its quillox-stub-exec puts a command aside.
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
./usr/bin/quillox-stub-exec
./usr/share/doc/quillox/README.md.gz
./usr/share/doc/quillox/changelog.gz
./usr/share/doc/quillox/copyright
./usr/share/man/man1/NESTLVL.1.gz
./usr/share/man/man1/QUILLOX.1.gz
./usr/share/man/man1/quillox-all.1.gz
./usr/share/man/man1/quillox-replay.1.gz
./usr/share/man/man1/quillox-report.1.gz
./usr/share/man/man1/quillox-stub-exec.1.gz
./usr/share/man/man7/quillox-migration.7.gz
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

# The package's own files, unpacked.
root=$work/root
dpkg-deb -x "$deb" "$root"
doc=$root/usr/share/doc/quillox
check "the changelog is one dpkg reads, of the package's version" "quillox $(dpkg-deb -f "$deb" Version)" \
  "$(gzip -dc "$doc/changelog.gz" >"$work/changelog" && dpkg-parsechangelog -l "$work/changelog" -S Source 2>&1) $(dpkg-parsechangelog -l "$work/changelog" -S Version 2>&1)"
check "the copyright file is machine-readable" "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" \
  "$(head -n 1 "$doc/copyright")"
check "the README is whole" "yes" "$(gzip -t "$doc/README.md.gz" && gzip -dc "$doc/README.md.gz" | grep -q '^## Migrating a whole application$' && echo yes)"
if command -v man >/dev/null 2>&1; then
  check "man 7 quillox-migration from the package" "yes" \
    "$(MANPATH=$root/usr/share/man MANWIDTH=80 man 7 quillox-migration 2>/dev/null | grep -q '^COMPILING WITH GNUCOBOL$' && echo yes)"
fi
# EXEC ZARN RETURN END-EXEC is 25 characters: CONTINUE and 17 blanks.
check "quillox-stub-exec from the package" "           CONTINUE$(printf '%17s' '')." \
  "$(printf '           EXEC ZARN RETURN END-EXEC.\n' | "$root/usr/bin/quillox-stub-exec" -)"

finish
