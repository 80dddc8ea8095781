// The migration report as one self-contained HTML page: totals, a bar chart and the table.
#include "report/html_report.h"

#include <algorithm>
#include <array>
#include <iterator>

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
    {Finding::kWithoutEndExec, "#3e7c59"},
    {Finding::kNotInCapitals, "#d37295"},
    {Finding::kCopybookError, "#fabfd2"},
    {Finding::kMultipleReceives, "#b07aa1"},
    {Finding::kFrontEndNotBuilt, "#9d7660"},
};
static_assert(std::size(kColours) == kFindingKindCount, "every finding kind has a colour");
static_assert(message_format::ids_in_order(kColours), "colours stand in the order of the kinds");

std::string number(std::int64_t value) {
  return std::to_string(value);
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

// Sum of each kind over all programs.
std::array<std::int64_t, kFindingKindCount> kind_totals(
    const std::vector<ProgramSummary>& programs) {
  std::array<std::int64_t, kFindingKindCount> totals{};
  for (const ProgramSummary& program : programs)
    for (std::size_t kind = 0; kind < kFindingKindCount; ++kind)
      totals[kind] += program.findings[kind];
  return totals;
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
td.name { text-align: left; font-family: ui-monospace, monospace; white-space: nowrap; }
td.zero { color: #bcccdc; }
tbody tr:nth-child(even) { background: #f8fafc; }
tfoot td { font-weight: 600; background: #f0f4f8; }
p.note { font-size: 13px; color: #52606d; max-width: 900px; }
</style>
)";

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

std::string findings_chart(const std::vector<ProgramSummary>& programs) {
  std::vector<const ProgramSummary*> order;
  for (const ProgramSummary& program : programs) order.push_back(&program);
  std::stable_sort(order.begin(), order.end(),
                   [](const ProgramSummary* a, const ProgramSummary* b) {
                     if (a->total_findings() != b->total_findings())
                       return a->total_findings() > b->total_findings();
                     return a->name < b->name;
                   });
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
    for (std::size_t kind = 0; kind < kFindingKindCount; ++kind) {
      std::int64_t count = program.findings[kind];
      if (count == 0) continue;
      counted += count;
      int left = right;
      right = kBarLeft + static_cast<int>(counted * kBarRoom / largest);
      svg += "<rect x=\"" + number(left) + "\" y=\"" + number(bar_top) + "\" width=\"" +
             number(right - left) + "\" height=\"" + number(kBarHeight) + "\" fill=\"" +
             std::string(kColours[kind].colour) + "\"><title>" + name + " - " +
             html_escape(finding_heading(kind_at(kind))) + ": " + number(count) +
             "</title></rect>\n";
    }
    svg += "<text x=\"" + number(right + 6) + "\" y=\"" + number(baseline) + "\">" +
           number(program.total_findings()) + "</text></g>\n";
  }
  svg += "</svg>\n";
  return svg;
}

std::string html_report(const std::vector<ProgramSummary>& programs, std::string_view folder) {
  std::array<std::int64_t, kFindingKindCount> totals = kind_totals(programs);
  std::int64_t lines_read = 0, lines_written = 0, exec_statements = 0, findings = 0, attention = 0;
  std::array<std::int64_t, kFindingKindCount> programs_with{};
  for (const ProgramSummary& program : programs) {
    lines_read += program.lines_read;
    lines_written += program.lines_written;
    exec_statements += program.exec_statements;
    findings += program.total_findings();
    if (program.total_findings() > 0) ++attention;
    for (std::size_t kind = 0; kind < kFindingKindCount; ++kind)
      if (program.findings[kind] > 0) ++programs_with[kind];
  }
  std::vector<std::size_t> shown;  // the kinds found at least once, in column order
  for (std::size_t kind = 0; kind < kFindingKindCount; ++kind)
    if (totals[kind] > 0) shown.push_back(kind);

  std::string page = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
  page += "<title>Migration report - " + html_escape(folder) + "</title>\n";
  page += kStyle;
  page += "</head>\n<body>\n<h1>Migration report</h1>\n";
  page += "<p class=\"folder\">" + html_escape(folder) + "</p>\n";

  page += "<dl class=\"totals\">\n";
  auto total = [&page](std::string_view label, std::int64_t value, bool alert) {
    page += alert ? "<div class=\"attention\">" : "<div>";
    page += "<dt>" + std::string(label) + "</dt><dd>" + number(value) + "</dd></div>\n";
  };
  total("Programs", static_cast<std::int64_t>(programs.size()), false);
  total("Input lines read", lines_read, false);
  total("Output lines written", lines_written, false);
  total("EXEC ZARN statements", exec_statements, false);
  total("Findings for manual attention", findings, findings > 0);
  total("Programs with findings", attention, attention > 0);
  page += "</dl>\n";

  page += "<h2>Findings that need manual attention, per program</h2>\n<div class=\"findings\">\n";
  page += findings_chart(programs);
  if (shown.empty()) {
    page += "<p>No finding needs manual attention.</p>\n";
  } else {
    // The table of kinds is also the chart's legend.
    page +=
        "<table class=\"kinds\">\n<thead><tr><th></th><th>Kind</th><th>Findings</th><th>Programs</th>"
        "</tr></thead>\n<tbody>\n";
    for (std::size_t kind : shown)
      page += "<tr><td class=\"swatch\"><span style=\"background:" +
              std::string(kColours[kind].colour) + "\"></span></td><td class=\"name\">" +
              html_escape(finding_heading(kind_at(kind))) + "</td><td>" + number(totals[kind]) +
              "</td><td>" + number(programs_with[kind]) + "</td></tr>\n";
    page += "</tbody>\n</table>\n";
  }
  page += "</div>\n";

  page +=
      "<h2>Programs</h2>\n<div class=\"scroll\">\n<table class=\"programs\">\n<thead><tr>"
      "<th>Program</th><th class=\"count\">Lines read</th><th class=\"count\">Lines written</th>"
      "<th class=\"count\">EXEC ZARN statements</th>";
  for (std::size_t kind : shown)
    page +=
        "<th class=\"kind\"><span>" + html_escape(finding_heading(kind_at(kind))) + "</span></th>";
  page += "<th class=\"count\">Total findings</th></tr></thead>\n<tbody>\n";
  for (const ProgramSummary& program : programs) {
    page += "<tr><td class=\"name\">" + html_escape(program.name) + "</td><td>" +
            number(program.lines_read) + "</td><td>" + number(program.lines_written) + "</td><td>" +
            number(program.exec_statements) + "</td>";
    for (std::size_t kind : shown) page += count_cell(program.findings[kind]);
    page += count_cell(program.total_findings()) + "</tr>\n";
  }
  page += "</tbody>\n<tfoot><tr><td class=\"name\">Total</td><td>" + number(lines_read) +
          "</td><td>" + number(lines_written) + "</td><td>" + number(exec_statements) + "</td>";
  for (std::size_t kind : shown) page += "<td>" + number(totals[kind]) + "</td>";
  page += "<td>" + number(findings) + "</td></tr></tfoot>\n</table>\n</div>\n";

  page +=
      "<p class=\"note\">Lines read and written are those of each program itself. Findings inside a "
      "copy book are counted for every program that copies it.";
  if (shown.size() < kFindingKindCount) {
    page += " Kinds found in no program:";
    bool first = true;
    for (std::size_t kind = 0; kind < kFindingKindCount; ++kind) {
      if (totals[kind] > 0) continue;
      page += first ? " " : ", ";
      page += html_escape(finding_heading(kind_at(kind)));
      first = false;
    }
    page += ".";
  }
  page += "</p>\n</body>\n</html>\n";
  return page;
}

}  // namespace report
