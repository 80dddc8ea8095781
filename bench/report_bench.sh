#!/usr/bin/env bash
# Measures quillox-report on a generated application of many programs (default 1,000): the time
# of the run (median of three), its peak memory, and the size of the page and CSV files. Each
# program's message file holds a mix of findings, members found and missing, a front end with
# several receives now and then, and a message the report does not know every fiftieth program.
# Nothing is asserted: this is a measurement, not a test.
#
# Usage: bench/report_bench.sh [BUILD_DIR]     (default: build/release; build it first)
#        BENCH_PROGRAMS=1000 bench/report_bench.sh
set -euo pipefail
cd "$(dirname "$0")/.."

build=$(realpath "${1:-build/release}")
report=$build/report/quillox-report
programs=${BENCH_PROGRAMS:-1000}
work=$build/report-bench
[ -x "$report" ] || { echo "missing $report: build the release preset first" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work/app"
python3 - "$work/app" "$programs" <<'PY'
import os, sys

folder, count = sys.argv[1], int(sys.argv[2])
rows = ["Input lines read", "Output lines written", "Total copy statements found",
        "Total -INC statements found", "EXEC ZARN Statements",
        "Total EXEC ZARN LINK statements found", "Total EXEC ZARN XCTL statements found",
        "SEND MAP statements", "SEND TEXT statements", "SEND CONTROL statements",
        "SEND CONVID or SESSION statements", "SEND with FROM or CTLCHAR only",
        "SEND with no other parameters", "RECEIVE MAP statements", "RECEIVE BUFFER statementss",
        "CONVERSE statements", "RETURN statements", "ADDRESS statements",
        "HANDLE MAPFAIL statements", "HANDLE AID statements", "ROUTE statements",
        "MAPONLY parameters", "DATAONLY parameters", "ERASE parameters", "ERASEAUP parameters",
        "ALARM parameters", "ACCUM parameters", "PAGE parameters", "FRSET statements",
        "FREEKB statements", "EIBAID variables", "EIBTRMID variables", "EIBTRNID variables",
        "EIBCALEN variables", "EIBCPOSN variables", "KVZCOMMAREA references",
        "ASSIGN TERMCODE references"]
blank_before = {1, 5, 8, 22, 31, 36}

for i in range(count):
    sub = "area%02d" % (i % 20)
    os.makedirs(os.path.join(folder, sub), exist_ok=True)
    counts = {1: 200 + i % 300, 2: 240 + i % 300}
    lines, line = [], 10
    def message(text, row=None):
        global line
        line += 7
        lines.append("line %04d - %s" % (line, text))
        if row:
            counts[row] = counts.get(row, 0) + 1
            counts[5] = counts.get(5, 0) + 1
    message("PROGRAM-ID paragraph changed")
    message("COPY for STDHEAD in KVZCOMMAREA inserted")
    lines.append("  opening copy book REC%03d at line 12" % (i % 40))
    lines.append(" line 0004 - *** ZVL ROUTE command found")
    counts[21] = counts.get(21, 0) + 1
    counts[5] = counts.get(5, 0) + 1
    lines += ["  9 lines read in copy book", "  9 lines written in copy book"]
    counts[3] = 1
    if i % 7 == 0:
        lines += ["  opening copy book SQLCA at line 14", " ***error*** opening copy file SQLCA"]
        counts[3] += 1
    screen = i % 3 != 0
    if screen:
        message("*** ZARN HANDLE CONDITION MAPFAIL found", 19)
        for m in range(1 + i % 3):
            message("ZARN SEND MAP handled for map 'M%d' mapset 'S%d'" % (m, i), 8)
            message("ZARN RECEIVE MAP for map 'M%d' handled" % m, 14)
    for k in range(i % 4):
        message("EXEC ZARN LINK to program 'SUB%d' found" % k, 6)
    if i % 5 == 0:
        message("EXEC ZARN XCTL to program WS-NEXT found", 7)
        message("*** KVZAID is not copied - the attention-key tests need its constants")
    if i % 50 == 0:
        message("*** a message of a later converter")
    message("EXEC ZARN RETURN handled", 17)
    text = "\n".join(lines) + "\n"
    for number, row in enumerate(rows, 1):
        text += ("\n" if number in blank_before else "") + "%5d %s\n" % (counts.get(number, 0), row)
    if screen:
        receives = 1 + i % 3
        text += "\n Creating new DSP4 front end prototype file - P%04dFE\n" % i
        text += "Number of ZVL RECEIVE statements found in original Program - %d\n" % receives
        if receives > 1:
            text += "**** Warning - Multiple receives found - manual changes required\n"
    with open(os.path.join(folder, sub, "P%04d.msg" % i), "w") as out:
        out.write(text)
PY

times=()
for run in 1 2 3; do
  start=$(date +%s.%N)
  "$report" "$work/app" >/dev/null
  end=$(date +%s.%N)
  times+=("$(awk "BEGIN { printf \"%.3f\", $end - $start }")")
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 2p)
peak=
if [ -x /usr/bin/time ]; then
  peak=$(/usr/bin/time -v "$report" "$work/app" 2>&1 >/dev/null | awk '/Maximum resident/ {print $6}')
fi
size() { stat -c %s "$1"; }
echo "programs: $programs, message files: $(du -sk "$work/app" --exclude='migration-*' | cut -f1) KiB"
echo "run time: median ${median}s of ${times[*]}"
[ -n "$peak" ] && echo "peak memory: $peak KiB"
echo "migration-report.html: $(size "$work/app/migration-report.html") bytes"
echo "migration-report.csv: $(size "$work/app/migration-report.csv") bytes"
echo "migration-members.csv: $(size "$work/app/migration-members.csv") bytes"
