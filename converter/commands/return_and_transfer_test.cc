// Tests of RETURN, ADDRESS, HANDLE, LINK, XCTL, ASSIGN TERMCODE and ROUTE.
#include "converter/commands/return_and_transfer.h"

#include <gtest/gtest.h>

#include <string>

#include "converter/commands/exec_statement.h"
#include "tests/support/conversion_harness.h"
#include "tests/support/test_files.h"

namespace converter {
namespace {

using message_format::Row;

using test_support::make_statement;
using test_support::padded_lines;
using test_support::RunHarness;

const std::string kIndent(11, ' ');

TEST(ReturnAndTransfer, ReturnMessageIsBuiltFromItsPieces) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case rows[] = {
      {"EXEC ZARN RETURN END-EXEC.",
       "EXEC ZARN RETURN handled User COMMAREA Length was set to zero"},
      {"EXEC ZARN RETURN TRANSID('T1') COMMAREA(WS-AREA) LENGTH(WS-LEN) END-EXEC.",
       "EXEC ZARN RETURN TRANSID('T1') COMMAREA(WS-AREA) LENGTH(WS-LEN) handled"},
      // The area's own length goes back: no note on the length.
      {"EXEC ZARN RETURN COMMAREA(WS-AREA) END-EXEC.",
       "EXEC ZARN RETURN COMMAREA(WS-AREA) handled"},
      {"EXEC ZARN RETURN TRANSID('T1') END-EXEC",
       "EXEC ZARN RETURN TRANSID('T1') handled User COMMAREA Length was set to zero"},
      {"EXEC ZARN RETURN LENGTH(EIBCALEN) END-EXEC.", "EXEC ZARN RETURN LENGTH(EIBCALEN) handled"},
      // The pieces keep their fixed order whatever the order of the options.
      {"EXEC ZARN RETURN LENGTH(L) COMMAREA(C) TRANSID(T) END-EXEC.",
       "EXEC ZARN RETURN TRANSID(T) COMMAREA(C) LENGTH(L) handled"},
      // Options the converted RETURN cannot honour are named, each after the message.
      {"EXEC ZARN RETURN IMMEDIATE END-EXEC.",
       "EXEC ZARN RETURN handled User COMMAREA Length was set to zero\n"
       "line 0001 - *** RETURN IMMEDIATE dropped - program logic must be checked"},
      {"EXEC ZARN RETURN IMMEDIATE TRANSID('T1') CHANNEL('CH1') END-EXEC.",
       "EXEC ZARN RETURN TRANSID('T1') handled User COMMAREA Length was set to zero\n"
       "line 0001 - *** RETURN CHANNEL dropped - program logic must be checked\n"
       "line 0001 - *** RETURN IMMEDIATE dropped - program logic must be checked"},
  };
  for (const Case& row : rows) {
    SCOPED_TRACE(row.text);
    RunHarness harness;
    harness.run.linkage_seen = true;
    convert_return(harness.run, make_statement(row.text));
    EXPECT_EQ(harness.messages(), "line 0001 - " + std::string(row.message) + "\n");
  }
}

TEST(ReturnAndTransfer, LongReturnMessageIsNeverCut) {
  const std::string area(120, 'A');
  const std::string length(110, 'L');
  ExecStatement statement =
      make_statement("EXEC ZARN RETURN TRANSID(WS-NEXT-TRANSACTION) COMMAREA(" + area +
                     ") LENGTH(" + length + ") END-EXEC.");
  std::string expected = "EXEC ZARN RETURN TRANSID(WS-NEXT-TRANSACTION) COMMAREA(" + area +
                         ") LENGTH(" + length + ") handled";
  ASSERT_GT(expected.size(), 255u);
  RunHarness harness;
  harness.run.linkage_seen = true;
  convert_return(harness.run, statement);
  EXPECT_EQ(harness.messages(), "line 0001 - " + expected + "\n");
}

TEST(ReturnAndTransfer, ReturnLines) {
  struct Case {
    const char* text;
    char terminator;
    std::string lines;
    const char* messages;
  };
  const Case rows[] = {
      {"    EXEC ZARN RETURN END-EXEC.", '.',
       padded_lines({"           MOVE ZEROS TO USRCALEN", "           EXEC ZARN RETURN END-EXEC."}),
       "line 0013 - EXEC ZARN RETURN handled User COMMAREA Length was set to zero\n"},
      {"    EXEC ZARN RETURN TRANSID('T1') COMMAREA(WS-AREA) LENGTH(WS-LEN) END-EXEC.", '.',
       padded_lines(
           {"           MOVE 'T1' TO NXTRNID", "           MOVE WS-AREA TO USRCOMM OF KVZCOMMAREA",
            "           MOVE WS-LEN TO USRCALEN", "           EXEC ZARN RETURN END-EXEC."}),
       "line 0013 - EXEC ZARN RETURN TRANSID('T1') COMMAREA(WS-AREA) LENGTH(WS-LEN) handled\n"},
      // Without LENGTH the caller gets the length of the area handed back.
      {"    EXEC ZARN RETURN COMMAREA(WS-AREA) END-EXEC.", '.',
       padded_lines({"           MOVE WS-AREA TO USRCOMM OF KVZCOMMAREA",
                     "           MOVE FUNCTION LENGTH(WS-AREA) TO USRCALEN",
                     "           EXEC ZARN RETURN END-EXEC."}),
       "line 0013 - EXEC ZARN RETURN COMMAREA(WS-AREA) handled\n"},
      // Inside an IF no line ends the sentence.
      {"    EXEC ZARN RETURN TRANSID(WS-TRAN) END-EXEC", ' ',
       padded_lines({"           MOVE WS-TRAN TO NXTRNID", "           MOVE ZEROS TO USRCALEN",
                     "           EXEC ZARN RETURN END-EXEC "}),
       "line 0013 - EXEC ZARN RETURN TRANSID(WS-TRAN) handled User COMMAREA Length was set to zero\n"},
      {"    EXEC ZARN RETURN LENGTH(EIBCALEN) END-EXEC.", '.',
       padded_lines(
           {"           MOVE EIBCALEN TO USRCALEN", "           EXEC ZARN RETURN END-EXEC."}),
       "line 0013 - EXEC ZARN RETURN LENGTH(EIBCALEN) handled\n"},
  };
  for (const Case& row : rows) {
    SCOPED_TRACE(row.text);
    RunHarness harness;
    harness.run.output_line_count = 13;
    harness.run.linkage_seen = true;
    convert_return(harness.run, make_statement(row.text, 12));
    EXPECT_EQ(harness.output(), row.lines);
    EXPECT_EQ(harness.messages(), row.messages);
    EXPECT_EQ(harness.run.count(Row::kReturn), 1);
  }
}

// EXEC in a deep column: the statements start in its column, and a long one goes on over two
// lines within column 72.
TEST(ReturnAndTransfer, ReturnLinesFollowTheIndentation) {
  RunHarness harness;
  harness.run.linkage_seen = true;
  const std::string indent(30, ' ');
  convert_return(harness.run,
                 make_statement("EXEC ZARN RETURN COMMAREA(WS-COMMUNICATION-AREA) END-EXEC.", 0,
                                indent.size()));
  EXPECT_EQ(
      harness.output(),
      padded_lines({indent + "MOVE WS-COMMUNICATION-AREA TO USRCOMM OF",
                    std::string(34, ' ') + "KVZCOMMAREA", indent + "MOVE FUNCTION",
                    std::string(34, ' ') + "LENGTH(WS-COMMUNICATION-AREA) TO",
                    std::string(34, ' ') + "USRCALEN", indent + "EXEC ZARN RETURN END-EXEC."}));
  EXPECT_EQ(harness.run.output_line_count, 6);
}

TEST(ReturnAndTransfer, Address) {
  struct Case {
    const char* text;
    char terminator;
    std::string lines;
    const char* messages;
  };
  const Case rows[] = {
      {"    EXEC ZARN ADDRESS TCTUA(P1) COMMAREA(P2) END-EXEC.", '.',
       padded_lines({"           SET P1 TO ADDRESS OF USRTCTUA ",
                     "           SET P2 TO ADDRESS OF USRCOMM OF KVZCOMMAREA."}),
       "line 0006 - ZARN ADDRESS TCTUA handled\nline 0006 - ZARN ADDRESS COMMAREA handled\n"},
      {"    EXEC ZARN ADDRESS COMMAREA(PTR) END-EXEC.", '.',
       padded_lines({"           SET PTR TO ADDRESS OF USRCOMM OF KVZCOMMAREA."}),
       "line 0006 - ZARN ADDRESS COMMAREA handled\n"},
      {"    EXEC ZARN ADDRESS TCTUA(P1) END-EXEC.", '.',
       padded_lines({"           SET P1 TO ADDRESS OF USRTCTUA."}),
       "line 0006 - ZARN ADDRESS TCTUA handled\n"},
      {"    EXEC ZARN ADDRESS TCTUA(P1) COMMAREA(P2) END-EXEC", ' ',
       padded_lines({"           SET P1 TO ADDRESS OF USRTCTUA ",
                     "           SET P2 TO ADDRESS OF USRCOMM OF KVZCOMMAREA "}),
       "line 0006 - ZARN ADDRESS TCTUA handled\nline 0006 - ZARN ADDRESS COMMAREA handled\n"},
      // Only counted.
      {"    EXEC ZARN ADDRESS CWA(P3) END-EXEC.", '.', "", ""},
  };
  for (const Case& row : rows) {
    SCOPED_TRACE(row.text);
    RunHarness harness;
    harness.run.linkage_seen = true;
    convert_address(harness.run, make_statement(row.text, 5));
    EXPECT_EQ(harness.output(), row.lines);
    EXPECT_EQ(harness.messages(), row.messages);
    EXPECT_EQ(harness.run.count(Row::kAddress), 1);
  }
}

// Without a LINKAGE SECTION the inserted area has no USRCOMM: the first line that names it, here
// a COMMAREA line of RETURN or ADDRESS, says so, once in the run, with that line's number.
TEST(ReturnAndTransfer, FirstLineNamingUsrcommWithoutALinkageSection) {
  const std::string kNoLayout =
      "*** USRCOMM has no layout - declare the user communication area under 02 USRCOMM\n";
  RunHarness harness;
  harness.run.output_line_count = 5;
  convert_address(harness.run,
                  make_statement("    EXEC ZARN ADDRESS TCTUA(P1) COMMAREA(P2) END-EXEC.", 4));
  convert_return(harness.run, make_statement("    EXEC ZARN RETURN COMMAREA(A) END-EXEC.", 7));
  EXPECT_EQ(harness.messages(),
            "line 0005 - ZARN ADDRESS TCTUA handled\n"
            "line 0005 - ZARN ADDRESS COMMAREA handled\n"
            "line 0007 - " +
                kNoLayout + "line 0008 - EXEC ZARN RETURN COMMAREA(A) handled\n");
}

TEST(ReturnAndTransfer, HandleSettingsReplaceTheEarlierOnesOfTheirKind) {
  RunHarness harness;
  ConversionRun& run = harness.run;

  convert_handle(run,
                 make_statement("    EXEC ZARN HANDLE CONDITION MAPFAIL(NO-DATA) END-EXEC.", 9));
  EXPECT_EQ(run.mapfail_label, "NO-DATA");
  EXPECT_EQ(run.aid_handlers, "");

  convert_handle(
      run, make_statement("    EXEC ZARN HANDLE AID PF3(END-RTN) CLEAR(CLR-RTN) END-EXEC.", 19));
  EXPECT_EQ(run.mapfail_label, "NO-DATA");
  EXPECT_EQ(run.aid_handlers, "&PF03=END-RTN&CLEAR=CLR-RTN");

  // A later HANDLE AID replaces every key, here by ENTER alone.
  convert_handle(run, make_statement("    EXEC ZARN HANDLE AID ENTER(GO-ON) END-EXEC.", 29));
  EXPECT_EQ(run.aid_handlers, "&ENTER=GO-ON");

  // A HANDLE AID naming no key it can record leaves no keys at all.
  convert_handle(run, make_statement("    EXEC ZARN HANDLE AID WAIT(GO-ON) END-EXEC.", 31));
  EXPECT_EQ(run.aid_handlers, "");

  // MAPFAIL without a label of its own takes the next parenthesised text.
  convert_handle(
      run, make_statement("    EXEC ZARN HANDLE CONDITION MAPFAIL ERROR(ERR-RTN) END-EXEC.", 39));
  EXPECT_EQ(run.mapfail_label, "ERR-RTN");
  convert_handle(run, make_statement("    EXEC ZARN HANDLE CONDITION MAPFAIL END-EXEC.", 49));
  EXPECT_EQ(run.mapfail_label, "");

  // Neither MAPFAIL nor AID: nothing at all.
  convert_handle(run,
                 make_statement("    EXEC ZARN HANDLE CONDITION ERROR(ERR-RTN) END-EXEC.", 59));
  convert_handle(run, make_statement("    EXEC ZARN HANDLE ABEND LABEL(ABEND-RTN) END-EXEC.", 69));

  EXPECT_EQ(run.count(Row::kHandleMapfail), 3);
  EXPECT_EQ(run.count(Row::kHandleAid), 3);
  EXPECT_EQ(harness.output(), "");
  EXPECT_EQ(harness.messages(),
            "line 0010 - *** ZARN HANDLE CONDITION MAPFAIL found\n"
            "line 0020 - *** ZARN HANDLE AID found\n"
            "line 0030 - *** ZARN HANDLE AID found\n"
            "line 0032 - *** ZARN HANDLE AID found\n"
            "line 0040 - *** ZARN HANDLE CONDITION MAPFAIL found\n"
            "line 0050 - *** ZARN HANDLE CONDITION MAPFAIL found\n");
}

TEST(ReturnAndTransfer, HandleWithMapfailAndAidInOneCommand) {
  RunHarness harness;
  harness.run.aid_handlers = "&PA1=OLD";
  convert_handle(
      harness.run,
      make_statement(
          "    EXEC ZARN HANDLE AID PF25(X) PF3(END-RTN) CONDITION MAPFAIL(NO-DATA) END-EXEC.", 3));
  EXPECT_EQ(harness.run.mapfail_label, "NO-DATA");
  EXPECT_EQ(harness.run.aid_handlers, "&PF03=END-RTN");
  EXPECT_EQ(harness.run.count(Row::kHandleMapfail), 1);
  EXPECT_EQ(harness.run.count(Row::kHandleAid), 1);
  EXPECT_EQ(harness.messages(),
            "line 0004 - *** ZARN HANDLE CONDITION MAPFAIL found\n"
            "line 0004 - *** ZARN HANDLE AID found\n"
            "line 0004 - Invalid PF Key\n");
}

TEST(ReturnAndTransfer, MapfailLabelIsKeptWhole) {
  RunHarness harness;
  const std::string label = "NO-DATA-ON-THE-SCREEN-SO-THE-PROGRAM-GOES-BACK";
  ASSERT_GT(label.size(), 32u);
  convert_handle(harness.run,
                 make_statement("EXEC ZARN HANDLE CONDITION MAPFAIL(" + label + ") END-EXEC."));
  EXPECT_EQ(harness.run.mapfail_label, label);
}

TEST(ReturnAndTransfer, LinkAndXctlAreReported) {
  struct Case {
    const char* text;
    const char* messages;
    int link_count;
    int xctl_count;
  };
  const Case rows[] = {
      {"    EXEC ZARN LINK PROGRAM('PGM1') COMMAREA(WS) END-EXEC.",
       "line 0022 - EXEC ZARN LINK to program 'PGM1' found\n", 1, 0},
      {"    EXEC ZARN XCTL PROGRAM('PGM2') COMMAREA(WS) END-EXEC.",
       "line 0022 - EXEC ZARN XCTL to program 'PGM2' found\n", 0, 1},
      {"    EXEC ZARN XCTL PROGRAM(WS-NEXT-PROGRAM) END-EXEC.",
       "line 0022 - EXEC ZARN XCTL to program WS-NEXT-PROGRAM found\n", 0, 1},
      {"    EXEC ZARN XCTL END-EXEC.", "line 0022 - EXEC ZARN XCTL to program  found\n", 0, 1},
  };
  for (const Case& row : rows) {
    SCOPED_TRACE(row.text);
    RunHarness harness;
    convert_link_or_xctl(harness.run, make_statement(row.text, 21));
    EXPECT_EQ(harness.output(), "");
    EXPECT_EQ(harness.messages(), row.messages);
    EXPECT_EQ(harness.run.count(Row::kLink), row.link_count);
    EXPECT_EQ(harness.run.count(Row::kXctl), row.xctl_count);
  }
}

TEST(ReturnAndTransfer, AssignTermcodeAndRouteAreReported) {
  RunHarness harness;
  convert_assign(harness.run, make_statement("    EXEC ZARN ASSIGN TERMCODE(TC) END-EXEC.", 1));
  convert_route(harness.run, make_statement("    EXEC ZARN ROUTE LIST(RL) END-EXEC.", 2));
  EXPECT_EQ(harness.output(), "");
  EXPECT_EQ(harness.messages(),
            "line 0002 - ASSIGN TERMCODE found - program logic should be checked\n"
            "line 0003 - *** ZVL ROUTE command found\n");
  EXPECT_EQ(harness.run.count(Row::kAssignTermcode), 1);
  EXPECT_EQ(harness.run.count(Row::kRoute), 1);
}

}  // namespace
}  // namespace converter
