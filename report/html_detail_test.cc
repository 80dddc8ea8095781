// Tests of a program's detail: its state, files, checklist in class order, findings with links
// to their lines, commands still on the monitor, transfers and members, on the migration page
// and on a page of its own.
#include "report/html_detail.h"

#include <gtest/gtest.h>

#include <string>

namespace report {
namespace {

// pay/PAY<1>: a back-end program with a LINK to a program of the application, an XCTL to a
// field and one to a program elsewhere, a member not found, a message the report does not know
// inside a member, two RETURN commands and the LINK still active, and a front end outside the
// folder.
ProgramReport pay_program() {
  ProgramReport pay;
  pay.files = {"pay/PAY<1>", "pay/PAY<1>.zsc", "pay/PAY<1>.msg"};
  pay.state = ProgramState::kConvertedWithFindings;
  pay.read = true;
  ProgramSummary& summary = pay.summary;
  summary.name = "pay/PAY<1>";
  summary.lines_read = 80;
  summary.lines_written = 96;
  summary.exec_statements = 9;
  summary.count(Finding::kLink) = 1;
  summary.count(Finding::kCopybookError) = 1;
  summary.other_messages = 1;
  summary.listed = {
      {ListedLine::Number::kOutputLine, 40, "", "EXEC ZARN LINK to program 'BILL02' found",
       Finding::kLink, Message::kLink},
      {ListedLine::Number::kCopyLine, 8, "BILLPROC", "***error*** opening copy file BILLX",
       Finding::kCopybookError, std::nullopt},
      {ListedLine::Number::kOutputLine, 3, "BILLPROC", "*** odd & new", std::nullopt, std::nullopt},
  };
  summary.members = {{"BILLPROC", MemberOutcome::kConverted}, {"BILLX", MemberOutcome::kNotFound}};
  summary.transfers = {
      {Finding::kLink, "'BILL02'"}, {Finding::kXctl, "WS-NEXT"}, {Finding::kXctl, "'ELSEWHERE'"}};
  pay.by_class = {1, 0, 2};
  pay.converted = {{"", "pay/PAY<1>.new", true, {{"LINK", 1, {40}}, {"RETURN", 2, {60, 70}}}},
                   {"BILLPROC", "pay/BILLPROC.new", true, {}}};
  pay.commands = 3;
  pay.problems = {"pay/PAYFE.cbl: lies outside the folder through a link - not linked"};
  return pay;
}

const ProgramIndex kIndex = {{"BILL02", {"billing/BILL02"}}, {"PAY", {"pay/PAY<1>"}}};

TEST(HtmlDetail, DetailShowsStateStepsFindingsCommandsTransfersMembersAndLinks) {
  PageLinks links;
  links.programs = &kIndex;
  const std::string view = "migration-report-files/lines/pay/PAY%3C1%3E.new.html";
  const std::string member_view = "migration-report-files/lines/pay/BILLPROC.new.html";
  EXPECT_EQ(
      program_detail(pay_program(), links),
      "<section class=\"program\" id=\"program-pay/PAY~3C1~3E\">\n"
      "<h3>pay/PAY&lt;1&gt;<span class=\"kind back-end\">back-end program</span>"
      "<span class=\"state done\">converted with findings</span></h3>\n"
      "<p class=\"files\">Program <a href=\"pay/PAY%3C1%3E.zsc\">PAY&lt;1&gt;.zsc</a> \xC2\xB7 "
      "Message file <a href=\"pay/PAY%3C1%3E.msg\">PAY&lt;1&gt;.msg</a> \xC2\xB7 "
      "Converted program <a href=\"" +
          view +
          "\">PAY&lt;1&gt;.new</a></p>\n"
          "<ul class=\"problems\">\n"
          "<li>pay/PAYFE.cbl: lies outside the folder through a link - not linked</li>\n"
          "</ul>\n"
          "<p class=\"counts\">80 lines read, 96 written, 9 EXEC ZARN statements, 0 map requests, 3 "
          "findings, 3 active monitor commands.</p>\n"
          "<h4>Manual steps</h4>\n<ul class=\"checklist\">\n"
          "<li><span class=\"class c0\">blocks compilation</span>Make the copybook members that were "
          "not converted available, and convert again <span class=\"where\">BILLX (not found)</span>"
          "</li>\n"
          "<li><span class=\"class c2\">review</span>Check each LINK, which stays active "
          "<span class=\"where\"><a href=\"" +
          view +
          "#L40\">line 0040</a></span></li>\n"
          "<li><span class=\"class c2\">review</span>Read the other messages: this report does not "
          "know them <span class=\"where\"><a href=\"" +
          member_view +
          "#L3\">line 0003 in BILLPROC</a></span></li>\n"
          "</ul>\n"
          "<h4>Findings</h4>\n<table class=\"lines\">\n<tbody>\n"
          "<tr class=\"group\"><th colspan=\"2\"><span class=\"class c0\">blocks compilation</span>"
          "copybook errors (1)</th></tr>\n"
          "<tr><td class=\"place\">COPY line 8 in BILLPROC</td>"
          "<td class=\"text\">***error*** opening copy file BILLX</td></tr>\n"
          "<tr class=\"group\"><th colspan=\"2\"><span class=\"class c2\">review</span>LINK (1)"
          "</th></tr>\n"
          "<tr><td class=\"place\"><a href=\"" +
          view +
          "#L40\">line 0040</a></td>"
          "<td class=\"text\">EXEC ZARN LINK to program &#39;BILL02&#39; found</td></tr>\n"
          "<tr class=\"group\"><th colspan=\"2\"><span class=\"class c2\">review</span>other "
          "messages, which this report does not know (1)</th></tr>\n"
          "<tr><td class=\"place\"><a href=\"" +
          member_view +
          "#L3\">line 0003 in BILLPROC</a>"
          "</td><td class=\"text\">*** odd &amp; new</td></tr>\n"
          "</tbody>\n</table>\n"
          "<h4>Still on the monitor</h4>\n<table class=\"lines\">\n<thead><tr><th>File</th>"
          "<th>Verb</th><th>Commands</th><th>Lines</th></tr></thead>\n<tbody>\n"
          "<tr><td class=\"name\">PAY&lt;1&gt;.new</td><td class=\"name\">LINK</td><td>1</td>"
          "<td class=\"place\"><a href=\"" +
          view +
          "#L40\">0040</a></td></tr>\n"
          "<tr><td class=\"name\">PAY&lt;1&gt;.new</td><td class=\"name\">RETURN</td><td>2</td>"
          "<td class=\"place\"><a href=\"" +
          view + "#L60\">0060</a>, <a href=\"" + view +
          "#L70\">0070</a></td></tr>\n"
          "</tbody>\n</table>\n"
          "<h4>Transfers</h4>\n<ul class=\"transfers\">\n"
          "<li>LINK to &#39;BILL02&#39;: <a href=\"#program-billing/BILL02\">billing/BILL02</a></li>\n"
          "<li>XCTL to WS-NEXT: a field, the program is known only when it runs</li>\n"
          "<li>XCTL to &#39;ELSEWHERE&#39;: not a program of this application</li>\n"
          "</ul>\n"
          "<h4>Copybook members</h4>\n<ul class=\"members\">\n"
          "<li><span class=\"member\">BILLPROC</span> converted: <a href=\"" +
          member_view +
          "\">BILLPROC.new</a></li>\n"
          "<li class=\"missing\"><span class=\"member\">BILLX</span> not found</li>\n"
          "</ul>\n"
          "<p class=\"top\"><a href=\"#programs\">Back to the programs</a></p>\n</section>\n");
}

TEST(HtmlDetail, APageOfItsOwnLinksUpToTheReportAndAcrossToTheApplication) {
  // The page of pay/PAY<1> stands in migration-report-files/programs/pay/; the application
  // folder is ../app from the output folder.
  PageLinks links;
  links.programs = &kIndex;
  links.details_inline = false;
  links.on_summary = false;
  links.to_output = "../../../";
  links.to_application = "../../../../app/";
  ProgramReport pay = pay_program();
  std::string page = program_page(pay, links, "app");
  for (const char* piece : {
           "<title>pay/PAY&lt;1&gt; - migration report - app</title>",
           "Program <a href=\"../../../../app/pay/PAY%3C1%3E.zsc\">PAY&lt;1&gt;.zsc</a>",
           "Converted program <a href=\"../../../migration-report-files/lines/pay/"
           "PAY%3C1%3E.new.html\">",
           "<a href=\"../../../migration-report-files/lines/pay/PAY%3C1%3E.new.html#L40\">line "
           "0040</a>",
           "<li>LINK to &#39;BILL02&#39;: <a href=\"../../../migration-report-files/programs/"
           "billing/BILL02.html\">billing/BILL02</a></li>",
           "<a href=\"../../../migration-report.html#programs\">Back to the programs</a>",
       }) {
    SCOPED_TRACE(piece);
    EXPECT_NE(page.find(piece), std::string::npos);
  }
  EXPECT_EQ(page.find("<script"), std::string::npos);
}

TEST(HtmlDetail, AProgramNotConvertedShowsItsStateAndWhy) {
  ProgramReport failed;
  failed.files = {"billing/BAD", "billing/BAD.zsc", ""};
  failed.state = ProgramState::kFailed;
  failed.reason = "QUILLOX ended with exit code 100";
  PageLinks links;
  EXPECT_EQ(program_detail(failed, links),
            "<section class=\"program\" id=\"program-billing/BAD\">\n"
            "<h3>billing/BAD<span class=\"state\">failed</span></h3>\n"
            "<p class=\"reason\">QUILLOX ended with exit code 100</p>\n"
            "<p class=\"files\">Program <a href=\"billing/BAD.zsc\">BAD.zsc</a></p>\n"
            "<p class=\"top\"><a href=\"#programs\">Back to the programs</a></p>\n</section>\n");
}

TEST(HtmlDetail, LinesOfAFileWithoutAViewAreNoLinks) {
  // The converted program was not there to be read: its places and lines stay plain text.
  ProgramReport pay = pay_program();
  pay.converted[0].viewed = false;
  PageLinks links;
  links.programs = &kIndex;
  std::string detail = program_detail(pay, links);
  EXPECT_NE(detail.find("<tr><td class=\"place\">line 0040</td>"), std::string::npos);
  EXPECT_NE(detail.find("<td class=\"place\">0060, 0070</td>"), std::string::npos);
  EXPECT_EQ(detail.find("PAY%3C1%3E.new.html"), std::string::npos);
  EXPECT_EQ(detail.find("Converted program"), std::string::npos);
}

}  // namespace
}  // namespace report
