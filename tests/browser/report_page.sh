#!/bin/sh
# Loads the migration page in headless Chromium from file:// and works it as a reader would:
# sorts the table of programs by clicking column headings, filters it by name, kind, class and
# state, and follows the link of a line number to the view of the converted file, where that
# line is the one the link names. A script added after the page's own does the clicks and the
# typing; the DOM that Chromium dumps shows the rows in their order and which are hidden. The
# link is followed inside a frame of a page beside the report, which reads where it landed.
# Uses the message files of the golden cases detail_and_members (totals 6, 4, 3 and 2; review
# findings 3, 1, 2 and 1) and monitor_commands (a READ on line 12 of INQ01.new), and a large
# application of 320 programs, whose page shows 300 rows and carries every program as data:
# every fortieth (P000, P040, ...) has a LINK, the others nothing, as in program_states.
#
# Usage: report_page.sh QUILLOX-REPORT CHROMIUM GOLDEN-REPORT-CASES WORK_FOLDER
set -u
[ $# -eq 4 ] || { echo "usage: report_page.sh QUILLOX-REPORT CHROMIUM GOLDEN-REPORT-CASES WORK_FOLDER" >&2; exit 2; }
report=$1 chromium=$2 cases=$3 work=$4
case $report in /*) ;; *) report=$(pwd)/$report ;; esac
case $work in /*) ;; *) work=$(pwd)/$work ;; esac

rm -rf -- "$work"
mkdir -p -- "$work/run" "$work/link" "$work/large/app" || exit 2
cp -R "$cases/detail_and_members/input/." "$work/run/"
cp -R "$cases/monitor_commands/input/." "$work/link/"
i=0
while [ $i -lt 320 ]; do
  name=$(printf 'P%03d' $i)
  if [ $((i % 40)) -eq 0 ]; then source=FIND.msg; else source=CONV.msg; fi
  cp "$cases/program_states/input/app/$source" "$work/large/app/$name.msg"
  i=$((i + 1))
done
for folder in run link large; do
  (cd "$work/$folder" && "$report" app) >/dev/null || { echo "quillox-report failed" >&2; exit 1; }
done
page=$work/run/app/migration-report.html

ok=yes
problem() { printf '%s\n' "$1" >&2; ok=; }

# Runs Chromium on `url` and dumps the DOM once its scripts have run; its console goes to
# $work/console.
dump() {  # url dom-file [flag]
  rm -rf -- "$work/profile"
  timeout 120 "$chromium" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$work/profile" --enable-logging=stderr --v=0 --virtual-time-budget=5000 \
    ${3:+"$3"} --dump-dom "$1" >"$2" 2>>"$work/console"
}

# The page as Chromium has it after its scripts ran, with `actions` (JavaScript) run after the
# page's own script.
dump_after() {  # name actions [page]
  from=${3:-$page}
  sed "s|</body>|<script>$2</script>\n</body>|" "$from" >"${from%/*}/$1.html"
  dump "file://${from%/*}/$1.html" "$work/$1.dom"
}

# The program names of the table of programs, in the order of its rows; with "shown", only the
# rows the filter leaves visible.
rows_of() {  # name [shown]
  if [ "${2:-}" = shown ]; then pattern='<tr data-s="[0-9]*" data-c="[0-9]*" data-k="[0-9 ]*"><td>'
  else pattern='<tr data-s="[0-9]*" data-c="[0-9]*" data-k="[0-9 ]*"[^>]*><td>'; fi
  grep -o "$pattern<a href=\"[^\"]*\">[^<]*</a>" "$work/$1.dom" | sed 's|.*">||; s|</a>$||' | tr '\n' ' '
}

click() {  # heading text
  printf '%s' "Array.prototype.forEach.call(document.querySelectorAll('table.programs thead th'), function (th) { if (th.textContent === '$1') th.click(); });"
}

choose() {  # field value: sets a field of the filter as a reader would, and tells the page
  printf '%s' "(function () { var f = document.getElementById('filter'); f.elements['$1'].value = '$2'; f.elements['$1'].dispatchEvent(new Event('$3', {bubbles: true})); })();"
}

dump_after unsorted ""
dump_after by_review "$(click review)"
dump_after by_name_twice "$(click Program)$(click Program)"
dump_after by_name "$(choose name billing input)"
dump_after by_kind "$(choose kind 6 change)"
dump_after by_class "$(choose grade 1 change)"
dump_after by_state "$(choose state 7 change)"

# Unsorted: in the order of the work, as written. Review: the most first, equal counts keep
# their order. Names: A to Z as a reader sorts them, then the other way round on the second click.
[ "$(rows_of unsorted)" = "billing/ORDER30 MENU10 billing/CALC20 =PAY&amp;CO " ] ||
  problem "rows before any click: $(rows_of unsorted)"
[ "$(rows_of by_review)" = "billing/ORDER30 billing/CALC20 MENU10 =PAY&amp;CO " ] ||
  problem "rows after a click on review: $(rows_of by_review)"
[ "$(rows_of by_name_twice)" = "MENU10 billing/ORDER30 billing/CALC20 =PAY&amp;CO " ] ||
  problem "rows after two clicks on Program: $(rows_of by_name_twice)"
grep -q '<th[^>]*aria-sort="descending"[^>]*>review</th>' "$work/by_review.dom" ||
  problem "the heading review is not marked as sorted from the largest"

# The filter: part of a name, HANDLE CONDITION kept (kind 6), changes behaviour (class 1), and
# a state no program is in. The form shows once the script runs, and counts what it shows.
grep -q '<form class="filter" id="filter">' "$work/unsorted.dom" || problem "the filter is not shown"
[ "$(rows_of by_name shown)" = "billing/ORDER30 billing/CALC20 " ] ||
  problem "rows shown for the name billing: $(rows_of by_name shown)"
grep -q '<output id="shown">2 of 4 programs shown</output>' "$work/by_name.dom" ||
  problem "the filter does not say it shows 2 of 4 programs"
[ "$(rows_of by_kind shown)" = "MENU10 " ] || problem "rows shown for HANDLE CONDITION kept: $(rows_of by_kind shown)"
[ "$(rows_of by_class shown)" = "MENU10 " ] || problem "rows shown for changes behaviour: $(rows_of by_class shown)"
[ "$(rows_of by_state shown)" = "" ] || problem "rows shown for the state converted: $(rows_of by_state shown)"
[ "$(rows_of by_state)" = "$(rows_of unsorted)" ] || problem "the filter lost rows: $(rows_of by_state)"

# The large application: the rows come from the data, at most 300 of them, whatever the filter
# or the order; programs beyond the first 300 rows are found too.
large=$work/large/app/migration-report.html
dump_after large_unsorted "" "$large"
dump_after large_by_name "$(choose name P31 input)" "$large"
dump_after large_by_kind "$(choose kind 0 change)" "$large"
dump_after large_sorted "$(click Program)" "$large"
count_of() { rows_of "$1" shown | wc -w; }
[ "$(count_of large_unsorted)" -eq 300 ] || problem "rows of the large page: $(count_of large_unsorted)"
[ "$(rows_of large_unsorted shown | cut -d' ' -f1-9)" = "P000 P040 P080 P120 P160 P200 P240 P280 P001" ] ||
  problem "first rows of the large page: $(rows_of large_unsorted shown | cut -d' ' -f1-9)"
[ "$(rows_of large_by_name shown)" = "P310 P311 P312 P313 P314 P315 P316 P317 P318 P319 " ] ||
  problem "rows of the large page found by the name P31: $(rows_of large_by_name shown)"
grep -q '<output id="shown">10 of 320 programs shown</output>' "$work/large_by_name.dom" ||
  problem "the large page does not say it shows 10 of 320 programs"
[ "$(rows_of large_by_kind shown)" = "P000 P040 P080 P120 P160 P200 P240 P280 " ] ||
  problem "rows of the large page with a LINK: $(rows_of large_by_kind shown)"
[ "$(count_of large_sorted)" -eq 300 ] && [ "$(rows_of large_sorted shown | cut -d' ' -f1-3)" = "P000 P001 P002" ] &&
  [ "$(rows_of large_sorted shown | cut -d' ' -f300)" = "P299" ] ||
  problem "rows of the large page sorted by name: $(rows_of large_sorted shown | cut -d' ' -f1-3) ... $(rows_of large_sorted shown | cut -d' ' -f300)"
grep -q '<output id="shown">the first 300 of 320 programs found shown, of 320</output>' "$work/large_sorted.dom" ||
  problem "the sorted large page does not say it shows the first 300 of 320 programs"
grep -q '<a href="migration-report-files/programs/P319.html">P319</a>' "$work/large_by_name.dom" ||
  problem "a row made from the data does not link the program's own page"

# The line link: the frame loads the page, clicks the line number 0012 of INQ01's READ, and the
# harness reads where the frame landed and which line is the target there.
cat >"$work/link/app/harness.html" <<'HTML'
<!DOCTYPE html><html><body><iframe id="frame" src="migration-report.html"></iframe><p id="result">none</p>
<script>
var frame = document.getElementById('frame');
var clicked = false;
frame.addEventListener('load', function () {
  var doc = frame.contentDocument;
  if (!clicked) {
    clicked = true;
    Array.prototype.forEach.call(doc.querySelectorAll('a'), function (a) {
      if (a.textContent === '0012') a.click();
    });
    return;
  }
  var target = doc.querySelector(':target');
  document.getElementById('result').textContent = frame.contentWindow.location.hash + '|' +
      doc.title + '|' + (target ? target.id + '|' + target.textContent.trim() : 'no target');
});
</script></body></html>
HTML
dump "file://$work/link/app/harness.html" "$work/link.dom" --allow-file-access-from-files
landed=$(sed -n 's|.*<p id="result">\(.*\)</p>.*|\1|p' "$work/link.dom")
[ "$landed" = "#L12|INQ01.new|L12|001200     EXEC ZARN" ] || problem "the line link led to: $landed"

if grep -q 'Uncaught' "$work/console"; then
  problem "a script of the page failed:"
  grep 'Uncaught' "$work/console" >&2
fi

[ -n "$ok" ] || { echo "pages and dumps left in $work" >&2; exit 1; }
echo "the migration page sorts, filters (on its rows and, for a large application, on its data) and follows a line link in Chromium"
exit 0
