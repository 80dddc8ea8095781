// Tests of the message file: numbered message lines and the summary report.
#include "converter/driver/conversion_log.h"

#include <gtest/gtest.h>

#include <string>

#include "converter/driver/conversion_run.h"
#include "tests/support/test_files.h"

namespace converter {
namespace {

using test_support::TempFolder;

// A run whose message file is "PROG.msg" in a fresh folder.
class LogFixture {
 public:
  LogFixture() { run.message_file = OutputFile::open(folder.file("PROG.msg")); }
  // Closes the message file and returns what it holds.
  std::string contents() {
    EXPECT_TRUE(run.message_file->close());
    return folder.read("PROG.msg");
  }

  TempFolder folder;
  ConversionRun run;
};

TEST(ConversionLog, MessageLineNumbersAreOutputLinesPlusOne) {
  struct Row {
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
  for (const Row& row : rows) {
    SCOPED_TRACE(row.expected);
    LogFixture log;
    log_line(log.run, row.output_lines, row.text);
    EXPECT_EQ(log.contents(), row.expected);
  }
}

TEST(ConversionLog, MessagesAreIndentedByCopybookDepth) {
  struct Row {
    int depth;
    std::string expected;
  } rows[] = {
      {0, "line 0003 - EIBAID changed\n"},   {1, " line 0003 - EIBAID changed\n"},
      {2, "  line 0003 - EIBAID changed\n"}, {10, "          line 0003 - EIBAID changed\n"},
      {-1, "line 0003 - EIBAID changed\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.depth);
    LogFixture log;
    log.run.include_depth = row.depth;
    log_line(log.run, 2, "EIBAID changed");
    EXPECT_EQ(log.contents(), row.expected);
  }
}

TEST(ConversionLog, MessageTextsAreWrittenWhole) {
  LogFixture log;
  std::string text("MAP \0NAME", 9);
  log_line(log.run, 0, text);
  log_line(log.run, 1, std::string(300, 'X'));
  EXPECT_EQ(log.contents(), std::string("line 0001 - MAP \0NAME\n", 22) + "line 0002 - " +
                                std::string(300, 'X') + "\n");
}

TEST(ConversionLog, SummaryOfARunWithoutFindings) {
  LogFixture log;
  log.run.input_line_count = 7;
  log.run.output_line_count = 10;
  write_summary(log.run);
  EXPECT_EQ(log.contents(),
            "\n"
            "    7 Input lines read\n"
            "   10 Output lines written\n"
            "    0 Total copy statements found\n"
            "    0 Total -INC statements found\n"
            "\n"
            "    0 EXEC ZARN Statements\n"
            "    0 Total EXEC ZARN LINK statements found\n"
            "    0 Total EXEC ZARN XCTL statements found\n"
            "\n"
            "    0 SEND MAP statements\n"
            "    0 SEND TEXT statements\n"
            "    0 SEND CONTROL statements\n"
            "    0 SEND CONVID or SESSION statements\n"
            "    0 SEND with FROM or CTLCHAR only\n"
            "    0 SEND with no other parameters\n"
            "    0 RECEIVE MAP statements\n"
            "    0 RECEIVE BUFFER statementss\n"
            "    0 CONVERSE statements\n"
            "    0 RETURN statements\n"
            "    0 ADDRESS statements\n"
            "    0 HANDLE MAPFAIL statements\n"
            "    0 HANDLE AID statements\n"
            "    0 ROUTE statements\n"
            "\n"
            "    0 MAPONLY parameters\n"
            "    0 DATAONLY parameters\n"
            "    0 ERASE parameters\n"
            "    0 ERASEAUP parameters\n"
            "    0 ALARM parameters\n"
            "    0 ACCUM parameters\n"
            "    0 PAGE parameters\n"
            "    0 FRSET statements\n"
            "    0 FREEKB statements\n"
            "\n"
            "    0 EIBAID variables\n"
            "    0 EIBTRMID variables\n"
            "    0 EIBTRNID variables\n"
            "    0 EIBCALEN variables\n"
            "    0 EIBCPOSN variables\n"
            "\n"
            "    0 KVZCOMMAREA references\n"
            "    0 ASSIGN TERMCODE references\n");
}

TEST(ConversionLog, SummaryShowsEachCounterInItsRow) {
  // Every counter a different value, so that a row showing another row's counter fails.
  LogFixture log;
  ConversionRun& run = log.run;
  run.input_line_count = 1234;
  run.output_line_count = 1301;
  run.copy_count = 3;
  run.inc_count = 4;
  run.exec_count = 5;
  run.link_count = 6;
  run.xctl_count = 7;
  run.send_map_count = 8;
  run.send_text_count = 9;
  run.send_control_count = 10;
  run.send_convid_count = 11;
  run.send_from_only_count = 12;
  run.send_bare_count = 13;
  run.receive_map_count = 14;
  run.receive_buffer_count = 15;
  run.converse_count = 16;
  run.return_count = 17;
  run.address_count = 18;
  run.handle_mapfail_count = 19;
  run.handle_aid_count = 20;
  run.route_count = 21;
  run.maponly_count = 22;
  run.dataonly_count = 23;
  run.erase_count = 24;
  run.eraseaup_count = 25;
  run.alarm_count = 26;
  run.accum_count = 27;
  run.page_count = 28;
  run.frset_count = 29;
  run.freekb_count = 30;
  run.eibaid_count = 31;
  run.eibtrmid_count = 32;
  run.eibtrnid_count = 33;
  run.eibcalen_count = 34;
  run.eibcposn_count = 35;
  run.commarea_count = 36;
  run.assign_termcode_count = 123456;
  // Not a row of the report.
  run.converted_command_count = 99;
  // Copybook depth does not indent the report.
  run.include_depth = 2;
  write_summary(run);
  EXPECT_EQ(log.contents(),
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
            "123456 ASSIGN TERMCODE references\n");
}

TEST(ConversionLog, SummaryFollowsTheMessages) {
  LogFixture log;
  log.run.input_line_count = 2;
  log.run.output_line_count = 5;
  log.run.handle_aid_count = 2;
  log_line(log.run, 1, "LINKAGE SECTION INSERTED");
  write_summary(log.run);
  EXPECT_EQ(log.contents(),
            "line 0002 - LINKAGE SECTION INSERTED\n"
            "\n"
            "    2 Input lines read\n"
            "    5 Output lines written\n"
            "    0 Total copy statements found\n"
            "    0 Total -INC statements found\n"
            "\n"
            "    0 EXEC ZARN Statements\n"
            "    0 Total EXEC ZARN LINK statements found\n"
            "    0 Total EXEC ZARN XCTL statements found\n"
            "\n"
            "    0 SEND MAP statements\n"
            "    0 SEND TEXT statements\n"
            "    0 SEND CONTROL statements\n"
            "    0 SEND CONVID or SESSION statements\n"
            "    0 SEND with FROM or CTLCHAR only\n"
            "    0 SEND with no other parameters\n"
            "    0 RECEIVE MAP statements\n"
            "    0 RECEIVE BUFFER statementss\n"
            "    0 CONVERSE statements\n"
            "    0 RETURN statements\n"
            "    0 ADDRESS statements\n"
            "    0 HANDLE MAPFAIL statements\n"
            "    2 HANDLE AID statements\n"
            "    0 ROUTE statements\n"
            "\n"
            "    0 MAPONLY parameters\n"
            "    0 DATAONLY parameters\n"
            "    0 ERASE parameters\n"
            "    0 ERASEAUP parameters\n"
            "    0 ALARM parameters\n"
            "    0 ACCUM parameters\n"
            "    0 PAGE parameters\n"
            "    0 FRSET statements\n"
            "    0 FREEKB statements\n"
            "\n"
            "    0 EIBAID variables\n"
            "    0 EIBTRMID variables\n"
            "    0 EIBTRNID variables\n"
            "    0 EIBCALEN variables\n"
            "    0 EIBCPOSN variables\n"
            "\n"
            "    0 KVZCOMMAREA references\n"
            "    0 ASSIGN TERMCODE references\n");
}

}  // namespace
}  // namespace converter
