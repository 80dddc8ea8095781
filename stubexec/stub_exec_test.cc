// Tests of putting the monitor's commands aside: which words become CONTINUE and blanks, what
// stays in its column, the responses, and the command line.
#include "stubexec/stub_exec.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/support/test_files.h"

namespace stubexec {
namespace {

// The lines of `source` with the commands put aside, and the problems found, after a "|".
std::string stubbed(const std::vector<std::string>& source) {
  StubState state;
  std::string shown;
  std::int64_t number = 0;
  for (std::string line : source) {
    stub_line(state, line, ++number);
    shown += line + "\n";
  }
  for (const std::string& problem : state.problems) shown += "| " + problem + "\n";
  if (state.in_command) shown += "| open since line " + std::to_string(state.command_line) + "\n";
  return shown;
}

TEST(StubExec, CommandsBecomeContinueAndBlanksInTheirColumns) {
  const struct {
    const char* why;
    std::vector<std::string> source;
    std::string expected;
  } cases[] = {
      {"one line, the period after END-EXEC kept",
       {"000100     EXEC ZARN RETURN END-EXEC.                                      ID000100"},
       // EXEC ZARN RETURN END-EXEC is 25 characters: CONTINUE and 17 blanks.
       "000100     CONTINUE" + std::string(17, ' ') +
           ".                                      ID000100\n"},
      {"in any case, with more blanks between the words",
       {"           exec   Zarn xctl program('P') end-exec"},
       "           CONTINUE" + std::string(30, ' ') + "\n"},
      {"over three lines: the lines after become blanks up to END-EXEC",
       {"           EXEC ZARN READ FILE('CUSTF')", "                INTO(REC)",
        "           END-EXEC. MOVE 1 TO A."},
       "           CONTINUE" + std::string(20, ' ') + "\n" + std::string(25, ' ') + "\n" +
           std::string(19, ' ') + ". MOVE 1 TO A.\n"},
      {"an END-EXEC inside a literal of the command does not end it",
       {"           EXEC ZARN SEND FROM('END-EXEC')", "           END-EXEC."},
       "           CONTINUE                       \n                   .\n"},
      {"comment lines stay as they are",
       {"000100*    EXEC ZARN SEND MAP('M1') END-EXEC.", "000200/    EXEC ZARN RETURN END-EXEC."},
       "000100*    EXEC ZARN SEND MAP('M1') END-EXEC.\n000200/    EXEC ZARN RETURN END-EXEC.\n"},
      {"a command named in a literal stays",
       {"           MOVE 'EXEC ZARN READ' TO WS-TEXT."},
       "           MOVE 'EXEC ZARN READ' TO WS-TEXT.\n"},
      {"other translators' commands stay",
       {"           EXEC SQL COMMIT END-EXEC."},
       "           EXEC SQL COMMIT END-EXEC.\n"},
      {"words that only hold EXEC stay",
       {"           MOVE X-EXEC TO EXEC-ZARN."},
       "           MOVE X-EXEC TO EXEC-ZARN.\n"},
      {"the sequence and identification areas stay",
       {"EXEC Z     EXEC ZARN SYNCPOINT END-EXEC.                                     EXEC ZAR"},
       "EXEC Z     CONTINUE                    .                                     EXEC ZAR\n"},
      {"two commands on one line",
       {"           EXEC ZARN READ END-EXEC EXEC ZARN READ END-EXEC"},
       "           CONTINUE" + std::string(16, ' ') + "CONTINUE" + std::string(15, ' ') + "\n"},
      {"a response becomes its number, in any case, filled to its width",
       {"           IF WS-RESP = KVZRESP(NORMAL) OR kvzresp( notfnd )"},
       "           IF WS-RESP = 0               OR 13               \n"},
      {"a response of the monitor that does not exist is named and left",
       {"           IF WS-RESP = KVZRESP(NOSUCH)"},
       "           IF WS-RESP = KVZRESP(NOSUCH)\n| line 1: KVZRESP(NOSUCH) names no response of "
       "the monitor\n"},
      {"a command without its END-EXEC stays open to the end",
       {"           EXEC ZARN SEND MAP('M1')", "           MOVE 1 TO A."},
       "           CONTINUE" + std::string(16, ' ') + "\n" + std::string(23, ' ') +
           "\n| open since line 1\n"},
      {"a carriage return before the line end stays",
       {"           EXEC ZARN RETURN END-EXEC.\r"},
       "           CONTINUE" + std::string(17, ' ') + ".\r\n"},
      {"short lines stay", {"", "   ", "      *"}, "\n   \n      *\n"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(stubbed(row.source), row.expected);
  }
}

TEST(StubExec, EachResponseHasTheMonitorsNumber) {
  const struct {
    const char* name;
    int number;
  } cases[] = {{"NORMAL", 0},    {"ERROR", 1},       {"NOTFND", 13},  {"DUPREC", 14},
               {"DUPKEY", 15},   {"INVREQ", 16},     {"IOERR", 17},   {"NOTOPEN", 19},
               {"ENDFILE", 20},  {"LENGERR", 22},    {"QZERO", 23},   {"ITEMERR", 26},
               {"PGMIDERR", 27}, {"TRANSIDERR", 28}, {"MAPFAIL", 36}, {"QIDERR", 44},
               {"NOTAUTH", 70},  {"DISABLED", 84},   {"mapfail", 36}, {"NOSUCH", -1},
               {"", -1}};
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(response_number(row.name), row.number);
  }
}

struct Outcome {
  int exit_code;
  std::string out;
  std::string err;
};

Outcome run(const std::vector<std::string>& arguments, const std::string& input = "") {
  test_support::MemoryFile in;
  in.set(input);
  test_support::MemoryFile out;
  std::ostringstream err;
  int code = run_stub_exec(arguments, in.stream(), out.stream(), err);
  return {code, out.contents(), err.str()};
}

TEST(StubExec, TheCommandLineReadsAFileOrStandardInput) {
  test_support::TempFolder folder;
  folder.write("PROG.cbl", "           EXEC ZARN RETURN END-EXEC.\n           STOP RUN.");
  folder.write("OPEN.cbl", "           EXEC ZARN RETURN\n");
  Outcome file = run({folder.file("PROG.cbl")});
  EXPECT_EQ(file.exit_code, 0);
  // The last line has no line end, and gets none.
  EXPECT_EQ(file.out, "           CONTINUE" + std::string(17, ' ') + ".\n           STOP RUN.");
  EXPECT_EQ(file.err, "");

  Outcome input = run({"-"}, "      * A\n           EXEC ZARN XCTL END-EXEC\n");
  EXPECT_EQ(input.exit_code, 0);
  EXPECT_EQ(input.out, "      * A\n           CONTINUE               \n");

  Outcome open = run({"--", folder.file("OPEN.cbl")});
  EXPECT_EQ(open.exit_code, 1);
  EXPECT_EQ(open.out, "           CONTINUE" + std::string(8, ' ') + "\n");
  EXPECT_EQ(open.err, "quillox-stub-exec: " + folder.file("OPEN.cbl") +
                          ": the command of line 1 has no END-EXEC\n");

  Outcome missing = run({folder.file("NONE.cbl")});
  EXPECT_EQ(missing.exit_code, 100);
  EXPECT_EQ(missing.err, "quillox-stub-exec: cannot open " + folder.file("NONE.cbl") +
                             ": No such file or directory\n");

  EXPECT_EQ(run({"--version"}).out, "quillox-stub-exec 1.3.0\n");
  EXPECT_EQ(run({"--help"}).out.substr(0, 36), "usage: quillox-stub-exec [--] SOURCE");
  EXPECT_EQ(run({}).exit_code, 2);
  EXPECT_EQ(run({"-x"}).exit_code, 2);
  EXPECT_EQ(run({"-x"}).err.substr(0, 42), "quillox-stub-exec: unknown option -x\nusage");
  EXPECT_EQ(run({"A", "B"}).exit_code, 2);
}

}  // namespace
}  // namespace stubexec
