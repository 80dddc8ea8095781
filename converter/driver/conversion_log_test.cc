// Tests of the message file: numbered message lines and the summary report.
#include "converter/driver/conversion_log.h"

#include <gtest/gtest.h>

#include <string>

#include "converter/driver/conversion_run.h"
#include "tests/support/conversion_harness.h"
#include "tests/support/summary_report.h"

namespace converter {
namespace {

using message_format::Row;

using test_support::RunHarness;
using test_support::summary_report;

TEST(ConversionLog, MessageLineNumbersAreOutputLinesPlusOne) {
  struct Case {
    int output_lines;
    const char* text;
    std::string expected;
  } rows[] = {
      {0, "PROGRAM-ID paragraph changed", "line 0001 - PROGRAM-ID paragraph changed\n"},
      {6, "LINKAGE SECTION INSERTED", "line 0007 - LINKAGE SECTION INSERTED\n"},
      {122, "EIBCALEN changed", "line 0123 - EIBCALEN changed\n"},
      {9998, "x", "line 9999 - x\n"},
      {9999, "x", "line 10000 - x\n"},
      {123455, "x", "line 123456 - x\n"},
      {4, "", "line 0005 - \n"},
  };
  for (const Case& row : rows) {
    SCOPED_TRACE(row.expected);
    RunHarness log;
    log_line(log.run, row.output_lines, row.text);
    EXPECT_EQ(log.messages(), row.expected);
  }
}

TEST(ConversionLog, MessagesAreIndentedByCopybookDepth) {
  struct Case {
    int depth;
    std::string expected;
  } rows[] = {
      {0, "line 0003 - EIBAID changed\n"},   {1, " line 0003 - EIBAID changed\n"},
      {2, "  line 0003 - EIBAID changed\n"}, {10, "          line 0003 - EIBAID changed\n"},
      {-1, "line 0003 - EIBAID changed\n"},
  };
  for (const Case& row : rows) {
    SCOPED_TRACE(row.depth);
    RunHarness log;
    log.run.include_depth = row.depth;
    log_line(log.run, 2, "EIBAID changed");
    EXPECT_EQ(log.messages(), row.expected);
  }
}

TEST(ConversionLog, MessageTextsAreWrittenWhole) {
  RunHarness log;
  std::string text("MAP \0NAME", 9);
  log_line(log.run, 0, text);
  log_line(log.run, 1, std::string(300, 'X'));
  EXPECT_EQ(log.messages(), std::string("line 0001 - MAP \0NAME\n", 22) + "line 0002 - " +
                                std::string(300, 'X') + "\n");
}

TEST(ConversionLog, SummaryOfARunWithoutFindings) {
  RunHarness log;
  log.run.input_line_count = 7;
  log.run.output_line_count = 10;
  write_summary(log.run);
  EXPECT_EQ(log.messages(), summary_report(7, 10));
}

// The whole report, spelled out: the one place that pins every row's text and place. The other
// tests build it with summary_report(), which is checked against this text here too.
TEST(ConversionLog, SummaryShowsEachCounterInItsRow) {
  // Every counter a different value, so that a row showing another row's counter fails.
  RunHarness log;
  ConversionRun& run = log.run;
  run.input_line_count = 1234;
  run.output_line_count = 1301;
  run.count(Row::kCopy) = 3;
  run.count(Row::kInc) = 4;
  run.count(Row::kExec) = 5;
  run.count(Row::kLink) = 6;
  run.count(Row::kXctl) = 7;
  run.count(Row::kSendMap) = 8;
  run.count(Row::kSendText) = 9;
  run.count(Row::kSendControl) = 10;
  run.count(Row::kSendConvid) = 11;
  run.count(Row::kSendFromOnly) = 12;
  run.count(Row::kSendBare) = 13;
  run.count(Row::kReceiveMap) = 14;
  run.count(Row::kReceiveBuffer) = 15;
  run.count(Row::kConverse) = 16;
  run.count(Row::kReturn) = 17;
  run.count(Row::kAddress) = 18;
  run.count(Row::kHandleMapfail) = 19;
  run.count(Row::kHandleAid) = 20;
  run.count(Row::kRoute) = 21;
  run.count(Row::kMaponly) = 22;
  run.count(Row::kDataonly) = 23;
  run.count(Row::kErase) = 24;
  run.count(Row::kEraseaup) = 25;
  run.count(Row::kAlarm) = 26;
  run.count(Row::kAccum) = 27;
  run.count(Row::kPage) = 28;
  run.count(Row::kFrset) = 29;
  run.count(Row::kFreekb) = 30;
  run.count(Row::kEibaid) = 31;
  run.count(Row::kEibtrmid) = 32;
  run.count(Row::kEibtrnid) = 33;
  run.count(Row::kEibcalen) = 34;
  run.count(Row::kEibcposn) = 35;
  run.count(Row::kCommarea) = 36;
  run.count(Row::kAssignTermcode) = 123456;
  // Not a row of the report.
  run.converted_command_count = 99;
  // Copybook depth does not indent the report.
  run.include_depth = 2;
  write_summary(run);
  const std::string report =
      "\n"
      " 1234 Input lines read\n"
      " 1301 Output lines written\n"
      "    3 Total copy statements found\n"
      "    4 Total -INC statements found\n"
      "\n"
      "    5 EXEC ZARN Statements\n"
      "    6 Total EXEC ZARN LINK statements found\n"
      "    7 Total EXEC ZARN XCTL statements found\n"
      "\n"
      "    8 SEND MAP statements\n"
      "    9 SEND TEXT statements\n"
      "   10 SEND CONTROL statements\n"
      "   11 SEND CONVID or SESSION statements\n"
      "   12 SEND with FROM or CTLCHAR only\n"
      "   13 SEND with no other parameters\n"
      "   14 RECEIVE MAP statements\n"
      "   15 RECEIVE BUFFER statementss\n"
      "   16 CONVERSE statements\n"
      "   17 RETURN statements\n"
      "   18 ADDRESS statements\n"
      "   19 HANDLE MAPFAIL statements\n"
      "   20 HANDLE AID statements\n"
      "   21 ROUTE statements\n"
      "\n"
      "   22 MAPONLY parameters\n"
      "   23 DATAONLY parameters\n"
      "   24 ERASE parameters\n"
      "   25 ERASEAUP parameters\n"
      "   26 ALARM parameters\n"
      "   27 ACCUM parameters\n"
      "   28 PAGE parameters\n"
      "   29 FRSET statements\n"
      "   30 FREEKB statements\n"
      "\n"
      "   31 EIBAID variables\n"
      "   32 EIBTRMID variables\n"
      "   33 EIBTRNID variables\n"
      "   34 EIBCALEN variables\n"
      "   35 EIBCPOSN variables\n"
      "\n"
      "   36 KVZCOMMAREA references\n"
      "123456 ASSIGN TERMCODE references\n";
  EXPECT_EQ(log.messages(), report);
  EXPECT_EQ(summary_report(1234, 1301,
                           {{"Total copy statements found", 3},
                            {"Total -INC statements found", 4},
                            {"EXEC ZARN Statements", 5},
                            {"Total EXEC ZARN LINK statements found", 6},
                            {"Total EXEC ZARN XCTL statements found", 7},
                            {"SEND MAP statements", 8},
                            {"SEND TEXT statements", 9},
                            {"SEND CONTROL statements", 10},
                            {"SEND CONVID or SESSION statements", 11},
                            {"SEND with FROM or CTLCHAR only", 12},
                            {"SEND with no other parameters", 13},
                            {"RECEIVE MAP statements", 14},
                            {"RECEIVE BUFFER statementss", 15},
                            {"CONVERSE statements", 16},
                            {"RETURN statements", 17},
                            {"ADDRESS statements", 18},
                            {"HANDLE MAPFAIL statements", 19},
                            {"HANDLE AID statements", 20},
                            {"ROUTE statements", 21},
                            {"MAPONLY parameters", 22},
                            {"DATAONLY parameters", 23},
                            {"ERASE parameters", 24},
                            {"ERASEAUP parameters", 25},
                            {"ALARM parameters", 26},
                            {"ACCUM parameters", 27},
                            {"PAGE parameters", 28},
                            {"FRSET statements", 29},
                            {"FREEKB statements", 30},
                            {"EIBAID variables", 31},
                            {"EIBTRMID variables", 32},
                            {"EIBTRNID variables", 33},
                            {"EIBCALEN variables", 34},
                            {"EIBCPOSN variables", 35},
                            {"KVZCOMMAREA references", 36},
                            {"ASSIGN TERMCODE references", 123456}}),
            report);
}

TEST(ConversionLog, SummaryFollowsTheMessages) {
  RunHarness log;
  log.run.input_line_count = 2;
  log.run.output_line_count = 5;
  log.run.count(Row::kHandleAid) = 2;
  log_line(log.run, 1, "LINKAGE SECTION INSERTED");
  write_summary(log.run);
  EXPECT_EQ(log.messages(), "line 0002 - LINKAGE SECTION INSERTED\n" +
                                summary_report(2, 5, {{"HANDLE AID statements", 2}}));
}

}  // namespace
}  // namespace converter
