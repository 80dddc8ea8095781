#!/usr/bin/env bash
# Measures quillox-report on a generated application (default 1,000 programs): the time of the
# run (median of three), its peak memory, the size of the migration page and of all it writes,
# and the time the page takes to load in headless Chromium (median of three: from the start of
# the navigation to the end of the load event, the layout of the whole page included). Each
# program has its source, a message file with a mix of findings, members found and missing, a
# front end with several receives now and then and a message the report does not know every
# fiftieth program, a converted program of about 200 lines still holding some of the monitor's
# commands, and a member copy of its own; quillox-all's record names every hundredth program
# failed and every hundred-and-first refused. With BENCH_LARGE_MESSAGES=1 one more program has a
# message file of 1.2 million lines (about 72 MB) that the report must read.
# Nothing is asserted: this is a measurement, not a test.
#
# Usage: bench/report_bench.sh [BUILD_DIR]     (default: build/release; build it first)
#        BENCH_PROGRAMS=20000 BENCH_LARGE_MESSAGES=1 bench/report_bench.sh
set -euo pipefail
cd "$(dirname "$0")/.."

build=$(realpath "${1:-build/release}")
report=$build/report/quillox-report
programs=${BENCH_PROGRAMS:-1000}
large=${BENCH_LARGE_MESSAGES:-0}
work=$build/report-bench
chromium=$(command -v chromium || true)
[ -x "$report" ] || { echo "missing $report: build the release preset first" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work/app"
python3 - "$work/app" "$programs" "$large" <<'PY'
import os, sys

folder, count, large = sys.argv[1], int(sys.argv[2]), sys.argv[3] == "1"
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

def summary(counts):
    text = ""
    for number, row in enumerate(rows, 1):
        text += ("\n" if number in blank_before else "") + "%5d %s\n" % (counts.get(number, 0), row)
    return text

def cobol(number, text, comment=False):
    return ("%06d%s%s" % (number, "*" if comment else " ", text)).ljust(80) + "\n"

record = ["quillox-all record 1"]
for i in range(count):
    sub = "area%02d" % (i % 20)
    os.makedirs(os.path.join(folder, sub), exist_ok=True)
    name = "P%05d" % i
    base = os.path.join(folder, sub, name)
    with open(base + ".zsc", "w") as out:
        out.write(cobol(100, "IDENTIFICATION DIVISION."))
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
    lines.append("  opening copy book R%05d at line 12" % i)
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
        message("EXEC ZARN LINK to program 'P%05d' found" % ((i * 7 + k) % count), 6)
    if i % 5 == 0:
        message("EXEC ZARN XCTL to program WS-NEXT found", 7)
        message("*** KVZAID is not copied - the attention-key tests need its constants")
    if i % 50 == 0:
        message("*** a message of a later converter")
    message("EXEC ZARN RETURN handled", 17)
    text = "\n".join(lines) + "\n" + summary(counts)
    if screen:
        receives = 1 + i % 3
        text += "\n Creating new DSP4 front end prototype file - %sFE\n" % name
        text += "Number of ZVL RECEIVE statements found in original Program - %d\n" % receives
        if receives > 1:
            text += "**** Warning - Multiple receives found - manual changes required\n"
    with open(base + ".msg", "w") as out:
        out.write(text)
    # The converted program: a converted command as comment lines, the commands it still holds.
    converted = [cobol(n * 100, "    MOVE WS-FIELD-%d TO WS-OTHER-%d." % (n, n)) for n in range(1, 200)]
    converted[40] = cobol(4100, "    EXEC ZARN SEND MAP('M0') MAPSET('S0') END-EXEC.", True)
    converted[60] = cobol(6100, "    EXEC ZARN READ FILE('CUSTF') INTO(REC) END-EXEC.")
    if i % 2 == 0:
        converted[80] = cobol(8100, "    EXEC ZARN STARTBR FILE('CUSTF') RIDFLD(KEY) END-EXEC.")
    converted[120] = cobol(12100, "    EXEC ZARN RETURN END-EXEC.")
    with open(base + ".new", "w") as out:
        out.write("".join(converted))
    with open(os.path.join(folder, sub, "R%05d.new" % i), "w") as out:
        out.write(cobol(100, "    EXEC ZARN SYNCPOINT END-EXEC.") + cobol(200, "01 REC PIC X."))
    state = "failed\tQUILLOX ended with exit code 100" if i % 100 == 0 else (
        "refused-clash\ta clash" if i % 101 == 0 else "converted\t")
    record.append("program\t%s/%s.zsc\t%s" % (sub, name, state))
if large:
    # 1.2 million lines of about 60 bytes (some 72 MB), as QUILLOX writes them for a program of
    # a million lines full of map requests: one finding every thousand lines.
    with open(os.path.join(folder, "LARGE.msg"), "w") as out:
        links = 0
        for n in range(1, 1200001):
            if n % 1000 == 0:
                out.write("line %04d - EXEC ZARN LINK to program 'P00001' found\n" % n)
                links += 1
            else:
                out.write("line %04d - ZARN RECEIVE MAP for map 'CUSTOMERMAP01' handled\n" % n)
        out.write(summary({1: 1000000, 2: 1200000, 5: 1200000, 6: links, 14: 1200000 - links}))
with open(os.path.join(folder, "quillox-all.record"), "w") as out:
    out.write("\n".join(record) + "\n")
PY

times=()
for run in 1 2 3; do
  start=$(date +%s.%N)
  "$report" "$work/app" >/dev/null 2>"$work/stderr" || true
  end=$(date +%s.%N)
  times+=("$(awk "BEGIN { printf \"%.3f\", $end - $start }")")
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 2p)
peak=
if [ -x /usr/bin/time ]; then
  peak=$(/usr/bin/time -v "$report" "$work/app" 2>&1 >/dev/null | awk '/Maximum resident/ {print $6}')
fi
size() { stat -c %s "$1"; }
echo "programs: $programs$([ "$large" = 1 ] && echo " and one of 1.2 million message lines"), input: $(du -sk "$work/app" --exclude='migration-*' | cut -f1) KiB"
echo "run time: median ${median}s of ${times[*]}"
[ -n "$peak" ] && echo "peak memory: $peak KiB"
echo "migration-report.html: $(size "$work/app/migration-report.html") bytes"
echo "migration-report.sarif: $(size "$work/app/migration-report.sarif") bytes"
echo "migration-report-files: $(find "$work/app/migration-report-files" -type f | wc -l) files, $(du -sk "$work/app/migration-report-files" | cut -f1) KiB"

if [ "$large" = 1 ] && [ -x /usr/bin/time ]; then
  mkdir -p "$work/large"
  cp "$work/app/LARGE.msg" "$work/large/"
  alone=$(/usr/bin/time -f '%e s, %M KiB' "$report" "$work/large" 2>&1 >/dev/null | tail -n 1)
  echo "the message file of $(stat -c %s "$work/large/LARGE.msg") bytes alone: $alone"
fi

# The load time of the page in Chromium: a script after the page's own notes, at the end of the
# load event and after a forced layout, the time since the navigation began.
if [ -n "$chromium" ]; then
  page=$work/app/migration-report.html
  sed 's|</body>|<script>window.addEventListener("load", function () { document.body.offsetHeight; document.body.setAttribute("data-loaded", Math.round(performance.now())); });</script>\n</body>|' \
    "$page" >"$work/app/timed.html"
  loads=()
  for run in 1 2 3; do
    rm -rf "$work/profile"
    ms=$(timeout 300 "$chromium" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
      --disable-background-networking --disable-component-update --disable-sync \
      --user-data-dir="$work/profile" --dump-dom "file://$work/app/timed.html" 2>/dev/null |
      sed -n 's|.*<body data-loaded="\([0-9]*\)">.*|\1|p' | head -n 1)
    loads+=("${ms:-?}")
  done
  echo "page load in Chromium: median $(printf '%s\n' "${loads[@]}" | sort -n | sed -n 2p) ms of ${loads[*]} ms"
else
  echo "page load in Chromium: not measured (chromium not installed)"
fi
