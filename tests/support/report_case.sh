#!/bin/sh
# Runs one quillox-report case: copies its input folder to a fresh folder, runs the report there
# with the case's arguments, and compares the exit code, stdout, stderr and every file it writes
# with what the case expects. The HTML page is checked for its totals and for its bars (the
# title of each bar, in order), and, where the case has them, for the names in its table of
# programs in order (expected.html-rows), for the pieces it must hold (expected.html-facts, one
# a line, each found within one line of the page) and those it must not hold
# (expected.html-absent). The SARIF log is checked against the rules of its format, and compared
# field by field with expected.sarif where the case has one. expected.files names the further files the report writes (views, pages),
# and pieces of them may be listed as "FILE: PIECE" in expected.files-facts.
#
# Every input file is first given one time, then those listed in `mtimes` ("SECONDS PATH" a
# line) theirs, so that a case can say which file is newer than which.
#
# Usage: report_case.sh QUILLOX-REPORT CASE_FOLDER WORK_FOLDER
set -u
[ $# -eq 3 ] || { echo "usage: report_case.sh QUILLOX-REPORT CASE_FOLDER WORK_FOLDER" >&2; exit 2; }
report=$1 case=$2 work=$3

rm -rf -- "$work"
mkdir -p -- "$work/run" || exit 2
[ -d "$case/input" ] && cp -R "$case/input/." "$work/run/"
(cd "$work/run" && find . -type f -exec touch -h -d @1000000000 {} +)
if [ -f "$case/mtimes" ]; then
  while read -r seconds file; do
    [ -n "$file" ] && touch -d "@$seconds" "$work/run/$file"
  done <"$case/mtimes"
fi
(cd "$work/run" && find . -type f | LC_ALL=C sort) >"$work/inputs"

set --
if [ -f "$case/args" ]; then
  while IFS= read -r argument; do set -- "$@" "$argument"; done <"$case/args"
fi
(cd "$work/run" && exec "$report" "$@") </dev/null >"$work/stdout" 2>"$work/stderr"
code=$?

ok=yes
problem() { printf '%s\n' "$1" >&2; ok=; }
same() {  # what expected-file actual-file
  if ! cmp -s -- "$2" "$3"; then
    problem "$1 differs:"
    diff -u -- "$2" "$3" >&2
  fi
}

expected_code=0
[ -f "$case/expected.exit" ] && expected_code=$(cat "$case/expected.exit")
[ "$code" -eq "$expected_code" ] || problem "exit code: expected $expected_code, got $code"
for stream in stdout stderr; do
  if [ -f "$case/expected.$stream" ]; then expected=$case/expected.$stream; else expected=/dev/null; fi
  same "$stream" "$expected" "$work/$stream"
done

# Files: the inputs, every file under expected/, and the HTML page when the case checks it.
{
  cat "$work/inputs"
  [ -d "$case/expected" ] && (cd "$case/expected" && find . -type f)
  if [ -f "$case/expected.html-totals" ] && [ -d "$case/expected" ]; then
    (cd "$case/expected" && find . -name migration-report.csv | sed 's|csv$|html|; p; s|html$|sarif|')
  fi
  [ -f "$case/expected.files" ] && sed 's|^|./|' "$case/expected.files"
} | LC_ALL=C sort -u >"$work/expected-files"
(cd "$work/run" && find . -type f | LC_ALL=C sort) >"$work/actual-files"
same "list of files" "$work/expected-files" "$work/actual-files"
if [ -d "$case/expected" ]; then
  (cd "$case/expected" && find . -type f) >"$work/expected-list"
  while IFS= read -r file; do
    [ -f "$work/run/$file" ] && same "$file" "$case/expected/$file" "$work/run/$file"
  done <"$work/expected-list"
fi

page=
if [ -d "$case/expected" ]; then
  page=$(cd "$case/expected" && find . -name migration-report.csv | sed 's|csv$|html|')
fi
if [ -f "$case/expected.html-totals" ]; then
  sed -n '/^<dl class="totals"[^>]*>$/,/^<\/dl>$/p' "$work/run/$page" >"$work/html-totals"
  same "HTML totals" "$case/expected.html-totals" "$work/html-totals"
  grep '^<g class="bar"><title>' "$work/run/$page" >"$work/html-bars"
  same "HTML bars" "$case/expected.html-bars" "$work/html-bars"
fi

if [ -f "$case/expected.html-rows" ]; then
  sed -n 's|^<tr data-s="[0-9]*" data-c="[0-9]*" data-k="[0-9 ]*"><td><a href="[^"]*">\([^<]*\)</a></td>.*|\1|p' \
    "$work/run/$page" >"$work/html-rows"
  same "rows of the table of programs" "$case/expected.html-rows" "$work/html-rows"
fi
if [ -f "$work/run/${page%.html}.sarif" ]; then
  python3 "$(dirname "$0")/sarif_check.py" "$work/run/${page%.html}.sarif" || problem "the SARIF log breaks the format"
fi
if [ -f "$case/expected.sarif" ]; then
  python3 "$(dirname "$0")/same_json.py" "$case/expected.sarif" "$work/run/${page%.html}.sarif" ||
    problem "the SARIF log differs"
fi
if [ -f "$case/expected.files-facts" ]; then
  while IFS= read -r fact; do
    [ -z "$fact" ] && continue
    file=${fact%%: *} piece=${fact#*: }
    grep -qF -- "$piece" "$work/run/$file" || problem "$file lacks: $piece"
  done <"$case/expected.files-facts"
fi
if [ -f "$case/expected.html-facts" ]; then
  while IFS= read -r fact; do
    [ -z "$fact" ] && continue
    grep -qF -- "$fact" "$work/run/$page" || problem "the HTML page lacks: $fact"
  done <"$case/expected.html-facts"
fi
if [ -f "$case/expected.html-absent" ]; then
  while IFS= read -r piece; do
    [ -z "$piece" ] && continue
    grep -qF -- "$piece" "$work/run/$page" && problem "the HTML page holds: $piece"
  done <"$case/expected.html-absent"
fi

[ -n "$ok" ] || { echo "actual files left in $work/run" >&2; exit 1; }
exit 0
