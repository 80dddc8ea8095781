// Tests of the HTML report: escaping, the bar chart and the page.
#include "report/html_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace report {
namespace {

ProgramSummary program(const std::string& name, std::int64_t read, std::int64_t written,
                       std::int64_t exec) {
  ProgramSummary summary;
  summary.name = name;
  summary.lines_read = read;
  summary.lines_written = written;
  summary.exec_statements = exec;
  return summary;
}

// Three programs: "A&B" with 2 LINK and 1 ROUTE, "B" without findings, "C" with 6 SEND PAGE.
std::vector<ProgramSummary> three_programs() {
  ProgramSummary a = program("A&B", 100, 110, 5);
  a.count(Finding::kLink) = 2;
  a.count(Finding::kRoute) = 1;
  ProgramSummary b = program("B", 20, 25, 0);
  ProgramSummary c = program("C", 300, 320, 12);
  c.count(Finding::kSendPage) = 6;
  return {a, b, c};
}

// The chart of three_programs(): C (6) first, then A&B (3), then B (0); the largest bar takes
// the 460 pixels from x 180, rows are 26 pixels apart below a margin of 4, bars 18 high, names
// end at x 170 and each total stands 6 pixels after its bar.
const char kThreeProgramsChart[] =
    "<svg class=\"chart\" width=\"700\" height=\"86\" viewBox=\"0 0 700 86\" role=\"img\" "
    "aria-label=\"Findings that need manual attention, per program\">\n"
    "<g class=\"bar\"><title>C: 6</title>\n"
    "<text x=\"170\" y=\"22\" text-anchor=\"end\">C</text>\n"
    "<rect x=\"180\" y=\"8\" width=\"460\" height=\"18\" fill=\"#8cd17d\"><title>C - SEND PAGE: 6</title></rect>\n"
    "<text x=\"646\" y=\"22\">6</text></g>\n"
    "<g class=\"bar\"><title>A&amp;B: 3</title>\n"
    "<text x=\"170\" y=\"48\" text-anchor=\"end\">A&amp;B</text>\n"
    "<rect x=\"180\" y=\"34\" width=\"153\" height=\"18\" fill=\"#4e79a7\"><title>A&amp;B - LINK: 2</title></rect>\n"
    "<rect x=\"333\" y=\"34\" width=\"77\" height=\"18\" fill=\"#ffbe7d\"><title>A&amp;B - ROUTE: 1</title></rect>\n"
    "<text x=\"416\" y=\"48\">3</text></g>\n"
    "<g class=\"bar\"><title>B: 0</title>\n"
    "<text x=\"170\" y=\"74\" text-anchor=\"end\">B</text>\n"
    "<text x=\"186\" y=\"74\">0</text></g>\n"
    "</svg>\n";

TEST(HtmlReport, MarkupCharactersAreEscaped) {
  const struct {
    std::string text;
    std::string expected;
  } cases[] = {
      {"MENU01", "MENU01"},
      {"a<b>&c", "a&lt;b&gt;&amp;c"},
      {"\"quoted\" 'single'", "&quot;quoted&quot; &#39;single&#39;"},
      {"&amp;", "&amp;amp;"},
      {"caf\xC3\xA9", "caf\xC3\xA9"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(html_escape(row.text), row.expected);
  }
}

TEST(HtmlReport, ChartHasOneBarPerProgramLargestFirst) {
  EXPECT_EQ(findings_chart(three_programs()), kThreeProgramsChart);
}

TEST(HtmlReport, ChartOrdersEqualBarsByNameAndShortensLongNames) {
  // 45 letters are cut to 23 and an ellipsis; a two-byte character across the cut is never split.
  std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRS";
  std::string accented = std::string(22, 'x') + "\xC3\xA9yyy";
  std::vector<ProgramSummary> programs = {program("Z", 1, 1, 0), program(accented, 1, 1, 0),
                                          program(letters, 1, 1, 0)};
  EXPECT_EQ(
      findings_chart(programs),
      "<svg class=\"chart\" width=\"700\" height=\"86\" viewBox=\"0 0 700 86\" role=\"img\" "
      "aria-label=\"Findings that need manual attention, per program\">\n"
      "<g class=\"bar\"><title>ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRS: 0</title>\n"
      "<text x=\"170\" y=\"22\" text-anchor=\"end\">ABCDEFGHIJKLMNOPQRSTUVW\xE2\x80\xA6</text>\n"
      "<text x=\"186\" y=\"22\">0</text></g>\n"
      "<g class=\"bar\"><title>Z: 0</title>\n"
      "<text x=\"170\" y=\"48\" text-anchor=\"end\">Z</text>\n"
      "<text x=\"186\" y=\"48\">0</text></g>\n"
      "<g class=\"bar\"><title>" +
          accented +
          ": 0</title>\n"
          "<text x=\"170\" y=\"74\" text-anchor=\"end\">" +
          std::string(22, 'x') +
          "\xE2\x80\xA6</text>\n"
          "<text x=\"186\" y=\"74\">0</text></g>\n"
          "</svg>\n");
}

TEST(HtmlReport, PageHoldsTotalsChartAndTable) {
  std::string page = html_report(three_programs(), "/apps/pay&roll");
  std::size_t style = page.find("<style>");
  ASSERT_NE(style, std::string::npos);
  EXPECT_EQ(page.substr(0, style),
            "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
            "<title>Migration report - /apps/pay&amp;roll</title>\n");
  std::size_t body = page.find("</head>\n<body>\n");
  ASSERT_NE(body, std::string::npos);
  EXPECT_EQ(
      page.substr(body),
      "</head>\n<body>\n<h1>Migration report</h1>\n"
      "<p class=\"folder\">/apps/pay&amp;roll</p>\n"
      "<dl class=\"totals\">\n"
      "<div><dt>Programs</dt><dd>3</dd></div>\n"
      "<div><dt>Input lines read</dt><dd>420</dd></div>\n"
      "<div><dt>Output lines written</dt><dd>455</dd></div>\n"
      "<div><dt>EXEC ZARN statements</dt><dd>17</dd></div>\n"
      "<div class=\"attention\"><dt>Findings for manual attention</dt><dd>9</dd></div>\n"
      "<div class=\"attention\"><dt>Programs with findings</dt><dd>2</dd></div>\n"
      "</dl>\n"
      "<h2>Findings that need manual attention, per program</h2>\n<div class=\"findings\">\n" +
          std::string(kThreeProgramsChart) +
          "<table class=\"kinds\">\n"
          "<thead><tr><th></th><th>Kind</th><th>Findings</th><th>Programs</th></tr></thead>\n"
          "<tbody>\n"
          "<tr><td class=\"swatch\"><span style=\"background:#4e79a7\"></span></td>"
          "<td class=\"name\">LINK</td><td>2</td><td>1</td></tr>\n"
          "<tr><td class=\"swatch\"><span style=\"background:#ffbe7d\"></span></td>"
          "<td class=\"name\">ROUTE</td><td>1</td><td>1</td></tr>\n"
          "<tr><td class=\"swatch\"><span style=\"background:#8cd17d\"></span></td>"
          "<td class=\"name\">SEND PAGE</td><td>6</td><td>1</td></tr>\n"
          "</tbody>\n</table>\n</div>\n"
          "<h2>Programs</h2>\n<div class=\"scroll\">\n<table class=\"programs\">\n"
          "<thead><tr><th>Program</th><th class=\"count\">Lines read</th>"
          "<th class=\"count\">Lines written</th><th class=\"count\">EXEC ZARN statements</th>"
          "<th class=\"kind\"><span>LINK</span></th><th class=\"kind\"><span>ROUTE</span></th>"
          "<th class=\"kind\"><span>SEND PAGE</span></th><th class=\"count\">Total findings</th>"
          "</tr></thead>\n"
          "<tbody>\n"
          "<tr><td class=\"name\">A&amp;B</td><td>100</td><td>110</td><td>5</td><td>2</td><td>1</td>"
          "<td class=\"zero\">0</td><td>3</td></tr>\n"
          "<tr><td class=\"name\">B</td><td>20</td><td>25</td><td>0</td><td class=\"zero\">0</td>"
          "<td class=\"zero\">0</td><td class=\"zero\">0</td><td class=\"zero\">0</td></tr>\n"
          "<tr><td class=\"name\">C</td><td>300</td><td>320</td><td>12</td><td class=\"zero\">0</td>"
          "<td class=\"zero\">0</td><td>6</td><td>6</td></tr>\n"
          "</tbody>\n"
          "<tfoot><tr><td class=\"name\">Total</td><td>420</td><td>455</td><td>17</td><td>2</td>"
          "<td>1</td><td>6</td><td>9</td></tr></tfoot>\n</table>\n</div>\n"
          "<p class=\"note\">Lines read and written are those of each program itself. Findings "
          "inside a copy book are counted for every program that copies it. Kinds found in no "
          "program: XCTL, CONVERSE, ASSIGN TERMCODE, SEND ACCUM, SEND CONTROL, SEND CTLCHAR "
          "removed, SEND without parameters, SEND CONVID or SESSION, RECEIVE BUFFER, RECEIVE "
          "without MAP, invalid PF/PA keys, KVZAID not copied, USRCOMM without layout, EXEC ZARN "
          "without END-EXEC, EXEC ZARN not in capitals, copybook errors, multiple "
          "RECEIVE maps, front end not built.</p>\n</body>\n</html>\n");
}

TEST(HtmlReport, PageNeedsNothingFromOutside) {
  std::string page = html_report(three_programs(), "/apps");
  for (const char* outside :
       {"<script", "<link", "<img", "src=", "href=", "url(", "@import", "http"}) {
    SCOPED_TRACE(outside);
    EXPECT_EQ(page.find(outside), std::string::npos);
  }
}

TEST(HtmlReport, PageWithoutFindingsSaysSo) {
  std::string page = html_report({program("ONLY", 10, 12, 1)}, "/apps");
  std::size_t findings = page.find("<div class=\"findings\">\n");
  std::size_t programs = page.find("<h2>Programs</h2>\n");
  ASSERT_NE(findings, std::string::npos);
  ASSERT_NE(programs, std::string::npos);
  EXPECT_EQ(page.substr(findings, programs - findings),
            "<div class=\"findings\">\n"
            "<svg class=\"chart\" width=\"700\" height=\"34\" viewBox=\"0 0 700 34\" role=\"img\" "
            "aria-label=\"Findings that need manual attention, per program\">\n"
            "<g class=\"bar\"><title>ONLY: 0</title>\n"
            "<text x=\"170\" y=\"22\" text-anchor=\"end\">ONLY</text>\n"
            "<text x=\"186\" y=\"22\">0</text></g>\n"
            "</svg>\n"
            "<p>No finding needs manual attention.</p>\n</div>\n");
}

}  // namespace
}  // namespace report
