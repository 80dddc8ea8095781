// Tests of the texts made safe for the pages: escaping, links, and the anchors of programs and
// lines, and of the plain-text views of converted files.
#include "report/html_text.h"

#include <gtest/gtest.h>

#include <string>

#include "report/line_view.h"

namespace report {
namespace {

TEST(HtmlText, MarkupCharactersAreEscaped) {
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

TEST(HtmlText, LinksAreRelativeAndEncoded) {
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

TEST(HtmlText, ProgramAnchorsDependOnTheNameAloneAndNeedNoEscaping) {
  const struct {
    const char* why;
    std::string name;
    std::string expected;
  } cases[] = {
      {"a plain name", "MENU01", "program-MENU01"},
      {"folders stay readable", "billing/INVC01", "program-billing/INVC01"},
      {"blanks, commas and quotes", "PAY,ROLL \"Q\"", "program-PAY~2CROLL~20~22Q~22"},
      {"markup characters", "=PAY&CO<", "program-~3DPAY~26CO~3C"},
      {"a tilde itself is encoded, so that two names never share an anchor", "a~20b",
       "program-a~7E20b"},
      {"a fragment sign", "P#1", "program-P~231"},
      {"bytes above 127 one by one", "caf\xC3\xA9", "program-caf~C3~A9"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(program_anchor(row.name), row.expected);
    // What an anchor holds is safe in an attribute and in a link as it stands.
    EXPECT_EQ(html_escape(row.expected), row.expected);
    EXPECT_EQ(percent_encoded(row.expected), row.expected);
  }
  EXPECT_NE(program_anchor("a b"), program_anchor("a~20b"));
  EXPECT_EQ(line_anchor(962), "L962");
}

TEST(LineView, EachLineHasItsAnchorAndItsTextEscaped) {
  const struct {
    const char* why;
    std::int64_t number;
    std::string text;
    std::string expected;
  } cases[] = {
      {"a converted line keeps its blanks in front, not those that fill it", 1,
       "       MOVE 1 TO A.   ", "<span id=\"L1\">       MOVE 1 TO A.</span>\n"},
      {"a line of blanks is shown empty", 2, "        ", "<span id=\"L2\"></span>\n"},
      {"markup is shown, never read", 962, "IF A < B AND C > D & 'X'",
       "<span id=\"L962\">IF A &lt; B AND C &gt; D &amp; &#39;X&#39;</span>\n"},
      {"a carriage return before the line end is not shown", 3, "LINE  \r",
       "<span id=\"L3\">LINE</span>\n"},
      {"an empty line still has its number", 4, "", "<span id=\"L4\"></span>\n"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(view_line(row.number, row.text), row.expected);
  }
}

TEST(LineView, TheViewNamesItsFileAndLeadsBackToTheReport) {
  std::string head = view_head("billing/A&B.new", "../../../migration-report.html");
  EXPECT_EQ(head.substr(0, head.find("<style>")),
            "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
            "<title>billing/A&amp;B.new</title>\n");
  EXPECT_EQ(head.substr(head.find("</head>")),
            "</head>\n<body>\n<h1>billing/A&amp;B.new</h1>\n<p><a "
            "href=\"../../../migration-report.html\">Migration report</a></p>\n<pre>");
  EXPECT_EQ(view_tail(), "</pre>\n</body>\n</html>\n");
  // The numbers shown come from the style sheet, one for each line element.
  EXPECT_NE(head.find("counter-increment: line"), std::string::npos);
}

}  // namespace
}  // namespace report
