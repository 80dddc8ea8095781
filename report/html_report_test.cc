// Tests of the migration page: the bar chart, the totals by state and class, the table of
// programs with its filter, the kinds by class, the commands still on the monitor, the
// transfers, the members not converted, and that the page needs nothing from outside.
#include "report/html_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/html_text.h"

namespace report {
namespace {

ProgramReport program(const std::string& name, std::int64_t read, std::int64_t written,
                      std::int64_t exec) {
  ProgramReport report;
  report.files.name = name;
  report.files.message_file = name + ".msg";
  report.read = true;
  report.state = ProgramState::kConverted;
  report.summary.name = name;
  report.summary.lines_read = read;
  report.summary.lines_written = written;
  report.summary.exec_statements = exec;
  return report;
}

std::vector<const ProgramReport*> pointers(const std::vector<ProgramReport>& programs) {
  std::vector<const ProgramReport*> all;
  for (const ProgramReport& report : programs) all.push_back(&report);
  return all;
}

// Three programs: "A&B" with 2 LINK and 1 ROUTE, "B" without findings, "C" with 6 SEND PAGE.
std::vector<ProgramReport> three_programs() {
  ProgramReport a = program("A&B", 100, 110, 5);
  a.summary.count(Finding::kLink) = 2;
  a.summary.count(Finding::kRoute) = 1;
  a.state = ProgramState::kConvertedWithFindings;
  a.by_class = {0, 0, 3};
  ProgramReport b = program("B", 20, 25, 0);
  ProgramReport c = program("C", 300, 320, 12);
  c.summary.count(Finding::kSendPage) = 6;
  c.state = ProgramState::kConvertedWithFindings;
  c.by_class = {0, 6, 0};
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

TEST(HtmlReport, ChartHasOneBarPerProgramLargestFirst) {
  EXPECT_EQ(findings_chart(pointers(three_programs())), kThreeProgramsChart);
}

TEST(HtmlReport, ChartOrdersEqualBarsByNameAndShortensLongNames) {
  // 45 letters are cut to 23 and an ellipsis; a two-byte character across the cut is never split.
  std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRS";
  std::string accented = std::string(22, 'x') + "\xC3\xA9yyy";
  std::vector<ProgramReport> programs = {program("Z", 1, 1, 0), program(accented, 1, 1, 0),
                                         program(letters, 1, 1, 0)};
  EXPECT_EQ(
      findings_chart(pointers(programs)),
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

// The part of `page` from `from` up to and including `to`; empty when either is missing.
std::string between(const std::string& page, const std::string& from, const std::string& to) {
  std::size_t start = page.find(from);
  if (start == std::string::npos) return "";
  std::size_t end = page.find(to, start);
  if (end == std::string::npos) return "";
  return page.substr(start, end + to.size() - start);
}

// An application of four programs in the order of the work: NEW (not converted), C (a screen
// program with 6 SEND PAGE, which change behaviour), A&B (2 LINK and 1 ROUTE to review; it
// LINKs to C and to X, which is no program of the application) and B (nothing to do).
struct FourPrograms {
  FourPrograms() {
    std::vector<ProgramReport> three = three_programs();
    ProgramReport fresh;
    fresh.files = {"NEW", "NEW.zsc", ""};
    fresh.state = ProgramState::kNotConverted;
    fresh.reason = "no message file: QUILLOX has not converted it";
    programs = {fresh, three[2], three[0], three[1]};
    programs[1].summary.map_requests = 4;
    programs[1].converted = {{"", "C.new", true, {{"RETURN", 3, {}}}}};
    programs[1].commands = 3;
    programs[2].converted = {{"", "A&B.new", true, {{"LINK", 2, {}}, {"RETURN", 2, {}}}}};
    programs[2].commands = 4;
    programs[2].summary.transfers = {{Finding::kLink, "'C'"}, {Finding::kLink, "'X'"}};
    std::string too_large;
    for (const ProgramReport& report : programs) {
      if (report.read) {
        EXPECT_TRUE(add_program(totals, report.summary, too_large));
      }
    }
    commands = {{"LINK", 2, {}}, {"RETURN", 5, {}}};
    index = index_programs({"NEW", "C", "A&B", "B"});
    page.folder = "pay&roll";
    page.programs = pointers(programs);
    page.steps = {0, 1, 2, 0};
    page.totals = &totals;
    page.commands = &commands;
    page.index = &index;
    page.details = {"<section>NEW</section>\n", "<section>C</section>\n",
                    "<section>A&amp;B</section>\n", "<section>B</section>\n"};
  }
  std::vector<ProgramReport> programs;
  ApplicationTotals totals;
  MonitorCommands commands;
  ProgramIndex index;
  ApplicationPage page;
};

TEST(HtmlReport, TotalsCountEachStateAndClass) {
  FourPrograms four;
  std::string page = html_report(four.page);
  std::size_t style = page.find("<style>");
  ASSERT_NE(style, std::string::npos);
  EXPECT_EQ(page.substr(0, style),
            "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
            "<title>Migration report - pay&amp;roll</title>\n");
  EXPECT_EQ(between(page, "<dl class=\"totals\"", "</dl>\n"),
            "<dl class=\"totals\" id=\"totals\">\n"
            "<div><dt>Programs</dt><dd>4</dd></div>\n"
            "<div><dt>Failed</dt><dd>0</dd></div>\n"
            "<div><dt>Refused: clash</dt><dd>0</dd></div>\n"
            "<div><dt>Refused: hand edits</dt><dd>0</dd></div>\n"
            "<div class=\"attention\"><dt>Not converted</dt><dd>1</dd></div>\n"
            "<div><dt>Message file not read</dt><dd>0</dd></div>\n"
            "<div><dt>Out of date</dt><dd>0</dd></div>\n"
            "<div><dt>Converted with findings</dt><dd>2</dd></div>\n"
            "<div><dt>Converted</dt><dd>1</dd></div>\n"
            "<div class=\"attention\"><dt>Findings for manual attention</dt><dd>9</dd></div>\n"
            "<div><dt>Blocks compilation</dt><dd>0</dd></div>\n"
            "<div class=\"attention\"><dt>Changes behaviour</dt><dd>6</dd></div>\n"
            "<div><dt>Review</dt><dd>3</dd></div>\n"
            "<div><dt>Active monitor commands</dt><dd>7</dd></div>\n"
            "<div><dt>Members not found</dt><dd>0</dd></div>\n"
            "<div><dt>Screen programs</dt><dd>1</dd></div>\n"
            "<div><dt>Back-end programs</dt><dd>2</dd></div>\n"
            "<div><dt>Input lines read</dt><dd>420</dd></div>\n"
            "<div><dt>Output lines written</dt><dd>455</dd></div>\n"
            "<div><dt>EXEC ZARN statements</dt><dd>17</dd></div>\n"
            "</dl>\n");
}

TEST(HtmlReport, TheTableOfProgramsKeepsTheOrderOfTheWorkAndTellsTheFilterWhatEachRowIs) {
  FourPrograms four;
  std::string page = html_report(four.page);
  // Each row: its state, the classes and the kinds it has (SEND PAGE is kind 7, LINK 0 and
  // ROUTE 4), then the program's link, state, kind and counts. A program not converted has its
  // reason as the title of its state, and no kind.
  EXPECT_EQ(
      between(page, "<tbody>\n<tr data-s", "</tbody>\n"),
      "<tbody>\n"
      "<tr data-s=\"3\" data-c=\"\" data-k=\" \"><td><a href=\"#program-NEW\">NEW</a></td>"
      "<td title=\"no message file: QUILLOX has not converted it\">not converted</td><td></td>"
      "<td>0</td><td>0</td><td>0</td><td>0</td><td>0</td><td>0</td></tr>\n"
      "<tr data-s=\"6\" data-c=\"1\" data-k=\" 7 \"><td><a href=\"#program-C\">C</a></td>"
      "<td>converted with findings</td><td>screen</td>"
      "<td>0</td><td>6</td><td>0</td><td>6</td><td>3</td><td>1</td></tr>\n"
      "<tr data-s=\"6\" data-c=\"2\" data-k=\" 0 4 \"><td><a href=\"#program-A~26B\">A&amp;B</a>"
      "</td><td>converted with findings</td><td>back-end</td>"
      "<td>0</td><td>0</td><td>3</td><td>3</td><td>4</td><td>2</td></tr>\n"
      "<tr data-s=\"7\" data-c=\"\" data-k=\" \"><td><a href=\"#program-B\">B</a></td>"
      "<td>converted</td><td>back-end</td>"
      "<td>0</td><td>0</td><td>0</td><td>0</td><td>0</td><td>0</td></tr>\n"
      "</tbody>\n");
  EXPECT_NE(page.find("<thead><tr><th>Program</th><th>State</th><th>Kind</th>"
                      "<th>blocks compilation</th><th>changes behaviour</th><th>review</th>"
                      "<th>Findings</th><th>Active monitor commands</th><th>Manual steps</th>"
                      "</tr></thead>"),
            std::string::npos);
  // The filter offers every state, class and kind by the numbers the rows carry; it stays
  // hidden until the script shows it.
  for (const char* piece :
       {"<form class=\"filter\" id=\"filter\" hidden>",
        "<option value=\"3\">not converted</option>",
        "<option value=\"1\">changes behaviour</option>", "<option value=\"7\">SEND PAGE</option>",
        "<option value=\"24\">other messages</option>",
        "<output id=\"shown\">4 programs</output>"}) {
    SCOPED_TRACE(piece);
    EXPECT_NE(page.find(piece), std::string::npos);
  }
  // The details follow in the same order.
  std::size_t c = page.find("<section>C</section>");
  std::size_t ab = page.find("<section>A&amp;B</section>");
  EXPECT_LT(page.find("<section>NEW</section>"), c);
  EXPECT_LT(c, ab);
  EXPECT_LT(ab, page.find("<section>B</section>"));
}

TEST(HtmlReport, KindsStandByClassThenCountAndTheMonitorsVerbsByCount) {
  FourPrograms four;
  std::string page = html_report(four.page);
  EXPECT_EQ(between(page, "<div class=\"findings\">", "</div>\n"),
            "<div class=\"findings\">\n" + std::string(kThreeProgramsChart) +
                "<table class=\"kinds sortable\">\n"
                "<thead><tr><th></th><th>Kind</th><th>Class</th><th>Findings</th>"
                "<th>Programs</th></tr></thead>\n<tbody>\n"
                "<tr><td class=\"swatch\"><span style=\"background:#8cd17d\"></span></td>"
                "<td class=\"name\">SEND PAGE</td><td class=\"text\">changes behaviour</td>"
                "<td>6</td><td>1</td></tr>\n"
                "<tr><td class=\"swatch\"><span style=\"background:#4e79a7\"></span></td>"
                "<td class=\"name\">LINK</td><td class=\"text\">review</td><td>2</td>"
                "<td>1</td></tr>\n"
                "<tr><td class=\"swatch\"><span style=\"background:#ffbe7d\"></span></td>"
                "<td class=\"name\">ROUTE</td><td class=\"text\">review</td><td>1</td>"
                "<td>1</td></tr>\n"
                "</tbody>\n</table>\n</div>\n");
  // RETURN stands in two programs, LINK in one; the page says what the table is for.
  EXPECT_EQ(between(page, "<table class=\"verbs sortable\">", "</table>\n"),
            "<table class=\"verbs sortable\">\n<thead><tr><th>Verb</th><th>Commands</th>"
            "<th>Programs</th></tr></thead>\n<tbody>\n"
            "<tr><td class=\"name\">RETURN</td><td>5</td><td>2</td></tr>\n"
            "<tr><td class=\"name\">LINK</td><td>2</td><td>1</td></tr>\n"
            "</tbody>\n</table>\n");
  EXPECT_NE(page.find("the work list for leaving the monitor"), std::string::npos);
}

TEST(HtmlReport, TransfersToProgramsOfTheApplicationLinkBothEnds) {
  FourPrograms four;
  std::string page = html_report(four.page);
  EXPECT_EQ(between(page, "<table class=\"transfers sortable\">", "</p>\n"),
            "<table class=\"transfers sortable\">\n<thead><tr><th>Program</th><th>Transfers</th>"
            "<th>Transferred to from</th></tr></thead>\n<tbody>\n"
            "<tr><td class=\"name\"><a href=\"#program-C\">C</a></td><td>1</td>"
            "<td class=\"text\"><a href=\"#program-A~26B\">A&amp;B</a> (LINK)</td></tr>\n"
            "</tbody>\n</table>\n"
            "<p class=\"note\">1 transfer to a program outside the application, 0 transfers to "
            "a field, whose program is known only when it runs.</p>\n");
}

TEST(HtmlReport, ALargeApplicationLinksEachProgramToItsOwnPage) {
  FourPrograms four;
  four.page.details.clear();
  std::string page = html_report(four.page);
  EXPECT_NE(page.find("<td><a href=\"migration-report-files/programs/A%26B.html\">A&amp;B</a>"),
            std::string::npos);
  EXPECT_EQ(page.find("<h2 id=\"details\">"), std::string::npos);
  EXPECT_NE(page.find("Each program has a page of its own in migration-report-files/programs/"),
            std::string::npos);
}

TEST(HtmlReport, MembersNotConvertedAreListedWithTheirPrograms) {
  std::vector<ProgramReport> programs = {program("A", 1, 1, 0), program("B<2>", 1, 1, 0)};
  programs[0].summary.members = {{"REC", MemberOutcome::kConverted},
                                 {"SQLCA", MemberOutcome::kNotFound}};
  programs[1].summary.members = {{"DEEP", MemberOutcome::kNotOpened},
                                 {"SQLCA", MemberOutcome::kNotFound}};
  ApplicationTotals totals;
  MonitorCommands commands;
  ProgramIndex index;
  ApplicationPage application{"apps",  pointers(programs), {0, 0}, &totals, &commands, &index,
                              {"", ""}};
  std::string page = html_report(application);
  EXPECT_NE(page.find("<div class=\"attention\"><dt>Members not found</dt><dd>1</dd></div>\n"),
            std::string::npos);
  EXPECT_EQ(between(page, "<h2 id=\"members\">", "</table>\n"),
            "<h2 id=\"members\">Copybook members not converted</h2>\n"
            "<table class=\"members sortable\">\n<thead><tr><th>Member</th>"
            "<th>What became of it</th><th>Programs</th><th>Copied by</th></tr></thead>\n"
            "<tbody>\n"
            "<tr><td class=\"name\">DEEP</td><td class=\"text\">not opened: copy books nested "
            "more than 10 deep</td><td>1</td><td class=\"text\"><a href=\"#program-B~3C2~3E\">"
            "B&lt;2&gt;</a></td></tr>\n"
            "<tr><td class=\"name\">SQLCA</td><td class=\"text\">not found</td><td>2</td>"
            "<td class=\"text\"><a href=\"#program-A\">A</a>, <a href=\"#program-B~3C2~3E\">"
            "B&lt;2&gt;</a></td></tr>\n"
            "</tbody>\n</table>\n");
}

TEST(HtmlReport, ChartShowsOnlyTheProgramsWithMostFindings) {
  std::vector<ProgramReport> programs;
  for (int i = 0; i < 45; ++i) {
    programs.push_back(program("P" + std::to_string(100 + i), 1, 1, 0));
    programs.back().summary.count(Finding::kLink) = i;
  }
  std::string chart = findings_chart(pointers(programs));
  std::size_t bars = 0;
  for (std::size_t at = chart.find("<g class=\"bar\">"); at != std::string::npos;
       at = chart.find("<g class=\"bar\">", at + 1))
    ++bars;
  EXPECT_EQ(bars, 40u);
  EXPECT_NE(chart.find("<title>P144: 44</title>"), std::string::npos);  // the most findings
  EXPECT_NE(chart.find("<title>P105: 5</title>"), std::string::npos);   // the 40th
  EXPECT_EQ(chart.find("<title>P104: 4</title>"), std::string::npos);   // the 41st
}

TEST(HtmlReport, PageNeedsNothingFromOutside) {
  FourPrograms four;
  four.page.details.clear();
  std::string page = html_report(four.page);
  for (const char* outside : {"<link", "<img", "src=", "url(", "@import", "http", "//"}) {
    SCOPED_TRACE(outside);
    EXPECT_EQ(page.find(outside), std::string::npos);
  }
  // One script, inline, at the end; every link within the page or relative to it.
  EXPECT_EQ(page.find("<script"), page.rfind("<script>"));
  EXPECT_NE(page.find("<script>\n"), std::string::npos);
  std::size_t links = 0;
  for (std::size_t at = page.find("href=\""); at != std::string::npos;
       at = page.find("href=\"", at + 1)) {
    std::size_t end = page.find('"', at + 6);
    std::string href = page.substr(at + 6, end - at - 6);
    SCOPED_TRACE(href);
    EXPECT_EQ(href.find(':'), std::string::npos);
    EXPECT_NE(href.front(), '/');
    ++links;
  }
  EXPECT_EQ(links, 6u);  // 4 programs, and C and A&B in the table of transfers
}

TEST(HtmlReport, PageWithoutFindingsSaysSo) {
  std::vector<ProgramReport> programs = {program("ONLY", 10, 12, 1)};
  ApplicationTotals totals;
  std::string too_large;
  ASSERT_TRUE(add_program(totals, programs[0].summary, too_large));
  MonitorCommands commands;
  ProgramIndex index;
  ApplicationPage application{"apps", pointers(programs), {0}, &totals, &commands, &index, {""}};
  std::string page = html_report(application);
  EXPECT_EQ(between(page, "<div class=\"findings\">\n", "</div>\n"),
            "<div class=\"findings\">\n"
            "<svg class=\"chart\" width=\"700\" height=\"34\" viewBox=\"0 0 700 34\" role=\"img\" "
            "aria-label=\"Findings that need manual attention, per program\">\n"
            "<g class=\"bar\"><title>ONLY: 0</title>\n"
            "<text x=\"170\" y=\"22\" text-anchor=\"end\">ONLY</text>\n"
            "<text x=\"186\" y=\"22\">0</text></g>\n"
            "</svg>\n"
            "<p>No finding needs manual attention.</p>\n</div>\n");
  EXPECT_NE(page.find("<p class=\"none\">No converted file holds an active EXEC ZARN command.</p>"),
            std::string::npos);
  EXPECT_NE(page.find("<p class=\"none\">No program transfers to another program of the "
                      "application.</p>"),
            std::string::npos);
}

}  // namespace
}  // namespace report
