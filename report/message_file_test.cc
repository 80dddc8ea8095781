// Tests of reading one message file: findings, summary counts, and files that are not understood.
#include "report/message_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "tests/support/summary_report.h"

namespace report {
namespace {

std::string findings_of(const ProgramSummary& summary) {
  std::string shown;
  for (std::size_t kind = 0; kind < kFindingKindCount; ++kind) {
    if (summary.findings[kind] == 0) continue;
    if (!shown.empty()) shown += ", ";
    shown += std::string(finding_heading(static_cast<Finding>(kind))) + " " +
             std::to_string(summary.findings[kind]);
  }
  return shown;
}

TEST(MessageFile, SummaryAloneGivesTheCountsAndNoFinding) {
  // The summary of a program of 1234 lines read, 1301 written, with 3 COPY lines.
  std::string text = test_support::summary_report_by_row({{1, 1234}, {2, 1301}, {3, 3}, {5, 14}});
  ASSERT_EQ(
      text.substr(0, 147),
      "\n 1234 Input lines read\n 1301 Output lines written\n    3 Total copy statements found\n"
      "    0 Total -INC statements found\n\n   14 EXEC ZARN Statements\n");
  ProgramSummary summary;
  summary.name = "MENU01";
  std::string error;
  ASSERT_EQ(read_message_file(text, summary, error), MessageFileKind::kConversion) << error;
  EXPECT_EQ(summary.name, "MENU01");
  EXPECT_EQ(summary.lines_read, 1234);
  EXPECT_EQ(summary.lines_written, 1301);
  EXPECT_EQ(summary.exec_statements, 14);
  EXPECT_EQ(findings_of(summary), "");
  EXPECT_EQ(summary.total_findings(), 0);
}

TEST(MessageFile, CountsWiderThanFiveColumnsAreRead) {
  std::string text = test_support::summary_report_by_row({{2, 0}});
  text.replace(text.find("    0 Input lines read"), 22, "123456 Input lines read");
  ProgramSummary summary;
  std::string error;
  ASSERT_EQ(read_message_file(text, summary, error), MessageFileKind::kConversion) << error;
  EXPECT_EQ(summary.lines_read, 123456);
}

// One finding kind: the message lines, the summary rows that count the same commands, and the
// findings the report shows for them.
struct FindingCase {
  const char* what;
  std::string messages;
  std::map<int, int> rows;
  std::string expected;
};

TEST(MessageFile, EachKindOfFindingIsCounted) {
  const FindingCase cases[] = {
      {"LINK", "line 0004 - EXEC ZARN LINK to program 'PGM2' found\n", {{5, 1}, {6, 1}}, "LINK 1"},
      {"LINK with an empty program name",
       "line 0004 - EXEC ZARN LINK to program  found\n",
       {{5, 1}, {6, 1}},
       "LINK 1"},
      {"XCTL twice",
       "line 0004 - EXEC ZARN XCTL to program 'PGM2' found\nline 0009 - EXEC ZARN XCTL to program WS-PGM found\n",
       {{5, 2}, {7, 2}},
       "XCTL 2"},
      {"CONVERSE with and without MAP",
       "line 0010 - CONVERSE removed - program logic must be checked\n"
       "line 0020 - CONVERSE removed - program logic must be checked\n"
       "line 0020 - MAP parameter missing\n",
       {{5, 2}, {16, 2}},
       "CONVERSE 2"},
      {"ROUTE", "line 0031 - *** ZVL ROUTE command found\n", {{5, 1}, {21, 1}}, "ROUTE 1"},
      {"ASSIGN TERMCODE",
       "line 0031 - ASSIGN TERMCODE found - program logic should be checked\n",
       {{5, 1}, {37, 1}},
       "ASSIGN TERMCODE 1"},
      {"SEND PAGE alone",
       "line 0012 - *** SEND PAGE found\nline 0012 - SEND found - no recognized parameters - removed\n",
       {{5, 1}, {13, 1}, {28, 1}},
       "SEND PAGE 1, SEND without parameters 1"},
      {"SEND MAP ACCUM",
       "line 0012 - ZARN SEND MAP handled for map 'M1' mapset 'S1'\nline 0012 - *** SEND ACCUM found\n",
       {{5, 1}, {8, 1}, {27, 1}},
       "SEND ACCUM 1"},
      {"SEND CONTROL",
       "line 0012 - *** ZARN SEND CONTROL found\n",
       {{5, 1}, {10, 1}},
       "SEND CONTROL 1"},
      {"SEND CTLCHAR",
       "line 0012 - Send CTLCHAR found - removed\n",
       {{5, 1}, {12, 1}},
       "SEND CTLCHAR removed 1"},
      {"SEND CONVID",
       "line 0012 - *** XPCM SEND found - ignored\n",
       {{5, 1}, {11, 1}},
       "SEND CONVID or SESSION 1"},
      {"RECEIVE BUFFER",
       "line 0040 - *** EXEC ZARN RECEIVE BUFFER found\n",
       {{5, 1}, {15, 1}},
       "RECEIVE BUFFER 1"},
      {"RECEIVE without MAP",
       "line 0040 - *** EXEC ZARN RECEIVE with no MAP parameter\n",
       {{5, 1}},
       "RECEIVE without MAP 1"},
      {"invalid PF and PA keys",
       "line 0007 - *** ZARN HANDLE AID found\nline 0007 - Invalid PF Key\nline 0007 - Invalid PA Key\n"
       "line 0007 - Invalid PF Key\n",
       {{5, 1}, {20, 1}},
       "invalid PF/PA keys 3"},
      {"RETURN options dropped, each named",
       "line 0070 - EXEC ZARN RETURN handled User COMMAREA Length was set to zero\n"
       "line 0070 - *** RETURN CHANNEL dropped - program logic must be checked\n"
       "line 0070 - *** RETURN IMMEDIATE dropped - program logic must be checked\n",
       {{5, 1}, {17, 1}},
       "RETURN option dropped 2"},
      {"map areas in WORKING-STORAGE, once per area",
       "line 0040 - *** map area MENU1O is in WORKING-STORAGE - move it after USRCOMM, here and in "
       "the front end\n"
       "line 0040 - ZARN SEND MAP handled for map 'MENU1' mapset 'MENUSET'\n"
       "line 0052 - *** map area MENU1I is in WORKING-STORAGE - move it after USRCOMM, here and in "
       "the front end\n"
       "line 0052 - ZARN RECEIVE MAP for map 'MENU1' handled\n",
       {{5, 2}, {8, 1}, {14, 1}},
       "map area in WORKING-STORAGE 2"},
      {"HANDLE CONDITION MAPFAIL, which stays active",
       "line 0050 - *** ZARN HANDLE CONDITION MAPFAIL found\n",
       {{5, 1}, {19, 1}},
       "HANDLE CONDITION kept 1"},
      {"EXEC ZARN in lower case",
       "line 0050 - *** EXEC ZARN not in capitals - not converted\n",
       {},
       "EXEC ZARN not in capitals 1"},
      {"messages that need no attention",
       "line 0002 - PROGRAM-ID paragraph changed\nline 0020 - COPY for STDHEAD in KVZCOMMAREA inserted\n"
       "line 0031 - EIBCALEN changed\nline 0031 - EIBAID changed\nline 0032 - EIBTRMID changed\n"
       "line 0033 - EIBTRNID changed\nline 0034 - EIBCPOSN changed\nline 0035 - KVZCOMMAREA changed\n"
       "line 0040 - ZARN SEND MAP handled for map 'M1' mapset \n"
       "line 0044 - ZARN SEND TEXT handled\nline 0048 - ZARN SEND FROM handled as SEND TEXT\n"
       "line 0051 - *** ZARN HANDLE AID found\n"
       "line 0056 - HANDLE AID statements inserted for EXEC ZARN RECEIVE\n"
       "line 0059 - HANDLE MAPFAIL statement inserted for EXEC ZARN RECEIVE\n"
       "line 0052 - ZARN RECEIVE MAP for map 'M1' handled\n"
       "line 0062 - ZARN ADDRESS TCTUA handled\nline 0062 - ZARN ADDRESS COMMAREA handled\n"
       "line 0070 - EXEC ZARN RETURN handled User COMMAREA Length was set to zero\n"
       "line 0075 - EXEC ZARN RETURN TRANSID('T1') COMMAREA(WS-AREA) LENGTH(WS-LEN) handled\n"
       "line 10000 - LINKAGE SECTION INSERTED\n",
       {{5, 9},
        {8, 1},
        {9, 2},
        {14, 1},
        {17, 2},
        {18, 1},
        {20, 1},
        {31, 1},
        {32, 1},
        {33, 1},
        {34, 1},
        {35, 1},
        {36, 1}},
       ""},
  };
  for (const FindingCase& row : cases) {
    SCOPED_TRACE(row.what);
    ProgramSummary summary;
    std::string error;
    ASSERT_EQ(read_message_file(row.messages + test_support::summary_report_by_row(row.rows),
                                summary, error),
              MessageFileKind::kConversion)
        << error;
    EXPECT_EQ(findings_of(summary), row.expected);
  }
}

TEST(MessageFile, FindingsInsideNestedCopyBooksAreCountedWithTheProgram) {
  // ABCREC copied at line 57 copies DEFREC at its line 3; both hold findings; a third member
  // cannot be opened and a fourth cannot be written.
  std::string text =
      "line 0042 - EIBCALEN changed\n"
      "  copy book KVZZVLCA is the monitor's - not opened\n"
      "  opening copy book ABCREC at line 57\n"
      "  copy book KVZAID is the monitor's - not opened\n"
      " line 0003 - *** ZARN HANDLE AID found\n"
      " line 0003 - Invalid PA Key\n"
      "  opening copy book DEFREC at line 3\n"
      "  line 0001 - EXEC ZARN LINK to program 'SUB1' found\n"
      "  opening copy book XYZ at line 2\n"
      " ***error*** opening copy file XYZ\n"
      "  line 0004 - *** SEND PAGE found\n"
      "  line 0004 - SEND found - no recognized parameters - removed\n"
      "  6 lines read in copy book\n"
      "  6 lines written in copy book\n"
      " line 0009 - *** ZVL ROUTE command found\n"
      "  12 lines read in copy book\n"
      "  14 lines written in copy book\n"
      "  opening copy book OUT.CPY at line 60\n"
      " ***error*** opening output copy file OUT.new\n"
      "  opening copy book DEEP at line 61\n"
      " ***error*** copy book nesting exceeds 10 levels - DEEP not opened\n"
      "line 0070 - *** EXEC ZARN RECEIVE with no MAP parameter\n" +
      test_support::summary_report_by_row(
          {{1, 80}, {2, 90}, {3, 7}, {5, 5}, {6, 1}, {13, 1}, {20, 1}, {21, 1}, {28, 1}, {34, 1}});
  ProgramSummary summary;
  std::string error;
  ASSERT_EQ(read_message_file(text, summary, error), MessageFileKind::kConversion) << error;
  EXPECT_EQ(findings_of(summary),
            "LINK 1, ROUTE 1, SEND PAGE 1, SEND without parameters 1, RECEIVE without MAP 1, "
            "invalid PF/PA keys 1, copybook errors 3");
  EXPECT_EQ(summary.total_findings(), 9);
  // The monitor's members are listed, never counted as errors.
  std::string members;
  for (const MemberUse& member : summary.members)
    members += member.name + ":" + std::to_string(static_cast<int>(member.outcome)) + " ";
  EXPECT_EQ(members, "ABCREC:0 DEEP:3 DEFREC:0 KVZAID:4 KVZZVLCA:4 OUT.CPY:2 XYZ:1 ");
  EXPECT_EQ(summary.lines_read, 80);
  EXPECT_EQ(summary.lines_written, 90);
  EXPECT_EQ(summary.exec_statements, 5);
}

TEST(MessageFile, FrontEndLinesAreRead) {
  const struct {
    const char* what;
    std::string lines;
    std::string expected;
  } cases[] = {
      {"one receive, sends with repeats",
       "\n Creating new DSP4 front end prototype file - MENU01FE\n"
       "Number of ZVL RECEIVE statements found in original Program - 1\n"
       "Number of ZVL SEND statements found in original Program -    3\n"
       "Number of unique ZVL SEND statements found              -    2\n",
       ""},
      {"several receives, markers twice",
       "\n Creating new DSP4 front end prototype file - FE\n"
       "Number of ZVL RECEIVE statements found in original Program - 2\n"
       "**** Warning - Multiple receives found - manual changes required\n"
       "Number of ZVL SEND statements found in original Program -    0\n"
       "Number of ZVL RECEIVE statements found in original Program - 3\n"
       "**** Warning - Multiple receives found - manual changes required\n",
       "multiple RECEIVE maps 2"},
      {"template without markers", "\n Creating new DSP4 front end prototype file - \n", ""},
      {"front end not built", "\n Unable to open new DSP4 front end file\n",
       "front end not built 1"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.what);
    ProgramSummary summary;
    std::string error;
    ASSERT_EQ(
        read_message_file(test_support::summary_report_by_row({}) + row.lines, summary, error),
        MessageFileKind::kConversion)
        << error;
    EXPECT_EQ(findings_of(summary), row.expected);
  }
}

TEST(MessageFile, LinesEndingInCarriageReturnAndLineFeedAreRead) {
  std::string text = "line 0004 - *** ZVL ROUTE command found\n" +
                     test_support::summary_report_by_row({{5, 1}, {21, 1}});
  std::string crlf;
  for (char c : text) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  ProgramSummary summary;
  std::string error;
  ASSERT_EQ(read_message_file(crlf, summary, error), MessageFileKind::kConversion) << error;
  EXPECT_EQ(findings_of(summary), "ROUTE 1");
}

TEST(MessageFile, LevelShifterMessageFilesAreToldApart) {
  const char* const files[] = {
      "\nInput lines read    10\nOutput lines written    10\n",
      "\nInput lines read 123456\nOutput lines written 123456\nLevel number 99 left unchanged at line 7\n",
  };
  for (const char* text : files) {
    SCOPED_TRACE(text);
    ProgramSummary summary;
    std::string error;
    EXPECT_EQ(read_message_file(text, summary, error), MessageFileKind::kLevelShifter);
  }
}

// A file that is not a complete, consistent message file, and the whole error message for it.
struct BrokenCase {
  const char* what;
  std::string text;
  std::string error;
};

TEST(MessageFile, FilesThatAreNotUnderstoodAreRefusedWithTheReason) {
  std::string summary = test_support::summary_report_by_row({});
  std::string cut_in_summary = summary.substr(0, summary.find("    0 SEND CONVID"));
  std::string narrow = summary;
  narrow.replace(narrow.find("    0 ERASE parameters"), 5, "0");
  const BrokenCase cases[] = {
      {"empty file", "", "the file is empty"},
      {"last line cut", summary.substr(0, summary.size() - 1),
       "the last line has no line end (the file is cut short)"},
      {"summary cut short", cut_in_summary,
       "the summary report is cut short before row \"SEND CONVID or SESSION statements\""},
      {"summary missing", "line 0003 - LINKAGE SECTION INSERTED\n",
       "no summary report: the file ends after line 1 (it is cut short or not a QUILLOX message file)"},
      {"text of another program", "Hello, world\n\n",
       "line 1: not a line of a QUILLOX message file: \"Hello, world\""},
      {"message without its number", "line 12 - EIBCALEN changed\n" + summary,
       "line 1: a message line without its line number: \"line 12 - EIBCALEN changed\""},
      {"message indented outside a copy book", " line 0012 - EIBCALEN changed\n" + summary,
       "line 1: a message indented by 1 where the copy book depth is 0: \" line 0012 - EIBCALEN changed\""},
      {"copy book never closed",
       "  opening copy book ABC at line 4\n line 0001 - EIBAID changed\n" + summary,
       "line 3: the summary report starts at copy book depth 1 (a copy book has no count lines)"},
      {"copy book error alone", " ***error*** opening copy file ABC\n" + summary,
       "line 1: a copy book error that follows no \"opening copy book\" line"},
      {"copy books nested deeper than QUILLOX opens them",
       "  opening copy book A at line 1\n  opening copy book B at line 1\n"
       "  opening copy book C at line 1\n  opening copy book D at line 1\n"
       "  opening copy book E at line 1\n  opening copy book F at line 1\n"
       "  opening copy book G at line 1\n  opening copy book H at line 1\n"
       "  opening copy book I at line 1\n  opening copy book J at line 1\n"
       "  opening copy book K at line 1\n  opening copy book L at line 1\n" +
           summary,
       "line 12: copy books nested deeper than 10 levels"},
      {"an eleventh member named and then read as if opened",
       "  opening copy book A at line 1\n  opening copy book B at line 1\n"
       "  opening copy book C at line 1\n  opening copy book D at line 1\n"
       "  opening copy book E at line 1\n  opening copy book F at line 1\n"
       "  opening copy book G at line 1\n  opening copy book H at line 1\n"
       "  opening copy book I at line 1\n  opening copy book J at line 1\n"
       "  opening copy book K at line 1\n           line 0001 - EIBAID changed\n" +
           summary,
       "line 12: copy books nested deeper than 10 levels"},
      {"copy book counts outside a copy book",
       "  3 lines read in copy book\n  3 lines written in copy book\n" + summary,
       "line 1: copy book counts while no copy book is open"},
      {"lines written missing",
       "  opening copy book ABC at line 4\n  3 lines read in copy book\nline 0001 - EIBAID changed\n" +
           summary,
       "line 3: \"lines written in copy book\" expected after the lines read"},
      {"summary row changed", narrow,
       "line 28: summary row \"ERASE parameters\" expected, found \"0 ERASE parameters\""},
      {"row counts disagree with messages",
       "line 0004 - EXEC ZARN LINK to program 'P' found\n" + summary,
       "the file holds 1 of the messages \"EXEC ZARN LINK to program ... found\" but its summary row "
       "\"Total EXEC ZARN LINK statements found\" counts 0"},
      {"text after the summary", summary + "more\n",
       "line 44: unexpected text after the summary report"},
      {"warning on multiple receives missing",
       summary + "\n Creating new DSP4 front end prototype file - FE\n"
                 "Number of ZVL RECEIVE statements found in original Program - 2\n",
       "line 47: the warning on multiple receives is missing"},
      {"unique count not below the total",
       summary + "\n Creating new DSP4 front end prototype file - FE\n"
                 "Number of ZVL SEND statements found in original Program -    2\n"
                 "Number of unique ZVL SEND statements found              -    2\n",
       "line 47: a count of unique SEND statements that is not below their number"},
      {"front-end lines garbled",
       summary +
           "\n Creating new DSP4 front end prototype file - FE\nNumber of ZVL SEND statements\n",
       "line 46: unexpected text in the front-end lines: \"Number of ZVL SEND statements\""},
      {"mixed line ends", "line 0003 - LINKAGE SECTION INSERTED\r\n" + summary,
       "line 2: the line ends differ from those of the first line"},
  };
  for (const BrokenCase& row : cases) {
    SCOPED_TRACE(row.what);
    ProgramSummary summary_read;
    std::string error;
    EXPECT_EQ(read_message_file(row.text, summary_read, error), MessageFileKind::kUnrecognised);
    EXPECT_EQ(error, row.error);
  }
}

TEST(MessageFile, AFileCutShortAnywhereIsRefusedUnlessOnlyFrontEndLinesAreMissing) {
  std::string body =
      "line 0004 - EXEC ZARN LINK to program 'PGM2' found\n"
      "  opening copy book ABCREC at line 57\n"
      " line 0003 - *** ZVL ROUTE command found\n"
      "  12 lines read in copy book\n"
      "  14 lines written in copy book\n";
  std::string summary =
      test_support::summary_report_by_row({{1, 60}, {2, 70}, {3, 1}, {5, 2}, {6, 1}, {21, 1}});
  std::string front_end =
      "\n Creating new DSP4 front end prototype file - FE\n"
      "Number of ZVL RECEIVE statements found in original Program - 2\n"
      "**** Warning - Multiple receives found - manual changes required\n";
  std::string text = body + summary + front_end;
  // A file may end after the summary, after the heading of the front-end lines, or after a
  // complete group of front-end counts: those are the only places a shorter file can stop.
  const std::size_t complete[] = {
      body.size() + summary.size(),
      body.size() + summary.size() + front_end.find("Number"),
      text.size(),
  };
  for (std::size_t cut = 0; cut <= text.size(); ++cut) {
    SCOPED_TRACE(cut);
    ProgramSummary summary_read;
    std::string error;
    MessageFileKind kind = read_message_file(text.substr(0, cut), summary_read, error);
    bool allowed = std::find(std::begin(complete), std::end(complete), cut) != std::end(complete);
    EXPECT_EQ(kind, allowed ? MessageFileKind::kConversion : MessageFileKind::kUnrecognised);
  }
}

// A listed line shown as the page shows its place: "line N", "line N in MEMBER", "COPY line N",
// or "front end", then the kind of finding ("other" for a message the report does not know).
std::string listed_of(const ProgramSummary& summary) {
  std::string shown;
  for (const ListedLine& line : summary.listed) {
    switch (line.number_kind) {
      case ListedLine::Number::kOutputLine:
        shown += "line " + std::to_string(line.number);
        break;
      case ListedLine::Number::kCopyLine:
        shown += "COPY line " + std::to_string(line.number);
        break;
      case ListedLine::Number::kNone:
        shown += "front end";
        break;
    }
    if (!line.member.empty()) shown += " in " + line.member;
    shown += " [" +
             (line.finding ? std::string(finding_heading(*line.finding))
                           : std::string(line.message ? "step" : "other")) +
             "] " + line.text + "\n";
  }
  return shown;
}

std::string members_of(const ProgramSummary& summary) {
  const char* const outcomes[] = {"converted", "not found", "not written", "not opened"};
  std::string shown;
  for (const MemberUse& member : summary.members)
    shown += member.name + " " + outcomes[static_cast<int>(member.outcome)] + "\n";
  return shown;
}

TEST(MessageFile, TheDetailListsEachLineThatNeedsAttentionWithItsPlace) {
  // Findings in the program and in nested members, members found and not, a message that calls
  // for a manual step without being a finding, messages that need nothing (not listed), a
  // message the report does not know, and the front-end lines.
  std::string text =
      "line 0002 - PROGRAM-ID paragraph changed\n"
      "line 0031 - COPY for STDHEAD in KVZCOMMAREA inserted\n"
      "  opening copy book ABCREC at line 57\n"
      " line 0003 - *** ZARN HANDLE CONDITION MAPFAIL found\n"
      "  opening copy book DEFREC at line 3\n"
      "  line 0001 - EXEC ZARN LINK to program 'SUB1' found\n"
      "  opening copy book SQLCA at line 2\n"
      " ***error*** opening copy file SQLCA\n"
      "  4 lines read in copy book\n"
      "  4 lines written in copy book\n"
      "  12 lines read in copy book\n"
      "  14 lines written in copy book\n"
      "  opening copy book SQLCA at line 60\n"
      " ***error*** opening copy file SQLCA\n"
      "  opening copy book OUT.CPY at line 61\n"
      " ***error*** opening output copy file OUT.new\n"
      "  opening copy book EMPTY at line 62\n"
      "  0 lines read in copy book\n"
      "  0 lines written in copy book\n"
      "line 0070 - *** SEND PAGE found\n"
      "line 0070 - ZARN SEND MAP handled for map 'M1' mapset 'S1'\n"
      "line 0071 - *** a message of a newer QUILLOX\n"
      "line 0080 - ZARN RECEIVE MAP for map 'M1' handled\n" +
      test_support::summary_report_by_row(
          {{1, 90}, {2, 99}, {3, 5}, {5, 4}, {6, 1}, {8, 1}, {14, 1}, {19, 1}, {28, 1}}) +
      "\n Creating new DSP4 front end prototype file - MENU01FE\n"
      "Number of ZVL RECEIVE statements found in original Program - 2\n"
      "**** Warning - Multiple receives found - manual changes required\n";
  ProgramSummary summary;
  std::string error;
  ASSERT_EQ(read_message_file(text, summary, error), MessageFileKind::kConversion) << error;
  EXPECT_EQ(listed_of(summary),
            "line 31 [step] COPY for STDHEAD in KVZCOMMAREA inserted\n"
            "line 3 in ABCREC [HANDLE CONDITION kept] *** ZARN HANDLE CONDITION MAPFAIL found\n"
            "line 1 in DEFREC [LINK] EXEC ZARN LINK to program 'SUB1' found\n"
            "COPY line 2 in DEFREC [copybook errors] ***error*** opening copy file SQLCA\n"
            "COPY line 60 [copybook errors] ***error*** opening copy file SQLCA\n"
            "COPY line 61 [copybook errors] ***error*** opening output copy file OUT.new\n"
            "line 70 [SEND PAGE] *** SEND PAGE found\n"
            "line 71 [other] *** a message of a newer QUILLOX\n"
            "front end [multiple RECEIVE maps] **** Warning - Multiple receives found - manual "
            "changes required\n");
  EXPECT_EQ(members_of(summary),
            "ABCREC converted\nDEFREC converted\nEMPTY converted\nOUT.CPY not written\n"
            "SQLCA not found\n");
  EXPECT_EQ(summary.other_messages, 1);
  // HANDLE CONDITION, LINK, SEND PAGE, 3 copybook errors, receives, other.
  EXPECT_EQ(summary.total_findings(), 8);
  EXPECT_EQ(summary.front_end, "MENU01FE");
  EXPECT_EQ(summary.map_requests, 2);
  EXPECT_TRUE(summary.screen_program());
  EXPECT_EQ(summary.unlisted, 0);
}

TEST(MessageFile, TenOpenMembersAndAnEleventhNotOpenedAreRead) {
  std::string opening, closing;
  for (char name = 'A'; name < 'A' + 10; ++name) {
    opening += "  opening copy book " + std::string(1, name) + " at line 1\n";
    closing += "  1 lines read in copy book\n  1 lines written in copy book\n";
  }
  std::string text = opening +
                     "  opening copy book K at line 1\n"
                     " ***error*** copy book nesting exceeds 10 levels - K not opened\n" +
                     closing + test_support::summary_report_by_row({{3, 11}});
  ProgramSummary summary;
  std::string error;
  ASSERT_EQ(read_message_file(text, summary, error), MessageFileKind::kConversion) << error;
  EXPECT_EQ(findings_of(summary), "copybook errors 1");
  EXPECT_EQ(summary.members.back().name, "K");
  EXPECT_EQ(summary.members.back().outcome, MemberOutcome::kNotOpened);
  EXPECT_EQ(listed_of(summary),
            "COPY line 1 in J [copybook errors] ***error*** copy book nesting exceeds 10 levels - "
            "K not opened\n");
}

TEST(MessageFile, ScreenProgramsMakeMapRequestsAndBackEndsNone) {
  const struct {
    const char* why;
    std::string messages;
    std::map<int, int> rows;
    bool screen;
  } cases[] = {
      {"nothing but a RETURN", "line 0009 - EXEC ZARN RETURN handled\n", {{5, 1}, {17, 1}}, false},
      {"LINK and XCTL make no map request",
       "line 0004 - EXEC ZARN LINK to program 'P' found\n"
       "line 0005 - EXEC ZARN XCTL to program 'Q' found\n",
       {{5, 2}, {6, 1}, {7, 1}},
       false},
      {"a SEND MAP",
       "line 0012 - ZARN SEND MAP handled for map 'M1' mapset 'S1'\n",
       {{5, 1}, {8, 1}},
       true},
      {"a SEND TEXT", "line 0012 - ZARN SEND TEXT handled\n", {{5, 1}, {9, 1}}, true},
      {"a SEND FROM, counted as SEND TEXT",
       "line 0012 - ZARN SEND FROM handled as SEND TEXT\n",
       {{5, 1}, {9, 1}},
       true},
      {"a RECEIVE MAP",
       "line 0012 - ZARN RECEIVE MAP for map 'M1' handled\n",
       {{5, 1}, {14, 1}},
       true},
      {"a RECEIVE without MAP is no map request",
       "line 0040 - *** EXEC ZARN RECEIVE with no MAP parameter\n",
       {{5, 1}},
       false},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.why);
    ProgramSummary summary;
    std::string error;
    ASSERT_EQ(read_message_file(row.messages + test_support::summary_report_by_row(row.rows),
                                summary, error),
              MessageFileKind::kConversion)
        << error;
    EXPECT_EQ(summary.screen_program(), row.screen);
  }
}

TEST(MessageFile, UnknownMessagesAreCountedAndListedNeverRefused) {
  // A message of a later QUILLOX, a message changed by hand, and one inside a member: each is
  // counted as another message and listed as it stands; the known findings are counted as usual.
  std::string text =
      "line 0012 - *** SEND PAGES found\n"
      "line 0013 - *** ZVL ROUTE command found\n"
      "  opening copy book REC at line 4\n"
      " line 0001 - EIBCALEN changed twice\n"
      "  1 lines read in copy book\n"
      "  1 lines written in copy book\n" +
      test_support::summary_report_by_row({{3, 1}, {5, 1}, {21, 1}});
  ProgramSummary summary;
  std::string error;
  ASSERT_EQ(read_message_file(text, summary, error), MessageFileKind::kConversion) << error;
  EXPECT_EQ(summary.other_messages, 2);
  EXPECT_EQ(findings_of(summary), "ROUTE 1");
  EXPECT_EQ(summary.total_findings(), 3);
  EXPECT_EQ(listed_of(summary),
            "line 12 [other] *** SEND PAGES found\n"
            "line 13 [ROUTE] *** ZVL ROUTE command found\n"
            "line 1 in REC [other] EIBCALEN changed twice\n");
}

TEST(MessageFile, ListingStopsAtItsBoundWhileCountsStayExact) {
  std::string lines;
  std::size_t over = 5;
  for (std::size_t i = 0; i < kMaxListedPerProgram + over; ++i)
    lines += "line 0007 - Invalid PF Key\n";
  ProgramSummary summary;
  std::string error;
  ASSERT_EQ(read_message_file(lines + test_support::summary_report_by_row({}), summary, error),
            MessageFileKind::kConversion)
      << error;
  EXPECT_EQ(summary.count(Finding::kInvalidKey),
            static_cast<std::int64_t>(kMaxListedPerProgram + over));
  EXPECT_EQ(summary.listed.size(), kMaxListedPerProgram);
  EXPECT_EQ(summary.unlisted, static_cast<std::int64_t>(over));
}

TEST(MessageFile, EveryListedLineReachesTheSinkTheOnesBeyondTheBoundToo) {
  std::string lines;
  for (std::size_t i = 0; i < kMaxListedPerProgram + 3; ++i)
    lines += "line 0007 - Invalid PF Key\n";
  lines += "line 0020 - COPY for STDHEAD in KVZCOMMAREA inserted\nline 0021 - EIBCALEN changed\n";
  std::string text = lines + test_support::summary_report_by_row({{34, 1}});
  std::FILE* file = fmemopen(text.data(), text.size(), "r");
  ASSERT_NE(file, nullptr);
  std::size_t seen = 0;
  std::size_t steps = 0;
  ProgramSummary summary;
  std::string error;
  EXPECT_EQ(read_message_file(file, summary, error,
                              [&](const ListedLine& line) {
                                ++seen;
                                if (!line.finding) ++steps;
                              }),
            MessageFileKind::kConversion)
      << error;
  std::fclose(file);
  // Each finding and the step the header calls for; the rename is nothing to list.
  EXPECT_EQ(seen, kMaxListedPerProgram + 4);
  EXPECT_EQ(steps, 1u);
  EXPECT_EQ(summary.listed.size(), kMaxListedPerProgram);
}

TEST(MessageFile, TransfersAreKeptOncePerKindAndTarget) {
  std::string text =
      "line 0010 - EXEC ZARN XCTL to program 'MENU02' found\n"
      "line 0020 - EXEC ZARN LINK to program 'RATES' found\n"
      "line 0030 - EXEC ZARN XCTL to program 'MENU02' found\n"
      "line 0040 - EXEC ZARN LINK to program 'MENU02' found\n"
      "  opening copy book CALLS at line 5\n"
      " line 0002 - EXEC ZARN XCTL to program WS-NEXT found\n"
      "  3 lines read in copy book\n  3 lines written in copy book\n" +
      test_support::summary_report_by_row({{3, 1}, {5, 5}, {6, 2}, {7, 3}});
  ProgramSummary summary;
  std::string error;
  ASSERT_EQ(read_message_file(text, summary, error), MessageFileKind::kConversion) << error;
  std::string shown;
  for (const Transfer& transfer : summary.transfers)
    shown += std::string(finding_heading(transfer.kind)) + " " + transfer.target + "\n";
  EXPECT_EQ(shown, "XCTL 'MENU02'\nLINK 'RATES'\nLINK 'MENU02'\nXCTL WS-NEXT\n");
}

TEST(MessageFile, ManyBlocksAreReadAndOnlyALineBeyondTheBoundIsRefused) {
  // Lines cross the 64 KiB blocks the file is read in; a message as long as a line may be is
  // read, one byte more is refused with the line named.
  std::string many;
  for (int i = 0; i < 5000; ++i) many += "line 0031 - EIBCALEN changed\n";
  std::string summary = test_support::summary_report_by_row({{34, 5000}});
  ProgramSummary summary_read;
  std::string error;
  ASSERT_EQ(read_message_file(many + summary, summary_read, error), MessageFileKind::kConversion)
      << error;

  std::string prefix = "line 0001 - ";
  std::string longest = prefix + std::string(kMaxMessageLineLength - prefix.size(), 'x') + "\n";
  ASSERT_EQ(read_message_file(many + longest + summary, summary_read, error),
            MessageFileKind::kConversion)
      << error;
  EXPECT_EQ(summary_read.other_messages, 1);
  std::string too_long =
      prefix + std::string(kMaxMessageLineLength - prefix.size() + 1, 'x') + "\n";
  EXPECT_EQ(read_message_file(many + too_long + summary, summary_read, error),
            MessageFileKind::kUnrecognised);
  EXPECT_EQ(error, "line 5001: longer than 1 MiB, which no line of a QUILLOX message file is");
}

}  // namespace
}  // namespace report
