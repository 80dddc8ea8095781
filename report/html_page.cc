// What the report's pages share: the style sheet, the scripts that sort and filter the tables,
// and the links between the pages and to the files of the application.
#include "report/html_page.h"

#include "report/application_scan.h"
#include "report/html_text.h"

namespace report {

std::string view_path(std::string_view file) {
  return std::string(kReportFilesFolder) + "/lines/" + std::string(file) + ".html";
}

std::string program_page_path(std::string_view name) {
  return std::string(kReportFilesFolder) + "/programs/" + std::string(name) + ".html";
}

ProgramIndex index_programs(const std::vector<std::string>& names) {
  ProgramIndex index;
  for (const std::string& name : names) {
    std::size_t slash = name.rfind('/');
    index[program_name_of(slash == std::string::npos ? name : name.substr(slash + 1))].push_back(
        name);
  }
  return index;
}

std::string target_program(std::string_view target) {
  if (target.size() < 3) return std::string();
  char quote = target.front();
  if ((quote != '\'' && quote != '"') || target.back() != quote) return std::string();
  std::string name(target.substr(1, target.size() - 2));
  for (char& c : name)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return name;
}

std::string PageLinks::program(std::string_view name) const {
  if (details_inline)
    return (on_summary ? "" : to_output + "migration-report.html") + "#" + program_anchor(name);
  return href_of(to_output + program_page_path(name));
}

std::string PageLinks::line(std::string_view file, std::int64_t number) const {
  std::string href = href_of(to_output + view_path(file));
  if (number > 0) href += "#" + line_anchor(number);
  return href;
}

std::string PageLinks::file(std::string_view path) const {
  return href_of(to_application + std::string(path));
}

std::string anchor(std::string_view href, std::string_view text) {
  return "<a href=\"" + std::string(href) + "\">" + html_escape(text) + "</a>";
}

std::string counted(std::int64_t value, std::string_view what) {
  return std::to_string(value) + " " + std::string(what) + (value == 1 ? "" : "s");
}

const char kPageStyle[] = R"(<style>
body { font-family: system-ui, -apple-system, "Segoe UI", Roboto, Helvetica, Arial, sans-serif;
       margin: 24px; color: #1f2933; background: #ffffff; }
h1 { font-size: 24px; margin: 0 0 4px 0; }
h2 { font-size: 18px; margin: 28px 0 10px 0; }
h3 { font-size: 16px; margin: 0 0 6px 0; font-family: ui-monospace, monospace; }
h4 { font-size: 14px; margin: 12px 0 4px 0; }
p.folder { margin: 0 0 18px 0; color: #52606d; font-family: ui-monospace, monospace; }
dl.totals { display: flex; flex-wrap: wrap; gap: 10px; margin: 0 0 10px 0; }
dl.totals div { border: 1px solid #d9e2ec; border-radius: 6px; padding: 8px 14px; min-width: 110px; }
dl.totals dt { font-size: 13px; color: #52606d; }
dl.totals dd { margin: 4px 0 0 0; font-size: 22px; font-weight: 600; }
dl.totals div.attention dd { color: #c0392b; }
div.findings { display: flex; flex-wrap: wrap; gap: 24px; align-items: flex-start; }
td.swatch span { display: inline-block; width: 12px; height: 12px; border-radius: 2px; vertical-align: -1px; }
div.scroll { overflow-x: auto; }
svg.chart text { font-size: 12px; fill: #1f2933; }
table { border-collapse: collapse; font-size: 13px; }
th, td { border: 1px solid #d9e2ec; padding: 3px 8px; }
th { background: #f0f4f8; font-weight: 600; vertical-align: bottom; text-align: left; }
td { text-align: right; font-variant-numeric: tabular-nums; }
td.name, td.text, td.place { text-align: left; }
td.name, td.place { font-family: ui-monospace, monospace; white-space: nowrap; }
table.programs td:nth-child(-n+3) { text-align: left; }
table.programs td:first-child { font-family: ui-monospace, monospace; white-space: nowrap; }
table.programs td:nth-child(2), table.programs td:nth-child(3) { white-space: nowrap; }
tbody tr:nth-child(even) { background: #f8fafc; }
tfoot td { font-weight: 600; background: #f0f4f8; }
table.sortable th[tabindex] { cursor: pointer; }
table.sortable th[aria-sort="ascending"]::after { content: " \25B2"; }
table.sortable th[aria-sort="descending"]::after { content: " \25BC"; }
form.filter { display: flex; flex-wrap: wrap; gap: 12px; align-items: center; margin: 0 0 10px 0; font-size: 13px; }
form.filter input, form.filter select { font: inherit; padding: 3px 6px; }
form.filter output { color: #52606d; }
section.program { border-top: 1px solid #d9e2ec; padding: 14px 0 6px 0; max-width: 1100px; }
span.kind, span.state, span.class { font-family: system-ui, sans-serif; font-size: 12px; font-weight: 600;
            border-radius: 4px; padding: 1px 6px; margin-left: 8px; vertical-align: 2px; }
span.screen { background: #e0ecfb; color: #1f4e8c; }
span.back-end { background: #ece6f5; color: #553c7b; }
span.state { background: #fde8e8; color: #9b1c1c; }
span.state.done { background: #e3f9e5; color: #1f6f3b; }
span.class { margin-left: 0; margin-right: 6px; }
span.c0 { background: #fde8e8; color: #9b1c1c; }
span.c1 { background: #fff3c4; color: #8d5b00; }
span.c2 { background: #e6f0fa; color: #2b5282; }
p.files, p.counts, p.top, p.reason { margin: 4px 0; font-size: 13px; color: #52606d; }
p.reason { color: #9b1c1c; }
p.files a { font-family: ui-monospace, monospace; }
ul.checklist { list-style: none; padding-left: 0; margin: 4px 0; font-size: 14px; }
ul.checklist li::before { content: "\2610  "; }
ul.checklist li { margin: 3px 0; }
span.where { color: #52606d; font-size: 12px; font-family: ui-monospace, monospace; }
table.lines { min-width: 600px; }
table.lines tr.group th { text-align: left; background: #f0f4f8; }
table.lines td.text { font-family: ui-monospace, monospace; white-space: pre-wrap; }
ul.members, ul.problems, ul.transfers { margin: 4px 0; padding-left: 20px; font-size: 13px; }
ul.members span.member { font-family: ui-monospace, monospace; }
ul.members li.missing, ul.problems li { color: #c0392b; }
p.note, p.none { font-size: 13px; color: #52606d; max-width: 900px; }
</style>
)";

// Sorts a table by the column whose heading is clicked: a column of numbers largest first, of
// texts from A to Z; a second click turns the order round. Rows equal in that column keep their
// order. The filter shows the programs whose name holds the text typed and that are in the
// state, have a finding of the class and of the kind chosen. Every table is plain HTML, so the
// page reads the same without the script, in the order it was written. For a large
// application the table holds the first programs only and the page carries every program as
// data ("programs-data"): then sorting and filtering work on the data, and the table shows the
// first rows of the result.
const char kPageScript[] = R"(<script>
(function () {
  function key(row, column) {
    var cell = row.cells[column];
    return cell ? cell.textContent.trim() : '';
  }
  function order(items, numbers, descending) {
    items.sort(function (a, b) {
      var by = numbers ? Number(a.key) - Number(b.key) : String(a.key).localeCompare(b.key);
      return (descending ? -by : by) || a.index - b.index;
    });
  }
  function mark(table, heading, numbers) {
    var now = heading.getAttribute('aria-sort');
    var descending = now ? now === 'ascending' : numbers;
    Array.prototype.forEach.call(table.tHead.rows[0].cells, function (cell) {
      cell.removeAttribute('aria-sort');
    });
    heading.setAttribute('aria-sort', descending ? 'descending' : 'ascending');
    return descending;
  }
  function sort_rows(table, column, heading) {
    var body = table.tBodies[0];
    var rows = Array.prototype.slice.call(body.rows);
    var numbers = rows.every(function (row) {
      var text = key(row, column);
      return text !== '' && !isNaN(text);
    });
    var descending = mark(table, heading, numbers);
    var items = rows.map(function (row, index) {
      return {row: row, index: index, key: key(row, column)};
    });
    order(items, numbers, descending);
    var rest = document.createDocumentFragment();
    items.forEach(function (item) { rest.appendChild(item.row); });
    body.appendChild(rest);
  }

  var programs = document.querySelector('table.programs');
  var block = document.getElementById('programs-data');
  /* Each program: name, link, state, state name, reason, kind, the three classes, findings,
     commands, steps, the classes it has and the kinds it has; the columns show entries 0, 3, 5
     to 11. */
  var data = block ? JSON.parse(block.textContent) : null;
  var columns = [0, 3, 5, 6, 7, 8, 9, 10, 11];
  var limit = programs ? programs.tBodies[0].rows.length : 0;
  var form = document.getElementById('filter');
  var shown = document.getElementById('shown');

  function render(entries) {
    var body = programs.tBodies[0];
    var rows = document.createDocumentFragment();
    entries.slice(0, limit).forEach(function (entry) {
      var row = document.createElement('tr');
      row.setAttribute('data-s', entry[2]);
      row.setAttribute('data-c', entry[12]);
      row.setAttribute('data-k', entry[13]);
      columns.forEach(function (at, column) {
        var cell = row.insertCell();
        if (column === 0) {
          var link = document.createElement('a');
          link.href = entry[1];
          link.textContent = entry[0];
          cell.appendChild(link);
        } else {
          cell.textContent = entry[at];
          if (column === 1 && entry[4]) cell.title = entry[4];
        }
      });
      rows.appendChild(row);
    });
    body.textContent = '';
    body.appendChild(rows);
  }
  function sort_data(column, heading) {
    var numbers = column >= 3;
    var descending = mark(programs, heading, numbers);
    var items = data.map(function (entry, index) {
      return {entry: entry, index: index, key: entry[columns[column]]};
    });
    order(items, numbers, descending);
    data = items.map(function (item) { return item.entry; });
    filter();
  }

  Array.prototype.forEach.call(document.querySelectorAll('table.sortable'), function (table) {
    Array.prototype.forEach.call(table.tHead.rows[0].cells, function (heading, column) {
      var sort = function () {
        if (data && table === programs) sort_data(column, heading);
        else sort_rows(table, column, heading);
      };
      heading.tabIndex = 0;
      heading.title = 'Sort by this column';
      heading.addEventListener('click', sort);
      heading.addEventListener('keydown', function (event) {
        if (event.key !== 'Enter' && event.key !== ' ') return;
        event.preventDefault();
        sort();
      });
    });
  });

  function matches(name, state, classes, kinds, wanted) {
    return (!wanted.name || name.toLowerCase().indexOf(wanted.name) >= 0) &&
        (!wanted.state || state === wanted.state) &&
        (!wanted.grade || classes.indexOf(wanted.grade) >= 0) &&
        (!wanted.kind || kinds.indexOf(' ' + wanted.kind + ' ') >= 0);
  }
  function filter() {
    if (!form) return;
    var wanted = {
      name: form.elements.name.value.trim().toLowerCase(),
      state: form.elements.state.value,
      grade: form.elements.grade.value,
      kind: form.elements.kind.value
    };
    var count = 0;
    var total = 0;
    if (data) {
      var found = data.filter(function (entry) {
        return matches(entry[0], String(entry[2]), entry[12], entry[13], wanted);
      });
      render(found);
      count = found.length;
      total = data.length;
      shown.textContent = count <= limit ? count + ' of ' + total + ' programs shown'
          : 'the first ' + limit + ' of ' + count + ' programs found shown, of ' + total;
      return;
    }
    var rows = programs.tBodies[0].rows;
    for (var i = 0; i < rows.length; ++i) {
      var row = rows[i];
      var show = matches(row.cells[0].textContent, row.getAttribute('data-s'),
                         row.getAttribute('data-c'), row.getAttribute('data-k'), wanted);
      row.hidden = !show;
      if (show) ++count;
    }
    shown.textContent = count + ' of ' + rows.length + ' programs shown';
  }
  if (!form || !programs) return;
  form.hidden = false;
  form.addEventListener('input', filter);
  form.addEventListener('change', filter);
  form.addEventListener('submit', function (event) { event.preventDefault(); filter(); });
  if (form.elements.name.value || form.elements.state.value || form.elements.grade.value ||
      form.elements.kind.value) filter();
})();
</script>
)";

}  // namespace report
