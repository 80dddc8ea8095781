#!/bin/sh
# Loads the migration page in headless Chromium from file:// and sorts its table of programs by
# clicking column headings through the DOM: a script added after the page's own clicks the
# heading, and the DOM that Chromium dumps after loading shows the rows in their new order. Uses
# the message files of the golden case detail_and_members, whose totals are 2, 3, 3 and 6.
#
# Usage: sort_tables.sh QUILLOX-REPORT CHROMIUM CASE_INPUT WORK_FOLDER
set -u
[ $# -eq 4 ] || { echo "usage: sort_tables.sh QUILLOX-REPORT CHROMIUM CASE_INPUT WORK_FOLDER" >&2; exit 2; }
report=$1 chromium=$2 input=$3 work=$4
case $report in /*) ;; *) report=$(pwd)/$report ;; esac
case $work in /*) ;; *) work=$(pwd)/$work ;; esac

rm -rf -- "$work"
mkdir -p -- "$work/run" || exit 2
cp -R "$input/." "$work/run/"
(cd "$work/run" && "$report" app) >/dev/null || { echo "quillox-report failed" >&2; exit 1; }
page=$work/run/app/migration-report.html

ok=yes
problem() { printf '%s\n' "$1" >&2; ok=; }

# The page as Chromium has it after its scripts ran, with `clicks` (JavaScript) run after the
# page's own script; Chromium's console goes to $work/console.
dump_after() {  # name clicks
  sed "s|</body>|<script>$2</script>\n</body>|" "$page" >"$work/run/app/$1.html"
  rm -rf -- "$work/profile"
  timeout 120 "$chromium" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$work/profile" --enable-logging=stderr --v=0 \
    --dump-dom "file://$work/run/app/$1.html" >"$work/$1.dom" 2>>"$work/console"
}

# The program names of the table of programs, in the order of its rows.
rows_of() {
  grep -o '<tr><td class="name"><a href="#program-[0-9]*">[^<]*</a>' "$work/$1.dom" |
    sed 's|.*">||; s|</a>$||' | tr '\n' ' '
}

click() {  # heading text
  printf '%s' "Array.prototype.forEach.call(document.querySelectorAll('table.programs thead th'), function (th) { if (th.textContent === '$1') th.click(); });"
}

dump_after unsorted ""
dump_after by_total "$(click 'Total findings')"
dump_after by_name_twice "$(click Program)$(click Program)"

# Unsorted: in name order, as written. Totals: the most first, equal totals keep their order.
# Names: A to Z as a reader sorts them, then the other way round on the second click.
[ "$(rows_of unsorted)" = "=PAY&amp;CO MENU10 billing/CALC20 billing/ORDER30 " ] ||
  problem "rows before any click: $(rows_of unsorted)"
[ "$(rows_of by_total)" = "billing/ORDER30 MENU10 billing/CALC20 =PAY&amp;CO " ] ||
  problem "rows after a click on Total findings: $(rows_of by_total)"
[ "$(rows_of by_name_twice)" = "MENU10 billing/ORDER30 billing/CALC20 =PAY&amp;CO " ] ||
  problem "rows after two clicks on Program: $(rows_of by_name_twice)"
grep -q '<th[^>]*aria-sort="descending"[^>]*>Total findings</th>' "$work/by_total.dom" ||
  problem "the heading Total findings is not marked as sorted from the largest"
if grep -q 'Uncaught' "$work/console"; then
  problem "the page's script failed:"
  grep 'Uncaught' "$work/console" >&2
fi

[ -n "$ok" ] || { echo "pages and dumps left in $work" >&2; exit 1; }
echo "the table of programs sorts in Chromium"
exit 0
