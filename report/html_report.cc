// The migration report as one self-contained HTML page: totals, a bar chart, sortable tables of
// the kinds, the programs and the members not converted, and each program in detail.
#include "report/html_report.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "report/checklist.h"
#include "report/csv_report.h"

namespace report {

namespace {

// Chart geometry in pixels: names on the left, bars from kBarLeft, the total after each bar.
constexpr int kChartWidth = 700;
constexpr int kNameRight = 170;
constexpr int kBarLeft = 180;
constexpr int kBarRoom = 460;
constexpr int kRowHeight = 26;
constexpr int kBarHeight = 18;
constexpr int kChartMargin = 4;

// The chart shows the programs with the most findings, at most this many: with a thousand
// programs a bar each would bury the tables under it. The table of programs lists them all.
constexpr std::size_t kChartBars = 40;

// Names longer than this many bytes are shortened in the chart; the table shows them whole.
constexpr std::size_t kChartNameLength = 24;

// The colour of each finding kind in the chart.
struct KindColour {
  Finding id;
  std::string_view colour;
};
constexpr KindColour kColours[] = {
    {Finding::kLink, "#4e79a7"},
    {Finding::kXctl, "#a0cbe8"},
    {Finding::kConverse, "#f28e2b"},
    {Finding::kReturnOptionDropped, "#e17c05"},
    {Finding::kRoute, "#ffbe7d"},
    {Finding::kAssignTermcode, "#59a14f"},
    {Finding::kSendPage, "#8cd17d"},
    {Finding::kSendAccum, "#b6992d"},
    {Finding::kSendControl, "#f1ce63"},
    {Finding::kSendCtlcharRemoved, "#499894"},
    {Finding::kSendWithoutParameters, "#86bcb6"},
    {Finding::kSendConvidOrSession, "#e15759"},
    {Finding::kReceiveBuffer, "#ff9d9a"},
    {Finding::kReceiveWithoutMap, "#79706e"},
    {Finding::kInvalidKey, "#bab0ac"},
    {Finding::kKvzaidNotCopied, "#6b5b95"},
    {Finding::kUsrcommWithoutLayout, "#c94c4c"},
    {Finding::kMapAreaInWorkingStorage, "#5f4690"},
    {Finding::kWithoutEndExec, "#3e7c59"},
    {Finding::kNotInCapitals, "#d37295"},
    {Finding::kCopybookError, "#fabfd2"},
    {Finding::kMultipleReceives, "#b07aa1"},
    {Finding::kFrontEndNotBuilt, "#9d7660"},
};
static_assert(std::size(kColours) == kFindingKindCount, "every finding kind has a colour");
static_assert(message_format::ids_in_order(kColours), "colours stand in the order of the kinds");

// The colour and the name of the messages the report does not know.
constexpr std::string_view kOtherColour = "#2f4b7c";
constexpr std::string_view kOtherHeading = "other messages";

std::string number(std::int64_t value) {
  return std::to_string(value);
}

// "1 finding", "2 findings".
std::string counted(std::int64_t value, std::string_view what) {
  return number(value) + " " + std::string(what) + (value == 1 ? "" : "s");
}

// At most kChartNameLength bytes of `name`, cut between characters, with an ellipsis if cut.
std::string chart_name(std::string_view name) {
  if (name.size() <= kChartNameLength) return std::string(name);
  std::size_t cut = kChartNameLength - 1;
  while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
  return std::string(name.substr(0, cut)) + "\xE2\x80\xA6";
}

Finding kind_at(std::size_t index) {
  return static_cast<Finding>(index);
}

std::string count_cell(std::int64_t value) {
  if (value == 0) return "<td class=\"zero\">0</td>";
  return "<td>" + number(value) + "</td>";
}

const char kStyle[] = R"(<style>
body { font-family: system-ui, -apple-system, "Segoe UI", Roboto, Helvetica, Arial, sans-serif;
       margin: 24px; color: #1f2933; background: #ffffff; }
h1 { font-size: 24px; margin: 0 0 4px 0; }
h2 { font-size: 18px; margin: 24px 0 10px 0; }
h3 { font-size: 16px; margin: 0 0 6px 0; font-family: ui-monospace, monospace; }
h4 { font-size: 14px; margin: 12px 0 4px 0; }
p.folder { margin: 0 0 18px 0; color: #52606d; font-family: ui-monospace, monospace; }
dl.totals { display: flex; flex-wrap: wrap; gap: 10px; margin: 0; }
dl.totals div { border: 1px solid #d9e2ec; border-radius: 6px; padding: 8px 14px; min-width: 120px; }
dl.totals dt { font-size: 13px; color: #52606d; }
dl.totals dd { margin: 4px 0 0 0; font-size: 22px; font-weight: 600; }
dl.totals div.attention dd { color: #c0392b; }
div.findings { display: flex; flex-wrap: wrap; gap: 24px; align-items: flex-start; }
td.swatch span { display: inline-block; width: 12px; height: 12px; border-radius: 2px; vertical-align: -1px; }
div.scroll { overflow-x: auto; }
th.kind { padding: 6px 4px; }
th.kind span { display: inline-block; writing-mode: vertical-rl; transform: rotate(180deg); white-space: nowrap; }
table.kinds td.name { font-family: inherit; }
table.kinds th, table.kinds td { padding: 2px 8px; }
th.count { min-width: 56px; max-width: 84px; }
svg.chart text { font-size: 12px; fill: #1f2933; }
table { border-collapse: collapse; font-size: 13px; }
th, td { border: 1px solid #d9e2ec; padding: 4px 8px; }
th { background: #f0f4f8; font-weight: 600; vertical-align: bottom; }
td { text-align: right; font-variant-numeric: tabular-nums; }
td.name, td.text, td.place { text-align: left; }
td.name, td.place { font-family: ui-monospace, monospace; white-space: nowrap; }
td.zero { color: #bcccdc; }
tbody tr:nth-child(even) { background: #f8fafc; }
tfoot td { font-weight: 600; background: #f0f4f8; }
table.sortable th[tabindex] { cursor: pointer; }
table.sortable th[aria-sort="ascending"]::after { content: " \25B2"; }
table.sortable th[aria-sort="descending"]::after { content: " \25BC"; }
section.program { border-top: 1px solid #d9e2ec; padding: 14px 0 6px 0; max-width: 1100px; }
span.kind { font-family: system-ui, sans-serif; font-size: 12px; font-weight: 600; border-radius: 4px;
            padding: 1px 6px; margin-left: 8px; vertical-align: 2px; }
span.screen { background: #e0ecfb; color: #1f4e8c; }
span.back-end { background: #ece6f5; color: #553c7b; }
p.files, p.counts, p.top { margin: 4px 0; font-size: 13px; color: #52606d; }
p.files a { font-family: ui-monospace, monospace; }
ul.checklist { list-style: none; padding-left: 0; margin: 4px 0; font-size: 14px; }
ul.checklist li::before { content: "\2610  "; }
ul.checklist li { margin: 3px 0; }
span.where { color: #52606d; font-size: 12px; font-family: ui-monospace, monospace; }
table.lines { min-width: 600px; }
table.lines tr.group th { text-align: left; background: #f0f4f8; }
table.lines td.text { font-family: ui-monospace, monospace; white-space: pre-wrap; }
ul.members { margin: 4px 0; padding-left: 20px; font-size: 13px; }
ul.members span.member { font-family: ui-monospace, monospace; }
ul.members li.missing { color: #c0392b; }
p.note, p.none { font-size: 13px; color: #52606d; max-width: 900px; }
</style>
)";

// Sorts a table by the column whose heading is clicked: a column of numbers largest first, of
// texts from A to Z; a second click turns the order round. Rows equal in that column keep their
// order. The page holds every table in plain HTML, so it reads the same without the script.
const char kSortScript[] = R"(<script>
(function () {
  function key(row, column) {
    var cell = row.cells[column];
    return cell ? cell.textContent.trim() : '';
  }
  function sort(table, column, heading) {
    var body = table.tBodies[0];
    var rows = Array.prototype.slice.call(body.rows);
    var numbers = rows.every(function (row) {
      var text = key(row, column);
      return text !== '' && !isNaN(text);
    });
    var now = heading.getAttribute('aria-sort');
    var descending = now ? now === 'ascending' : numbers;
    Array.prototype.forEach.call(table.tHead.rows[0].cells, function (cell) {
      cell.removeAttribute('aria-sort');
    });
    heading.setAttribute('aria-sort', descending ? 'descending' : 'ascending');
    var items = rows.map(function (row, index) {
      return {row: row, index: index, key: key(row, column)};
    });
    items.sort(function (a, b) {
      var order = numbers ? Number(a.key) - Number(b.key) : a.key.localeCompare(b.key);
      return (descending ? -order : order) || a.index - b.index;
    });
    items.forEach(function (item) { body.appendChild(item.row); });
  }
  Array.prototype.forEach.call(document.querySelectorAll('table.sortable'), function (table) {
    Array.prototype.forEach.call(table.tHead.rows[0].cells, function (heading, column) {
      heading.tabIndex = 0;
      heading.title = 'Sort by this column';
      heading.addEventListener('click', function () { sort(table, column, heading); });
      heading.addEventListener('keydown', function (event) {
        if (event.key !== 'Enter' && event.key !== ' ') return;
        event.preventDefault();
        sort(table, column, heading);
      });
    });
  });
})();
</script>
)";

// The id of the `number`th program's detail.
std::string detail_id(std::size_t number) {
  return "program-" + std::to_string(number);
}

// A link to `path` (relative to the page) showing `text`.
std::string link(std::string_view path, std::string_view text) {
  return "<a href=\"" + href_of(path) + "\">" + html_escape(text) + "</a>";
}

// The last part of a path, the file's own name.
std::string_view file_name(std::string_view path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// What a member's outcome is called in the page.
constexpr std::string_view kMemberOutcome[] = {
    "converted", "not found", "found, but its converted copy could not be written",
    "not opened: copy books nested more than 10 deep",
    "the monitor's own member: not opened, to be supplied"};

// The kinds found at least once, in column order.
std::vector<std::size_t> kinds_found(const ApplicationTotals& totals) {
  std::vector<std::size_t> shown;
  for (std::size_t kind = 0; kind < kFindingKindCount; ++kind)
    if (totals.kinds[kind] > 0) shown.push_back(kind);
  return shown;
}

void append_totals(std::string& page, const ApplicationTotals& totals, std::int64_t not_found) {
  page += "<dl class=\"totals\">\n";
  auto total = [&page](std::string_view label, std::int64_t value, bool alert) {
    page += alert ? "<div class=\"attention\">" : "<div>";
    page += "<dt>" + std::string(label) + "</dt><dd>" + number(value) + "</dd></div>\n";
  };
  total("Programs", totals.programs, false);
  total("Screen programs", totals.screen_programs, false);
  total("Back-end programs", totals.programs - totals.screen_programs, false);
  total("Input lines read", totals.lines_read, false);
  total("Output lines written", totals.lines_written, false);
  total("EXEC ZARN statements", totals.exec_statements, false);
  total("Findings for manual attention", totals.findings, totals.findings > 0);
  total("Programs with findings", totals.programs_with_findings, totals.programs_with_findings > 0);
  total("Members not found", not_found, not_found > 0);
  page += "</dl>\n";
}

// The table of kinds, which is also the chart's legend.
void append_kinds(std::string& page, const ApplicationTotals& totals) {
  std::vector<std::size_t> shown = kinds_found(totals);
  if (shown.empty() && totals.other_messages == 0) {
    page += "<p>No finding needs manual attention.</p>\n";
    return;
  }
  page +=
      "<table class=\"kinds sortable\">\n<thead><tr><th></th><th>Kind</th><th>Findings</th>"
      "<th>Programs</th></tr></thead>\n<tbody>\n";
  auto row = [&page](std::string_view colour, std::string_view heading, std::int64_t findings,
                     std::int64_t programs) {
    page += "<tr><td class=\"swatch\"><span style=\"background:" + std::string(colour) +
            "\"></span></td><td class=\"name\">" + html_escape(heading) + "</td><td>" +
            number(findings) + "</td><td>" + number(programs) + "</td></tr>\n";
  };
  for (std::size_t kind : shown)
    row(kColours[kind].colour, finding_heading(kind_at(kind)), totals.kinds[kind],
        totals.programs_with[kind]);
  if (totals.other_messages > 0)
    row(kOtherColour, kOtherHeading, totals.other_messages, totals.programs_with_other);
  page += "</tbody>\n</table>\n";
}

void append_programs(std::string& page, const std::vector<ProgramSummary>& programs,
                     const ApplicationTotals& totals) {
  std::vector<std::size_t> shown = kinds_found(totals);
  bool other = totals.other_messages > 0;
  page +=
      "<h2 id=\"programs\">Programs</h2>\n<div class=\"scroll\">\n"
      "<table class=\"programs sortable\">\n<thead><tr>"
      "<th>Program</th><th>Kind</th><th class=\"count\">Lines read</th>"
      "<th class=\"count\">Lines written</th><th class=\"count\">EXEC ZARN statements</th>";
  for (std::size_t kind : shown)
    page +=
        "<th class=\"kind\"><span>" + html_escape(finding_heading(kind_at(kind))) + "</span></th>";
  if (other) page += "<th class=\"kind\"><span>" + std::string(kOtherHeading) + "</span></th>";
  page +=
      "<th class=\"count\">Total findings</th><th class=\"count\">Manual steps</th></tr>"
      "</thead>\n<tbody>\n";
  for (std::size_t i = 0; i < programs.size(); ++i) {
    const ProgramSummary& program = programs[i];
    page += "<tr><td class=\"name\"><a href=\"#" + detail_id(i + 1) + "\">" +
            html_escape(program.name) + "</a></td><td class=\"name\">" +
            std::string(program_kind(program)) + "</td><td>" + number(program.lines_read) +
            "</td><td>" + number(program.lines_written) + "</td><td>" +
            number(program.exec_statements) + "</td>";
    for (std::size_t kind : shown) page += count_cell(program.findings[kind]);
    if (other) page += count_cell(program.other_messages);
    page += count_cell(program.total_findings()) +
            count_cell(static_cast<std::int64_t>(manual_steps(program).size())) + "</tr>\n";
  }
  page += "</tbody>\n<tfoot><tr><td class=\"name\">Total</td><td></td><td>" +
          number(totals.lines_read) + "</td><td>" + number(totals.lines_written) + "</td><td>" +
          number(totals.exec_statements) + "</td>";
  for (std::size_t kind : shown) page += "<td>" + number(totals.kinds[kind]) + "</td>";
  if (other) page += "<td>" + number(totals.other_messages) + "</td>";
  page += "<td>" + number(totals.findings) + "</td><td></td></tr></tfoot>\n</table>\n</div>\n";
}

// The members that some program could not convert, with the programs that copy them.
void append_members_not_converted(std::string& page, const std::vector<ProgramSummary>& programs,
                                  const std::vector<MemberCopies>& members) {
  std::string rows;
  for (const MemberCopies& member : members) {
    if (member.outcome == MemberOutcome::kConverted) continue;
    rows += "<tr><td class=\"name\">" + html_escape(member.name) + "</td><td class=\"text\">" +
            std::string(kMemberOutcome[static_cast<std::size_t>(member.outcome)]) + "</td><td>" +
            number(static_cast<std::int64_t>(member.programs.size())) + "</td><td class=\"text\">";
    for (std::size_t i = 0; i < member.programs.size(); ++i) {
      const ProgramSummary* program = member.programs[i];
      std::size_t at = static_cast<std::size_t>(program - programs.data());
      rows += (i == 0 ? "" : ", ") + std::string("<a href=\"#") + detail_id(at + 1) + "\">" +
              html_escape(program->name) + "</a>";
    }
    rows += "</td></tr>\n";
  }
  page += "<h2 id=\"members\">Copybook members not converted</h2>\n";
  if (rows.empty()) {
    page += "<p class=\"none\">Every copybook member was found and converted.</p>\n";
    return;
  }
  page +=
      "<table class=\"members sortable\">\n<thead><tr><th>Member</th><th>What became of it</th>"
      "<th>Programs</th><th>Copied by</th></tr></thead>\n<tbody>\n" +
      rows + "</tbody>\n</table>\n";
}

// The listed lines of one group of the detail: a heading row, then each line with its place.
void append_group(std::string& rows, std::string_view heading, std::int64_t count,
                  const std::vector<const ListedLine*>& lines) {
  rows += "<tr class=\"group\"><th colspan=\"2\">" + html_escape(heading) + " (" + number(count) +
          ")</th></tr>\n";
  for (const ListedLine* line : lines)
    rows += "<tr><td class=\"place\">" + html_escape(place_of(*line)) + "</td><td class=\"text\">" +
            html_escape(line->text) + "</td></tr>\n";
}

}  // namespace

std::string html_escape(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&#39;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string href_of(std::string_view path) {
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  for (char c : path) {
    unsigned char byte = static_cast<unsigned char>(c);
    bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                 (byte >= '0' && byte <= '9') || c == '-' || c == '.' || c == '_' || c == '~' ||
                 c == '/';
    if (plain) {
      encoded += c;
    } else {
      encoded += '%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 0x0F];
    }
  }
  return html_escape(encoded);
}

std::string findings_chart(const std::vector<ProgramSummary>& programs) {
  std::vector<const ProgramSummary*> order;
  for (const ProgramSummary& program : programs) order.push_back(&program);
  std::stable_sort(order.begin(), order.end(),
                   [](const ProgramSummary* a, const ProgramSummary* b) {
                     if (a->total_findings() != b->total_findings())
                       return a->total_findings() > b->total_findings();
                     return a->name < b->name;
                   });
  if (order.size() > kChartBars) order.resize(kChartBars);
  std::int64_t largest = order.empty() ? 0 : order.front()->total_findings();
  int height = 2 * kChartMargin + kRowHeight * static_cast<int>(order.size());

  std::string svg =
      "<svg class=\"chart\" width=\"" + number(kChartWidth) + "\" height=\"" + number(height) +
      "\" viewBox=\"0 0 " + number(kChartWidth) + " " + number(height) +
      "\" role=\"img\" aria-label=\"Findings that need manual attention, per program\">\n";
  for (std::size_t row = 0; row < order.size(); ++row) {
    const ProgramSummary& program = *order[row];
    int top = kChartMargin + kRowHeight * static_cast<int>(row);
    int bar_top = top + (kRowHeight - kBarHeight) / 2;
    int baseline = bar_top + kBarHeight - 4;
    std::string name = html_escape(program.name);
    svg +=
        "<g class=\"bar\"><title>" + name + ": " + number(program.total_findings()) + "</title>\n";
    svg += "<text x=\"" + number(kNameRight) + "\" y=\"" + number(baseline) +
           "\" text-anchor=\"end\">" + html_escape(chart_name(program.name)) + "</text>\n";
    // Segments start where the findings counted so far end, so rounding leaves no gaps.
    std::int64_t counted = 0;
    int right = kBarLeft;
    auto segment = [&](std::int64_t count, std::string_view colour, std::string_view heading) {
      if (count == 0) return;
      counted += count;
      int left = right;
      right = kBarLeft + static_cast<int>(counted * kBarRoom / largest);
      svg += "<rect x=\"" + number(left) + "\" y=\"" + number(bar_top) + "\" width=\"" +
             number(right - left) + "\" height=\"" + number(kBarHeight) + "\" fill=\"" +
             std::string(colour) + "\"><title>" + name + " - " + html_escape(heading) + ": " +
             number(count) + "</title></rect>\n";
    };
    for (std::size_t kind = 0; kind < kFindingKindCount; ++kind)
      segment(program.findings[kind], kColours[kind].colour, finding_heading(kind_at(kind)));
    segment(program.other_messages, kOtherColour, kOtherHeading);
    svg += "<text x=\"" + number(right + 6) + "\" y=\"" + number(baseline) + "\">" +
           number(program.total_findings()) + "</text></g>\n";
  }
  svg += "</svg>\n";
  return svg;
}

std::string program_detail(const ProgramSummary& program, std::size_t number_on_page) {
  const ProgramFiles& files = program.files;
  std::string detail = "<section class=\"program\" id=\"" + detail_id(number_on_page) + "\">\n";
  detail += "<h3>" + html_escape(program.name) + "<span class=\"kind " +
            std::string(program_kind(program)) + "\">" +
            (program.screen_program() ? "screen program" : "back-end program") + "</span></h3>\n";
  std::string links;
  for (const auto& [what, path] : {std::pair{"Message file", files.message_file},
                                   std::pair{"Converted program", files.converted_program},
                                   std::pair{"Front end", files.front_end}}) {
    if (path.empty()) continue;
    if (!links.empty()) links += " \xC2\xB7 ";
    links += std::string(what) + " " + link(path, file_name(path));
  }
  if (!links.empty()) detail += "<p class=\"files\">" + links + "</p>\n";
  detail += "<p class=\"counts\">" + counted(program.lines_read, "line") + " read, " +
            number(program.lines_written) + " written, " +
            counted(program.exec_statements, "EXEC ZARN statement") + ", " +
            counted(program.map_requests, "map request") + ", " +
            counted(program.total_findings(), "finding") + ".</p>\n";

  std::vector<ChecklistItem> steps = manual_steps(program);
  detail += "<h4>Manual steps</h4>\n";
  if (steps.empty()) {
    detail += "<p class=\"none\">None.</p>\n";
  } else {
    detail += "<ul class=\"checklist\">\n";
    for (const ChecklistItem& item : steps) {
      detail += "<li>" + html_escape(item.step);
      if (!item.where.empty())
        detail += " <span class=\"where\">" + html_escape(item.where) + "</span>";
      detail += "</li>\n";
    }
    detail += "</ul>\n";
  }

  std::string rows;
  for (std::size_t kind = 0; kind < kFindingKindCount; ++kind) {
    if (program.findings[kind] == 0) continue;
    std::vector<const ListedLine*> lines;
    for (const ListedLine& line : program.listed)
      if (line.finding == kind_at(kind)) lines.push_back(&line);
    append_group(rows, finding_heading(kind_at(kind)), program.findings[kind], lines);
  }
  if (program.other_messages > 0) {
    std::vector<const ListedLine*> lines;
    for (const ListedLine& line : program.listed)
      if (!line.finding && !line.message) lines.push_back(&line);
    append_group(rows, "other messages, which this report does not know", program.other_messages,
                 lines);
  }
  detail += "<h4>Findings</h4>\n";
  if (rows.empty())
    detail += "<p class=\"none\">None.</p>\n";
  else
    detail += "<table class=\"lines\">\n<tbody>\n" + rows + "</tbody>\n</table>\n";
  if (program.unlisted > 0)
    detail += "<p class=\"note\">" + number(program.unlisted) +
              " more lines and members are not listed here: see the message file.</p>\n";

  detail += "<h4>Copybook members</h4>\n";
  if (program.members.empty()) {
    detail += "<p class=\"none\">None.</p>\n";
  } else {
    detail += "<ul class=\"members\">\n";
    for (const MemberUse& member : program.members) {
      bool converted = member.outcome == MemberOutcome::kConverted;
      auto copy = files.member_copies.find(member.name);
      detail += converted ? "<li>" : "<li class=\"missing\">";
      detail += "<span class=\"member\">" + html_escape(member.name) + "</span> " +
                std::string(kMemberOutcome[static_cast<std::size_t>(member.outcome)]);
      if (copy != files.member_copies.end())
        detail += ": " + link(copy->second, file_name(copy->second));
      detail += "</li>\n";
    }
    detail += "</ul>\n";
  }
  detail += "<p class=\"top\"><a href=\"#programs\">Back to the programs</a></p>\n</section>\n";
  return detail;
}

std::string html_report(const std::vector<ProgramSummary>& programs,
                        const ApplicationTotals& totals, std::string_view folder) {
  std::vector<MemberCopies> members = members_of(programs);
  std::int64_t not_found = 0;
  for (const MemberCopies& member : members)
    if (member.outcome == MemberOutcome::kNotFound) ++not_found;

  std::string page = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
  page += "<title>Migration report - " + html_escape(folder) + "</title>\n";
  page += kStyle;
  page += "</head>\n<body>\n<h1>Migration report</h1>\n";
  page += "<p class=\"folder\">" + html_escape(folder) + "</p>\n";
  append_totals(page, totals, not_found);

  page += "<h2>Findings that need manual attention, per program</h2>\n<div class=\"findings\">\n";
  page += findings_chart(programs);
  append_kinds(page, totals);
  page += "</div>\n";
  if (programs.size() > kChartBars)
    page += "<p class=\"note\">The chart shows the " + number(kChartBars) +
            " programs with the most findings; the table lists every program.</p>\n";

  append_programs(page, programs, totals);
  page +=
      "<p class=\"note\">Lines read and written are those of each program itself. Findings inside a "
      "copy book are counted for every program that copies it. A screen program makes map "
      "requests (SEND MAP, SEND TEXT, RECEIVE MAP); a back-end program makes none. Click a "
      "column heading to sort the table by it.";
  std::vector<std::size_t> shown = kinds_found(totals);
  if (shown.size() < kFindingKindCount) {
    page += " Kinds found in no program:";
    bool first = true;
    for (std::size_t kind = 0; kind < kFindingKindCount; ++kind) {
      if (totals.kinds[kind] > 0) continue;
      page += first ? " " : ", ";
      page += html_escape(finding_heading(kind_at(kind)));
      first = false;
    }
    page += ".";
  }
  page += "</p>\n";

  append_members_not_converted(page, programs, members);

  page += "<h2 id=\"details\">Programs in detail</h2>\n";
  for (std::size_t i = 0; i < programs.size(); ++i) page += program_detail(programs[i], i + 1);
  page += kSortScript;
  page += "</body>\n</html>\n";
  return page;
}

}  // namespace report
