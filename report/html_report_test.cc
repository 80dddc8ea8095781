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

ApplicationTotals totals_of(const std::vector<ProgramSummary>& programs) {
  ApplicationTotals totals;
  std::string too_large;
  for (const ProgramSummary& summary : programs)
    EXPECT_TRUE(add_program(totals, summary, too_large));
  return totals;
}

// The part of `page` from `from` up to and including `to`; empty when either is missing.
std::string between(const std::string& page, const std::string& from, const std::string& to) {
  std::size_t start = page.find(from);
  if (start == std::string::npos) return "";
  std::size_t end = page.find(to, start);
  if (end == std::string::npos) return "";
  return page.substr(start, end + to.size() - start);
}

TEST(HtmlReport, LinksAreRelativeAndEncoded) {
  const struct {
    const char* why;
    std::string path;
    std::string expected;
  } cases[] = {
      {"a plain path stays as it is", "billing/BILL01.msg", "billing/BILL01.msg"},
      {"a path up from the page", "../app/MENU01.new", "../app/MENU01.new"},
      {"blanks, commas and quotes are encoded", "PAY,ROLL \"Q\".msg", "PAY%2CROLL%20%22Q%22.msg"},
      {"markup and ampersands are encoded, never left raw", "a<b>&c'.msg", "a%3Cb%3E%26c%27.msg"},
      {"a colon cannot make a scheme", "javascript:alert(1)", "javascript%3Aalert%281%29"},
      {"a fragment or query sign stays part of the name", "P#1?.msg", "P%231%3F.msg"},
      {"bytes above 127 are encoded one by one", "caf\xC3\xA9", "caf%C3%A9"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(href_of(row.path), row.expected);
  }
}

TEST(HtmlReport, PageHoldsTotalsKindsAndTheSortableTableOfPrograms) {
  std::vector<ProgramSummary> programs = three_programs();
  programs[2].map_requests = 4;  // C is a screen program
  std::string page = html_report(programs, totals_of(programs), "/apps/pay&roll");
  std::size_t style = page.find("<style>");
  ASSERT_NE(style, std::string::npos);
  EXPECT_EQ(page.substr(0, style),
            "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
            "<title>Migration report - /apps/pay&amp;roll</title>\n");
  EXPECT_EQ(between(page, "<dl class=\"totals\">", "</dl>\n"),
            "<dl class=\"totals\">\n"
            "<div><dt>Programs</dt><dd>3</dd></div>\n"
            "<div><dt>Screen programs</dt><dd>1</dd></div>\n"
            "<div><dt>Back-end programs</dt><dd>2</dd></div>\n"
            "<div><dt>Input lines read</dt><dd>420</dd></div>\n"
            "<div><dt>Output lines written</dt><dd>455</dd></div>\n"
            "<div><dt>EXEC ZARN statements</dt><dd>17</dd></div>\n"
            "<div class=\"attention\"><dt>Findings for manual attention</dt><dd>9</dd></div>\n"
            "<div class=\"attention\"><dt>Programs with findings</dt><dd>2</dd></div>\n"
            "<div><dt>Members not found</dt><dd>0</dd></div>\n"
            "</dl>\n");
  EXPECT_EQ(between(page, "<div class=\"findings\">", "</div>\n"),
            "<div class=\"findings\">\n" + std::string(kThreeProgramsChart) +
                "<table class=\"kinds sortable\">\n"
                "<thead><tr><th></th><th>Kind</th><th>Findings</th><th>Programs</th></tr></thead>\n"
                "<tbody>\n"
                "<tr><td class=\"swatch\"><span style=\"background:#4e79a7\"></span></td>"
                "<td class=\"name\">LINK</td><td>2</td><td>1</td></tr>\n"
                "<tr><td class=\"swatch\"><span style=\"background:#ffbe7d\"></span></td>"
                "<td class=\"name\">ROUTE</td><td>1</td><td>1</td></tr>\n"
                "<tr><td class=\"swatch\"><span style=\"background:#8cd17d\"></span></td>"
                "<td class=\"name\">SEND PAGE</td><td>6</td><td>1</td></tr>\n"
                "</tbody>\n</table>\n</div>\n");
  // Each name links to its detail; the kind, then the counts; the steps are LINK and ROUTE
  // for A&B and SEND PAGE for C.
  EXPECT_EQ(
      between(page, "<h2 id=\"programs\">", "</table>\n</div>\n"),
      "<h2 id=\"programs\">Programs</h2>\n<div class=\"scroll\">\n"
      "<table class=\"programs sortable\">\n"
      "<thead><tr><th>Program</th><th>Kind</th><th class=\"count\">Lines read</th>"
      "<th class=\"count\">Lines written</th><th class=\"count\">EXEC ZARN statements</th>"
      "<th class=\"kind\"><span>LINK</span></th><th class=\"kind\"><span>ROUTE</span></th>"
      "<th class=\"kind\"><span>SEND PAGE</span></th><th class=\"count\">Total findings</th>"
      "<th class=\"count\">Manual steps</th></tr></thead>\n"
      "<tbody>\n"
      "<tr><td class=\"name\"><a href=\"#program-1\">A&amp;B</a></td><td class=\"name\">back-end</td>"
      "<td>100</td><td>110</td><td>5</td><td>2</td><td>1</td><td class=\"zero\">0</td><td>3</td>"
      "<td>2</td></tr>\n"
      "<tr><td class=\"name\"><a href=\"#program-2\">B</a></td><td class=\"name\">back-end</td>"
      "<td>20</td><td>25</td><td>0</td><td class=\"zero\">0</td><td class=\"zero\">0</td>"
      "<td class=\"zero\">0</td><td class=\"zero\">0</td><td class=\"zero\">0</td></tr>\n"
      "<tr><td class=\"name\"><a href=\"#program-3\">C</a></td><td class=\"name\">screen</td>"
      "<td>300</td><td>320</td><td>12</td><td class=\"zero\">0</td><td class=\"zero\">0</td>"
      "<td>6</td><td>6</td><td>1</td></tr>\n"
      "</tbody>\n"
      "<tfoot><tr><td class=\"name\">Total</td><td></td><td>420</td><td>455</td><td>17</td>"
      "<td>2</td><td>1</td><td>6</td><td>9</td><td></td></tr></tfoot>\n</table>\n</div>\n");
  for (const char* detail : {"<section class=\"program\" id=\"program-1\">\n<h3>A&amp;B<span",
                             "<section class=\"program\" id=\"program-2\">\n<h3>B<span",
                             "<section class=\"program\" id=\"program-3\">\n<h3>C<span"}) {
    SCOPED_TRACE(detail);
    EXPECT_NE(page.find(detail), std::string::npos);
  }
  EXPECT_NE(page.find("<p class=\"none\">Every copybook member was found and converted.</p>"),
            std::string::npos);
}

TEST(HtmlReport, DetailShowsStepsFindingsMembersAndLinks) {
  ProgramSummary pay = program("pay/PAY<1>", 80, 96, 9);
  pay.count(Finding::kLink) = 1;
  pay.count(Finding::kCopybookError) = 1;
  pay.other_messages = 1;
  pay.listed = {
      {ListedLine::Number::kOutputLine, 40, "", "EXEC ZARN LINK to program 'BILL02' found",
       Finding::kLink, Message::kLink},
      {ListedLine::Number::kCopyLine, 8, "BILLPROC", "***error*** opening copy file BILLX",
       Finding::kCopybookError, std::nullopt},
      {ListedLine::Number::kOutputLine, 3, "BILLPROC", "*** odd & new", std::nullopt, std::nullopt},
  };
  pay.members = {{"BILLPROC", MemberOutcome::kConverted}, {"BILLX", MemberOutcome::kNotFound}};
  pay.files.message_file = "pay/PAY<1>.msg";
  pay.files.converted_program = "pay/PAY<1>.new";
  pay.files.member_copies["BILLPROC"] = "pay/BILLPROC.new";
  EXPECT_EQ(
      program_detail(pay, 7),
      "<section class=\"program\" id=\"program-7\">\n"
      "<h3>pay/PAY&lt;1&gt;<span class=\"kind back-end\">back-end program</span></h3>\n"
      "<p class=\"files\">Message file <a href=\"pay/PAY%3C1%3E.msg\">PAY&lt;1&gt;.msg</a> \xC2\xB7 "
      "Converted program <a href=\"pay/PAY%3C1%3E.new\">PAY&lt;1&gt;.new</a></p>\n"
      "<p class=\"counts\">80 lines read, 96 written, 9 EXEC ZARN statements, 0 map requests, 3 "
      "findings.</p>\n"
      "<h4>Manual steps</h4>\n<ul class=\"checklist\">\n"
      "<li>Check each LINK, which stays active <span class=\"where\">line 0040</span></li>\n"
      "<li>Make the copybook members that were not converted available, and convert again "
      "<span class=\"where\">BILLX (not found)</span></li>\n"
      "<li>Read the other messages: this report does not know them "
      "<span class=\"where\">line 0003 in BILLPROC</span></li>\n"
      "</ul>\n"
      "<h4>Findings</h4>\n<table class=\"lines\">\n<tbody>\n"
      "<tr class=\"group\"><th colspan=\"2\">LINK (1)</th></tr>\n"
      "<tr><td class=\"place\">line 0040</td>"
      "<td class=\"text\">EXEC ZARN LINK to program &#39;BILL02&#39; found</td></tr>\n"
      "<tr class=\"group\"><th colspan=\"2\">copybook errors (1)</th></tr>\n"
      "<tr><td class=\"place\">COPY line 8 in BILLPROC</td>"
      "<td class=\"text\">***error*** opening copy file BILLX</td></tr>\n"
      "<tr class=\"group\"><th colspan=\"2\">other messages, which this report does not know (1)"
      "</th></tr>\n"
      "<tr><td class=\"place\">line 0003 in BILLPROC</td><td class=\"text\">*** odd &amp; new</td>"
      "</tr>\n"
      "</tbody>\n</table>\n"
      "<h4>Copybook members</h4>\n<ul class=\"members\">\n"
      "<li><span class=\"member\">BILLPROC</span> converted: "
      "<a href=\"pay/BILLPROC.new\">BILLPROC.new</a></li>\n"
      "<li class=\"missing\"><span class=\"member\">BILLX</span> not found</li>\n"
      "</ul>\n"
      "<p class=\"top\"><a href=\"#programs\">Back to the programs</a></p>\n</section>\n");
}

TEST(HtmlReport, DetailOfAScreenProgramWithoutFindingsOrFiles) {
  ProgramSummary menu = program("MENU01", 10, 12, 2);
  menu.map_requests = 2;
  menu.unlisted = 3;  // as if the file held more than the page lists
  EXPECT_EQ(program_detail(menu, 1),
            "<section class=\"program\" id=\"program-1\">\n"
            "<h3>MENU01<span class=\"kind screen\">screen program</span></h3>\n"
            "<p class=\"counts\">10 lines read, 12 written, 2 EXEC ZARN statements, 2 map "
            "requests, 0 findings.</p>\n"
            "<h4>Manual steps</h4>\n<p class=\"none\">None.</p>\n"
            "<h4>Findings</h4>\n<p class=\"none\">None.</p>\n"
            "<p class=\"note\">3 more lines and members are not listed here: see the message "
            "file.</p>\n"
            "<h4>Copybook members</h4>\n<p class=\"none\">None.</p>\n"
            "<p class=\"top\"><a href=\"#programs\">Back to the programs</a></p>\n</section>\n");
}

TEST(HtmlReport, MembersNotConvertedAreListedWithTheirPrograms) {
  ProgramSummary a = program("A", 1, 1, 0);
  a.members = {{"REC", MemberOutcome::kConverted}, {"SQLCA", MemberOutcome::kNotFound}};
  ProgramSummary b = program("B<2>", 1, 1, 0);
  b.members = {{"DEEP", MemberOutcome::kNotOpened}, {"SQLCA", MemberOutcome::kNotFound}};
  std::vector<ProgramSummary> programs = {a, b};
  std::string page = html_report(programs, totals_of(programs), "/apps");
  EXPECT_NE(page.find("<div class=\"attention\"><dt>Members not found</dt><dd>1</dd></div>\n"),
            std::string::npos);
  EXPECT_EQ(between(page, "<h2 id=\"members\">", "</table>\n"),
            "<h2 id=\"members\">Copybook members not converted</h2>\n"
            "<table class=\"members sortable\">\n<thead><tr><th>Member</th>"
            "<th>What became of it</th><th>Programs</th><th>Copied by</th></tr></thead>\n"
            "<tbody>\n"
            "<tr><td class=\"name\">DEEP</td><td class=\"text\">not opened: copy books nested "
            "more than 10 deep</td><td>1</td><td class=\"text\"><a href=\"#program-2\">B&lt;2&gt;"
            "</a></td></tr>\n"
            "<tr><td class=\"name\">SQLCA</td><td class=\"text\">not found</td><td>2</td>"
            "<td class=\"text\"><a href=\"#program-1\">A</a>, <a href=\"#program-2\">B&lt;2&gt;"
            "</a></td></tr>\n"
            "</tbody>\n</table>\n");
}

TEST(HtmlReport, ChartShowsOnlyTheProgramsWithMostFindings) {
  std::vector<ProgramSummary> programs;
  for (int i = 0; i < 45; ++i) {
    programs.push_back(program("P" + std::to_string(100 + i), 1, 1, 0));
    programs.back().count(Finding::kLink) = i;
  }
  std::string chart = findings_chart(programs);
  std::size_t bars = 0;
  for (std::size_t at = chart.find("<g class=\"bar\">"); at != std::string::npos;
       at = chart.find("<g class=\"bar\">", at + 1))
    ++bars;
  EXPECT_EQ(bars, 40u);
  EXPECT_NE(chart.find("<title>P144: 44</title>"), std::string::npos);  // the most findings
  EXPECT_NE(chart.find("<title>P105: 5</title>"), std::string::npos);   // the 40th
  EXPECT_EQ(chart.find("<title>P104: 4</title>"), std::string::npos);   // the 41st
  std::string page = html_report(programs, totals_of(programs), "/apps");
  EXPECT_NE(page.find("The chart shows the 40 programs with the most findings"), std::string::npos);
}

TEST(HtmlReport, PageNeedsNothingFromOutside) {
  std::vector<ProgramSummary> programs = three_programs();
  programs[0].files.message_file = "../up/A&B.msg";
  programs[0].files.converted_program = "A&B.new";
  std::string page = html_report(programs, totals_of(programs), "/apps");
  for (const char* outside : {"<link", "<img", "src=", "url(", "@import", "http", "//"}) {
    SCOPED_TRACE(outside);
    EXPECT_EQ(page.find(outside), std::string::npos);
  }
  // One script, inline, at the end; every link within the page or relative to it.
  EXPECT_EQ(page.find("<script"), page.rfind("<script>"));
  EXPECT_NE(page.find("<script>\n"), std::string::npos);
  std::vector<std::string> hrefs;
  for (std::size_t at = page.find("href=\""); at != std::string::npos;
       at = page.find("href=\"", at + 1)) {
    std::size_t end = page.find('"', at + 6);
    hrefs.push_back(page.substr(at + 6, end - at - 6));
  }
  EXPECT_EQ(hrefs.size(), 8u);  // 3 names, 3 details back to the table, 1 message file, 1 program
  for (const std::string& href : hrefs) {
    SCOPED_TRACE(href);
    EXPECT_EQ(href.find(':'), std::string::npos);
    EXPECT_NE(href.front(), '/');
  }
}

TEST(HtmlReport, PageWithoutFindingsSaysSo) {
  std::vector<ProgramSummary> programs = {program("ONLY", 10, 12, 1)};
  std::string page = html_report(programs, totals_of(programs), "/apps");
  EXPECT_EQ(between(page, "<div class=\"findings\">\n", "</div>\n"),
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
