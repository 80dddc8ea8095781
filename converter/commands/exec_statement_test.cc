// Tests of gathering EXEC ZARN commands, recognising their options and extracting arguments.
#include "converter/commands/exec_statement.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "converter/driver/conversion_run.h"
#include "tests/support/conversion_harness.h"
#include "tests/support/test_files.h"

namespace converter {
namespace {

using message_format::Row;

using test_support::pad80;

// A run positioned on the first line of a command, with its further lines as the program.
struct CommandRun : test_support::RunHarness {
  CommandRun(std::string_view first_line, std::string_view further_lines)
      : RunHarness(further_lines) {
    run.in_procedure_division = true;
    run.line = std::string(first_line);
  }
};

// Each line followed by a line end.
std::string lines(std::initializer_list<std::string> each) {
  std::string all;
  for (const std::string& line : each) all.append(line).append("\n");
  return all;
}

TEST(ExecStatement, ArgumentIsTheTextBetweenTheFirstParenthesesAfterTheWord) {
  const std::size_t npos = std::string::npos;
  // A text of 300 characters: "(" right at the position, ")" as the 255th character.
  std::string window_edge = "(" + std::string(253, 'A') + ")" + std::string(45, 'B');
  std::string beyond_window = "(" + std::string(254, 'A') + ")";
  std::string open_beyond_window = std::string(255, ' ') + "(X)";
  struct Case {
    const char* name;
    std::string text;
    std::size_t position;
    std::string expected;
  } rows[] = {
      {"quoted map name keeps its apostrophes", "SEND MAP('MENU1') END-EXEC", 5, "'MENU1'"},
      {"blanks inside stay", "SEND MAP( X ) END-EXEC", 5, " X "},
      {"word without its own argument takes the next one", "SEND MAP MAPSET(S1) END-EXEC", 5, "S1"},
      {"absent option", "SEND MAP('M1') END-EXEC", npos, ""},
      {"no opening parenthesis", "SEND ERASE END-EXEC", 5, ""},
      {"no closing parenthesis", "SEND FROM(ABC END-EXEC", 5, ""},
      {"empty parentheses", "SEND FROM() END-EXEC", 5, ""},
      {"position past the end", "SEND", 9, ""},
      {"253 characters within the window", window_edge, 0, std::string(253, 'A')},
      {"closing parenthesis as the 256th character", beyond_window, 0, ""},
      {"opening parenthesis as the 256th character", open_beyond_window, 0, ""},
      {"window counted from the position", "XX" + window_edge, 2, std::string(253, 'A')},
      {"a subscript stays whole", "SEND FROM(WS-LINE(WS-I)) END-EXEC", 5, "WS-LINE(WS-I)"},
      {"a reference modification stays whole", "SEND FROM(WS-TEXT(1:20)) LENGTH(20)", 5,
       "WS-TEXT(1:20)"},
      {"a parenthesis inside a literal does not count", "SEND FROM('A)B') END-EXEC", 5, "'A)B'"},
      {"nor one inside quotation marks", "SEND FROM(\"(\") END-EXEC", 5, "\"(\""},
      {"a parenthesis left open: the first closing one ends it", "SEND FROM(X(1) END-EXEC", 5,
       "X(1"},
      {"a literal left open: the first closing parenthesis ends it",
       "SEND FROM('HELLO    'WORLD') LENGTH(10)", 5, "'HELLO    'WORLD'"},
      {"a literal left open and no closing parenthesis at all", "SEND FROM('HELLO", 5, ""},
      {"the closing parenthesis of a nested argument beyond the window",
       "(" + std::string(200, 'A') + "(" + std::string(60, 'B') + "))", 0, ""},
  };
  for (const Case& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(extract_argument(row.text, row.position), row.expected);
  }
}

// One command from the first line (and further lines) to its whole output and messages.
struct CommandCase {
  const char* name;
  std::string first_line;
  std::string further_lines;
  std::string expected_output;
  std::string expected_messages;
};

void check_command(const CommandCase& row) {
  SCOPED_TRACE(row.name);
  CommandRun command(row.first_line, row.further_lines);
  convert_exec_statement(command.run);
  EXPECT_EQ(command.output(), row.expected_output);
  EXPECT_EQ(command.messages(), row.expected_messages);
}

TEST(ExecStatement, OptionsAreWholeWordsInAnyCase) {
  CommandCase rows[] = {
      {"MAP is not found inside MAPSET, ERASE not inside ERASEAUP",
       "           EXEC ZARN SEND MAPSET('S1') ERASEAUP END-EXEC.", "",
       lines({"      *    EXEC ZARN SEND MAPSET('S1') ERASEAUP END-EXEC.",
              pad80("           MOVE 'U' TO ERASESW.")}),
       "line 0001 - SEND found - no recognized parameters - removed\n"},
      {"lower-case options are recognised and their arguments upper-cased",
       "           EXEC ZARN send map('m1') mapset('s1') erase END-EXEC", "",
       lines({"      *    EXEC ZARN send map('m1') mapset('s1') erase END-EXEC",
              pad80("           MOVE 'E' TO ERASESW "),
              pad80("           MOVE 'M1' TO USRMAPNAME "),
              pad80("           MOVE 'S1' TO USRMAPSET ")}),
       "line 0001 - ZARN SEND MAP handled for map 'M1' mapset 'S1'\n"},
      {"an option on a later line counts as well", "           EXEC ZARN SEND ERASE MAP('M1')",
       "           END-EXEC.\n",
       lines({"      *    EXEC ZARN SEND ERASE MAP('M1')", "      *    END-EXEC.",
              pad80("           MOVE 'E' TO ERASESW."),
              pad80("           MOVE 'M1' TO USRMAPNAME.")}),
       "line 0001 - ZARN SEND MAP handled for map 'M1' mapset \n"},
      {"a word inside the first literal is no option",
       "           EXEC ZARN SEND FROM('MAP ERASE') END-EXEC.", "",
       lines({"      *    EXEC ZARN SEND FROM('MAP ERASE') END-EXEC.",
              pad80("           MOVE 'SENDTEXT' TO USRMAPNAME."),
              pad80("           MOVE 'MAP ERASE' TO TEXTAREA."),
              pad80("           MOVE FUNCTION LENGTH('MAP ERASE') TO USRMAPLN.")}),
       "line 0001 - ZARN SEND FROM handled as SEND TEXT\n"},
  };
  for (const CommandCase& row : rows) check_command(row);
}

TEST(ExecStatement, TerminatorIsAPeriodAfterEndExec) {
  CommandCase rows[] = {
      {"period right after END-EXEC", "           EXEC ZARN SEND CONTROL END-EXEC.", "",
       lines({"      *    EXEC ZARN SEND CONTROL END-EXEC.", pad80("           .")}),
       "line 0001 - *** ZARN SEND CONTROL found\n"},
      {"period after blanks behind END-EXEC", "           EXEC ZARN SEND CONTROL END-EXEC   .", "",
       lines({"      *    EXEC ZARN SEND CONTROL END-EXEC   .", pad80("           .")}),
       "line 0001 - *** ZARN SEND CONTROL found\n"},
      {"no period: a blank ends each statement", "           EXEC ZARN SEND CONTROL END-EXEC", "",
       lines({"      *    EXEC ZARN SEND CONTROL END-EXEC", pad80("            ")}),
       "line 0001 - *** ZARN SEND CONTROL found\n"},
      {"a period before END-EXEC does not count",
       "           EXEC ZARN SEND CONTROL FROM('A.B') END-EXEC", "",
       lines({"      *    EXEC ZARN SEND CONTROL FROM('A.B') END-EXEC", pad80("            ")}),
       "line 0001 - *** ZARN SEND CONTROL found\n"},
      {"END-EXEC only in a comment line: any period of the text counts",
       "           EXEC ZARN SEND CONTROL FROM(A.B)", "      *    END-EXEC\n",
       lines({"      *    EXEC ZARN SEND CONTROL FROM(A.B)", "      *    END-EXEC",
              pad80("           .")}),
       "line 0001 - *** ZARN SEND CONTROL found\n"},
      {"END-EXEC in any case ends the command", "           Exec Zarn Send Control End-Exec",
       "           END-EXEC.\n",
       lines({"      *    Exec Zarn Send Control End-Exec", pad80("            ")}),
       "line 0001 - *** ZARN SEND CONTROL found\n"},
  };
  for (const CommandCase& row : rows) check_command(row);
}

TEST(ExecStatement, ReplacementStatementsStartInColumn12OrUnderExec) {
  CommandCase rows[] = {
      {"EXEC in column 8", "       EXEC ZARN SEND CONTROL END-EXEC.", "",
       lines({"      *EXEC ZARN SEND CONTROL END-EXEC.", pad80("           .")}),
       "line 0001 - *** ZARN SEND CONTROL found\n"},
      {"EXEC after a sequence number and an IF",
       "000100     IF A = B EXEC ZARN SEND CONTROL END-EXEC", "",
       lines({"000100*    IF A = B EXEC ZARN SEND CONTROL END-EXEC", pad80(std::string(20, ' '))}),
       "line 0001 - *** ZARN SEND CONTROL found\n"},
      {"EXEC in column 50 gives column 33",
       std::string(49, ' ') + "EXEC ZARN SEND CONTROL END-EXEC.", "",
       lines({"      *" + std::string(42, ' ') + "EXEC ZARN SEND CONTROL END-EXEC.",
              pad80(std::string(32, ' ') + ".")}),
       "line 0001 - *** ZARN SEND CONTROL found\n"},
  };
  for (const CommandCase& row : rows) check_command(row);
}

TEST(ExecStatement, RenamesApplyToTheTextButNotToTheSourceLines) {
  CommandCase rows[] = {
      {"a field inside parentheses is renamed too",
       "           EXEC ZARN SEND TEXT FROM(WS-MSG) LENGTH(EIBCALEN) END-EXEC.", "",
       lines({"      *    EXEC ZARN SEND TEXT FROM(WS-MSG) LENGTH(EIBCALEN) END-EXEC.",
              pad80("           MOVE 'SENDTEXT' TO USRMAPNAME."),
              pad80("           MOVE WS-MSG TO TEXTAREA."),
              pad80("           MOVE USRCALEN TO USRMAPLN.")}),
       "line 0001 - EIBCALEN changed\nline 0001 - ZARN SEND TEXT handled\n"},
      {"a whole-word field is renamed, also in lower case",
       "           EXEC ZARN SEND TEXT FROM( eibtrmid ) END-EXEC.", "",
       lines({"      *    EXEC ZARN SEND TEXT FROM( eibtrmid ) END-EXEC.",
              pad80("           MOVE 'SENDTEXT' TO USRMAPNAME."),
              pad80("           MOVE  USRTRMID  TO TEXTAREA."),
              pad80("           MOVE FUNCTION LENGTH( USRTRMID ) TO USRMAPLN.")}),
       "line 0001 - EIBTRMID changed\nline 0001 - ZARN SEND TEXT handled\n"},
  };
  for (const CommandCase& row : rows) check_command(row);
}

TEST(ExecStatement, OptionCharactersAndTheirCounters) {
  CommandRun command(
      "           EXEC ZARN SEND MAP('M1') ERASE ERASEAUP ALARM MAPONLY DATAONLY END-EXEC.", "");
  convert_exec_statement(command.run);
  EXPECT_EQ(
      command.output(),
      lines({"      *    EXEC ZARN SEND MAP('M1') ERASE ERASEAUP ALARM MAPONLY DATAONLY END-EXEC.",
             pad80("           MOVE 'U' TO ERASESW."), pad80("           MOVE 'A' TO ALARMSW."),
             pad80("           MOVE 'D' TO SENDTYPE."),
             pad80("           MOVE 'M1' TO USRMAPNAME.")}));
  const ConversionRun& run = command.run;
  EXPECT_EQ(run.count(Row::kErase), 1);
  EXPECT_EQ(run.count(Row::kEraseaup), 1);
  EXPECT_EQ(run.count(Row::kAlarm), 1);
  EXPECT_EQ(run.count(Row::kMaponly), 1);
  EXPECT_EQ(run.count(Row::kDataonly), 1);
  ASSERT_EQ(run.map_requests.records.size(), 1u);
  const MapRequest& request = run.map_requests.records[0];
  EXPECT_EQ(request.erase_code, 'U');
  EXPECT_EQ(request.alarm_code, 'A');
  EXPECT_EQ(request.send_type, 'D');

  CommandRun plain("           EXEC ZARN SEND MAP('M1') MAPONLY END-EXEC.", "");
  convert_exec_statement(plain.run);
  ASSERT_EQ(plain.run.map_requests.records.size(), 1u);
  EXPECT_EQ(plain.run.map_requests.records[0].erase_code, ' ');
  EXPECT_EQ(plain.run.map_requests.records[0].alarm_code, ' ');
  EXPECT_EQ(plain.run.map_requests.records[0].send_type, 'M');
  EXPECT_EQ(plain.run.count(Row::kErase) + plain.run.count(Row::kEraseaup) +
                plain.run.count(Row::kAlarm) + plain.run.count(Row::kDataonly),
            0);
  EXPECT_EQ(plain.run.count(Row::kMaponly), 1);
}

TEST(ExecStatement, CountsAndTheFirstLineBecomesAComment) {
  CommandRun command("           EXEC ZARN SEND CONTROL",
                     "      * a remark\n           END-EXEC.\n");
  command.run.output_line_count = 41;
  command.run.input_line_count = 50;
  convert_exec_statement(command.run);
  EXPECT_EQ(command.run.line, "      *    EXEC ZARN SEND CONTROL");
  EXPECT_EQ(command.run.count(Row::kExec), 1);
  EXPECT_EQ(command.run.converted_command_count, 1);
  EXPECT_EQ(command.run.input_line_count, 52);
  EXPECT_EQ(command.run.output_line_count, 45);
  EXPECT_EQ(command.output(), lines({"      *    EXEC ZARN SEND CONTROL", "      * a remark",
                                     "      *    END-EXEC.", pad80("           .")}));
  EXPECT_EQ(command.messages(), "line 0042 - *** ZARN SEND CONTROL found\n");
}

TEST(ExecStatement, CommandsNotReplacedKeepTheirLinesActive) {
  CommandRun command("           EXEC ZARN READ DATASET('F1') INTO(REC)",
                     "             RIDFLD(EIBTRMID) END-EXEC\n");
  convert_exec_statement(command.run);
  EXPECT_EQ(command.run.line, "           EXEC ZARN READ DATASET('F1') INTO(REC)");
  EXPECT_EQ(command.run.converted_command_count, 0);
  EXPECT_EQ(command.run.count(Row::kExec), 1);
  // The field is renamed in the command's own line, which stays active, and the message names
  // that line; the rename of the command's text tells nothing more.
  EXPECT_EQ(command.output(), lines({"           EXEC ZARN READ DATASET('F1') INTO(REC)",
                                     "             RIDFLD(USRTRMID) END-EXEC"}));
  EXPECT_EQ(command.messages(), "line 0002 - EIBTRMID changed\n");
  EXPECT_EQ(command.run.count(Row::kEibtrmid), 1);
}

TEST(ExecStatement, TwentyLinesAtMost) {
  std::string nineteen;
  for (int i = 0; i < 18; ++i) nineteen += "             FROM(X)\n";
  {
    SCOPED_TRACE("END-EXEC on the twentieth line: converted");
    CommandRun command("           EXEC ZARN SEND CONTROL",
                       nineteen + "           END-EXEC.\nNEXT\n");
    convert_exec_statement(command.run);
    EXPECT_EQ(command.run.input_line_count, 19);
    EXPECT_EQ(command.run.output_line_count, 21);
    EXPECT_EQ(command.run.converted_command_count, 1);
    std::string piece;
    ASSERT_TRUE(command.run.input_file->read_piece(piece));
    EXPECT_EQ(piece, "NEXT");
    std::string expected = "      *    EXEC ZARN SEND CONTROL\n";
    for (int i = 0; i < 18; ++i) expected += "      *      FROM(X)\n";
    expected += "      *    END-EXEC.\n" + pad80("           .") + "\n";
    EXPECT_EQ(command.output(), expected);
  }
  {
    SCOPED_TRACE("END-EXEC on the twenty-first line: 20 lines copied unchanged");
    CommandRun command("           EXEC ZARN SEND CONTROL",
                       nineteen + "             FROM(X)\n           END-EXEC.\n");
    convert_exec_statement(command.run);
    EXPECT_EQ(command.run.count(Row::kExec), 1);
    EXPECT_EQ(command.run.input_line_count, 19);
    EXPECT_EQ(command.run.output_line_count, 20);
    EXPECT_EQ(command.run.converted_command_count, 0);
    EXPECT_EQ(command.run.count(Row::kSendControl), 0);
    std::string piece;
    ASSERT_TRUE(command.run.input_file->read_piece(piece));
    EXPECT_EQ(piece, "           END-EXEC.");
    std::string expected = "           EXEC ZARN SEND CONTROL\n";
    for (int i = 0; i < 19; ++i) expected += "             FROM(X)\n";
    EXPECT_EQ(command.output(), expected);
    EXPECT_EQ(command.messages(),
              "line 0001 - *** EXEC ZARN command without END-EXEC in 20 lines - not converted\n");
  }
}

TEST(ExecStatement, InputEndingInsideACommandIsCopiedUnchanged) {
  CommandRun command("           EXEC ZARN SEND MAP('M1')", "             ERASE EIBCALEN\n");
  convert_exec_statement(command.run);
  EXPECT_EQ(command.run.count(Row::kExec), 1);
  EXPECT_EQ(command.run.input_line_count, 1);
  EXPECT_EQ(command.run.output_line_count, 2);
  EXPECT_EQ(command.run.converted_command_count, 0);
  EXPECT_EQ(command.run.count(Row::kErase) + command.run.count(Row::kEibcalen) +
                command.run.count(Row::kSendMap),
            0);
  EXPECT_EQ(command.output(),
            lines({"           EXEC ZARN SEND MAP('M1')", "             ERASE EIBCALEN"}));
  EXPECT_EQ(command.messages(), "");
}

TEST(ExecStatement, GeneratedLinesStayWithinColumn72) {
  CommandRun command("", "");
  command.run.output_line_count = 3;
  write_generated_line(command.run, "           MOVE 'M1' TO USRMAPNAME.");
  write_generated_line(
      command.run,
      "           MOVE WS-A-RATHER-LONG-DATA-NAME-FOR-THE-TEXT-AREA OF WS-MESSAGES TO TEXTAREA.");
  write_block_line(command.run, "           IF USRAID IS EQUAL TO KVZPF3");
  write_block_line(
      command.run,
      "               GO TO A-PARAGRAPH-NAME-OF-SOME-LENGTH IN A-SECTION-NAME-PAST-THE-MARGIN");
  EXPECT_EQ(command.run.output_line_count, 9);
  EXPECT_EQ(command.output(),
            lines({pad80("           MOVE 'M1' TO USRMAPNAME."),
                   pad80("           MOVE WS-A-RATHER-LONG-DATA-NAME-FOR-THE-TEXT-AREA OF"),
                   pad80("               WS-MESSAGES TO TEXTAREA."),
                   "           IF USRAID IS EQUAL TO KVZPF3",
                   "               GO TO A-PARAGRAPH-NAME-OF-SOME-LENGTH IN",
                   "                   A-SECTION-NAME-PAST-THE-MARGIN"}));
}

TEST(ExecStatement, GatheringIsAFunctionOfTheLinesAlone) {
  // The further lines a gathering may take, handed out one per call.
  struct Case {
    const char* name;
    std::string first;
    std::vector<std::string> further;
    std::size_t lines_taken;
    bool complete;
  } rows[] = {
      {"END-EXEC on the first line takes nothing more",
       "       EXEC ZARN RETURN END-EXEC.",
       {"       MOVE 1 TO A."},
       1,
       true},
      {"END-EXEC on a later line ends there",
       "       EXEC ZARN SEND",
       {"            MAP('M1')", "       END-EXEC.", "       MOVE 1 TO A."},
       3,
       true},
      {"a comment line holding END-EXEC ends the command",
       "       EXEC ZARN SEND",
       {"      * END-EXEC", "       END-EXEC."},
       2,
       true},
      {"END-EXEC in small letters ends it too",
       "       exec zarn send",
       {"       end-exec.", "       END-EXEC."},
       2,
       true},
      {"END-EXEC joined to another word does not end it",
       "       EXEC ZARN SEND",
       {"      *END-EXEC", "       X-END-EXEC", "       END-EXEC."},
       4,
       true},
      {"the input ending first leaves it incomplete",
       "       EXEC ZARN SEND",
       {"            MAP('M1')"},
       2,
       false},
      {"twenty lines at most", "       EXEC ZARN SEND",
       std::vector<std::string>(25, "            ERASE"), 20, false},
  };
  for (const Case& row : rows) {
    SCOPED_TRACE(row.name);
    std::size_t next = 0;
    GatheredCommand command = gather_command(row.first, [&](std::string& line) {
      if (next == row.further.size()) return false;
      line = row.further[next++];
      return true;
    });
    EXPECT_EQ(command.complete, row.complete);
    ASSERT_EQ(command.lines.size(), row.lines_taken);
    EXPECT_EQ(command.lines.front(), row.first);
    EXPECT_EQ(next, row.lines_taken - 1);
  }
}

TEST(ExecStatement, SourceTextKeepsTheCaseAndThePositionsOfTheUpperCaseText) {
  std::vector<std::string> lines = {
      "000100     exec zarn send text from('Hi there')", "000200*    a comment line adds nothing",
      "short", "000300     end-exec.                                    SEQ00300"};
  std::string source = command_source_text(lines);
  EXPECT_EQ(
      source,
      "    exec zarn send text from('Hi there')    end-exec.                                    SEQ00300");
  std::string upper = upper_case_letters(source);
  EXPECT_EQ(
      upper,
      "    EXEC ZARN SEND TEXT FROM('HI THERE')    END-EXEC.                                    SEQ00300");
  // An option found in the upper-case text gives its argument in the case it was written.
  ExecStatement statement = parse_statement(lines.front(), upper);
  EXPECT_EQ(extract_argument(source, statement.position(Keyword::kFrom)), "'Hi there'");
  EXPECT_EQ(upper_case_letters("a-z{}\xe9"), "A-Z{}\xe9");
}

}  // namespace
}  // namespace converter
