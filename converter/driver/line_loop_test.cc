// Tests of the source line loop: the insertions, the blanked KVZCOMMAREA declaration, the
// PROGRAM-ID change, the BADMAPNAME paragraph and the EXEC ZARN test.
#include "converter/driver/line_loop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "converter/driver/conversion_run.h"
#include "tests/support/conversion_harness.h"
#include "tests/support/summary_report.h"
#include "tests/support/test_files.h"

namespace converter {
namespace {

using test_support::pad80;
using test_support::padded_lines;
using test_support::summary_report;

// A run fed one line at a time, as the loop takes them from the program.
struct LoopRun : test_support::RunHarness {
  void feed(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
      run.line = line;
      ++run.input_line_count;
      convert_line(run);
    }
  }
};

std::string blanks(std::size_t count) {
  return std::string(count, ' ');
}

// The fixed lines that follow a LINKAGE SECTION line.
const std::string kAfterLinkage =
    "       01  KVZCOMMAREA.\n"
    "           COPY STDHEAD.\n"
    "           02  USRCOMM.\n"
    "      * Insert User COMMAREA, TCTUA, ZVL MAPS HERE\n";

// The fixed lines that go before a PROCEDURE DIVISION line when no LINKAGE SECTION was met.
const std::string kBeforeProcedure =
    "       LINKAGE SECTION.\n"
    "       01 KVZCOMMAREA.\n"
    "           COPY STDHEAD.\n";

const std::string kBadmapnameParagraph =
    "       BADMAPNAME.\n"
    "           MOVE 'MAP NAME DOES NOT MATCH' TO TEXTAREA.\n"
    "           MOVE 23 TO USRMAPLN.\n"
    "           MOVE 'SENDTEXT' TO USRMAPNAME.\n"
    "           MOVE ZEROS TO USRCALEN.\n"
    "           EXEC ZARN RETURN END-EXEC.\n";

TEST(LineLoop, OwnCommareaDeclarationIsBlankedInPlace) {
  const std::string identification = "IDENT001";
  std::string with_area = "000900 01  KVZCOMMAREA.";
  with_area.resize(72, ' ');
  with_area += identification;
  struct Row {
    const char* why;
    std::string line;
    std::string expected;  // before padding to 80
  } rows[] = {
      {"declaration alone", "       01  KVZCOMMAREA.", blanks(23)},
      {"declaration with sequence number", "000800 01  KVZCOMMAREA.", "000800" + blanks(17)},
      {"identification area keeps columns 73 to 80", with_area,
       "000900" + blanks(66) + identification},
      {"text after the period keeps its column", "       01  KVZCOMMAREA.  05 X PIC 9.",
       blanks(23) + "  05 X PIC 9."},
      {"period further on", "       01  KVZCOMMAREA PIC X(100). REST", blanks(34) + " REST"},
      {"01 in the sequence area only", "010100 05  KVZCOMMAREA.", "010100 05  KVZCOMMAREA."},
      {"01 in the sequence area and from column 8", "010100 01  KVZCOMMAREA.",
       "010100" + blanks(17)},
      {"01 after the keyword", "       05  KVZCOMMAREA PIC X(01).",
       "       05  KVZCOMMAREA PIC X(01)."},
      {"no period after the keyword", "       01  KVZCOMMAREA", "       01  KVZCOMMAREA"},
      {"name is longer", "       01  KVZCOMMAREA-X.", "       01  KVZCOMMAREA-X."},
      {"name in any case", "       01  KvzCommArea.", blanks(23)},
      {"name only in the first literal", "       01  X VALUE ' KVZCOMMAREA '.",
       "       01  X VALUE ' KVZCOMMAREA '."},
      {"comment line", "      *01  KVZCOMMAREA.", "      *01  KVZCOMMAREA."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    LoopRun loop;
    loop.feed({row.line});
    EXPECT_EQ(loop.output(), pad80(row.expected) + "\n");
    EXPECT_EQ(loop.messages(), "");
    EXPECT_EQ(loop.run.output_line_count, 1);
  }
}

TEST(LineLoop, OwnCommareaInTheProcedureDivisionIsNotBlanked) {
  // There the name is a reference like any other: renamed, not blanked.
  LoopRun loop;
  loop.run.in_procedure_division = true;
  loop.feed({"       01  KVZCOMMAREA."});
  EXPECT_EQ(loop.output(), pad80("       01  USRCOMM OF KVZCOMMAREA.") + "\n");
  // Without a LINKAGE SECTION the inserted area has no USRCOMM: the first line naming it says so.
  EXPECT_EQ(loop.messages(),
            "line 0001 - KVZCOMMAREA changed\n"
            "line 0001 - *** USRCOMM has no layout - declare the user communication area under "
            "02 USRCOMM\n");
}

TEST(LineLoop, ProcedureDivisionLineItselfIsBeforeTheDivision) {
  // The header line is still a line before the procedure division: its declaration is
  // blanked, not renamed, before the linkage section goes in front of it.
  LoopRun loop;
  loop.feed({"       PROCEDURE DIVISION. 01 KVZCOMMAREA."});
  EXPECT_EQ(loop.output(),
            kBeforeProcedure + padded_lines({"       PROCEDURE DIVISION." + blanks(16)}));
  EXPECT_EQ(loop.messages(), "line 0001 - LINKAGE SECTION INSERTED\n");
  EXPECT_TRUE(loop.run.in_procedure_division);
}

TEST(LineLoop, LinkageSectionGetsTheCommunicationArea) {
  LoopRun loop;
  loop.feed({"       IDENTIFICATION DIVISION.", "       PROGRAM-ID. OLDPROG.",
             "       DATA DIVISION.", "       LINKAGE SECTION.", "       01  LK-A PIC X.",
             "       PROCEDURE DIVISION."});
  EXPECT_EQ(loop.output(),
            padded_lines({"       IDENTIFICATION DIVISION.", "       PROGRAM-ID. OLDPROG.",
                          "       DATA DIVISION.", "       LINKAGE SECTION."}) +
                kAfterLinkage +
                padded_lines({"       01  LK-A PIC X.", "       PROCEDURE DIVISION."}));
  // The message names the "02  USRCOMM." line, output line 7. The first code line after the
  // insertion is a level-01 item, so USRCOMM has no layout: named before that line, line 9.
  EXPECT_EQ(loop.messages(),
            "line 0007 - COPY for STDHEAD in KVZCOMMAREA inserted\n"
            "line 0009 - *** USRCOMM has no layout - declare the user communication area under "
            "02 USRCOMM\n");
  EXPECT_EQ(loop.run.output_line_count, 10);
  EXPECT_TRUE(loop.run.linkage_seen);
  EXPECT_TRUE(loop.run.in_procedure_division);
}

TEST(LineLoop, LinkageWordsInAnyOrder) {
  LoopRun loop;
  loop.feed({"       SECTION LINKAGE"});
  EXPECT_EQ(loop.output(), padded_lines({"       SECTION LINKAGE"}) + kAfterLinkage);
  EXPECT_EQ(loop.messages(), "line 0004 - COPY for STDHEAD in KVZCOMMAREA inserted\n");
}

TEST(LineLoop, ProcedureDivisionWithoutLinkageSection) {
  LoopRun loop;
  loop.feed({"       IDENTIFICATION DIVISION.", "       PROGRAM-ID. A.",
             "       PROCEDURE DIVISION.", "           GOBACK.", "       PROGRAM-ID. B.",
             "       PROCEDURE DIVISION USING X."});
  EXPECT_EQ(loop.output(),
            padded_lines({"       IDENTIFICATION DIVISION.", "       PROGRAM-ID. A."}) +
                kBeforeProcedure +
                padded_lines(
                    {"       PROCEDURE DIVISION.", "           GOBACK.", "       PROGRAM-ID. B."}) +
                kBeforeProcedure + padded_lines({"       PROCEDURE DIVISION USING X."}));
  // Each message names its inserted "LINKAGE SECTION." line.
  EXPECT_EQ(loop.messages(),
            "line 0003 - LINKAGE SECTION INSERTED\n"
            "line 0009 - LINKAGE SECTION INSERTED\n");
  EXPECT_EQ(loop.run.output_line_count, 12);
  EXPECT_FALSE(loop.run.linkage_seen);
}

TEST(LineLoop, ProgramIdIsChangedOnce) {
  struct Row {
    const char* why;
    std::string line;
    std::string expected;
  } rows[] = {
      {"keyword and period", "000200 PROGRAM-ID. OLDPROG.", "000200 PROGRAM-ID. NEWPROG."},
      {"keyword without period", "       PROGRAM-ID OLDPROG.", "       PROGRAM-ID. NEWPROG."},
      {"identification area dropped", "       PROGRAM-ID. OLDPROG." + blanks(45) + "IDENT001",
       "       PROGRAM-ID. NEWPROG."},
      {"keyword ends the line", "       PROGRAM-ID", "       PROGRAM-ID. NEWPROG."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    LoopRun loop;
    loop.run.new_program_name = "NEWPROG";
    loop.run.rename_pending = true;
    loop.feed({"      * PROGRAM-ID. IN A COMMENT.", "       IDENTIFICATION DIVISION.", row.line,
               "       PROGRAM-ID. SECOND."});
    EXPECT_EQ(loop.output(),
              padded_lines({"      * PROGRAM-ID. IN A COMMENT.", "       IDENTIFICATION DIVISION.",
                            row.expected, "       PROGRAM-ID. SECOND."}));
    EXPECT_EQ(loop.messages(), "line 0003 - PROGRAM-ID paragraph changed\n");
    EXPECT_FALSE(loop.run.rename_pending);
  }
}

TEST(LineLoop, ProgramIdLeftAloneWithoutNewName) {
  LoopRun loop;
  loop.feed({"       PROGRAM-ID. OLDPROG."});
  EXPECT_EQ(loop.output(), pad80("       PROGRAM-ID. OLDPROG.") + "\n");
  EXPECT_EQ(loop.messages(), "");
}

TEST(LineLoop, ShortAndIndicatorLinesAreNotExamined) {
  LoopRun loop;
  loop.run.new_program_name = "NEWPROG";
  loop.run.rename_pending = true;
  std::vector<std::string> lines = {
      "",
      "LINK",
      "000100",
      "      *LINKAGE SECTION.",
      "      /PROCEDURE DIVISION.",
      "      -PROGRAM-ID. X.",
      "      *01  KVZCOMMAREA.",
  };
  loop.feed(lines);
  EXPECT_EQ(loop.output(), padded_lines({"", "LINK", "000100", "      *LINKAGE SECTION.",
                                         "      /PROCEDURE DIVISION.", "      -PROGRAM-ID. X.",
                                         "      *01  KVZCOMMAREA."}));
  EXPECT_EQ(loop.messages(), "");
  EXPECT_EQ(loop.run.output_line_count, 7);
  EXPECT_TRUE(loop.run.rename_pending);
  EXPECT_FALSE(loop.run.in_procedure_division);
  EXPECT_FALSE(loop.run.linkage_seen);
}

TEST(LineLoop, BadmapnameParagraphBeforeEndProgram) {
  LoopRun loop;
  loop.run.in_procedure_division = true;
  loop.run.badmapname_pending = true;
  loop.feed({"           GOBACK.", "      *END PROGRAM IN A COMMENT.", "       END-PROGRAM.",
             "       END PROGRAM OLDPROG.", "       END PROGRAM OTHER."});
  EXPECT_EQ(loop.output(),
            padded_lines(
                {"           GOBACK.", "      *END PROGRAM IN A COMMENT.", "       END-PROGRAM."}) +
                kBadmapnameParagraph +
                padded_lines({"       END PROGRAM OLDPROG.", "       END PROGRAM OTHER."}));
  EXPECT_FALSE(loop.run.badmapname_pending);
  EXPECT_EQ(loop.run.output_line_count, 11);
  EXPECT_EQ(loop.messages(), "");
}

TEST(LineLoop, BadmapnameNotWrittenBeforeTheProcedureDivision) {
  LoopRun loop;
  loop.run.badmapname_pending = true;
  loop.feed({"       END PROGRAM OLDPROG."});
  EXPECT_EQ(loop.output(), pad80("       END PROGRAM OLDPROG.") + "\n");
  EXPECT_TRUE(loop.run.badmapname_pending);
}

// A procedure-division line is taken as a command, and counted as one, when it holds the word
// EXEC and the word ZARN in the text that begins 5 characters after EXEC.
TEST(LineLoop, LinesThatStartACommand) {
  struct Case {
    std::string line;
    bool expected;
  } rows[] = {
      {"           EXEC ZARN SEND MAP('M1') END-EXEC.", true},
      {"           EXEC ZARN", true},
      {"           EXEC  ZARN RETURN", true},
      {"           EXEC SQL ZARN", true},
      {"           EXEC", false},
      {"           EXEC.", false},
      {"           EXEC Z", false},
      {"           EXECZARN", false},
      {"           END-EXEC ZARN", false},
      {"           EXEC 'ZARN '", false},
      {"           exec zarn send", true},
      {"           EXEC zarn", true},
      {"           Exec Zarn Return", true},
      {"           MOVE 'EXEC ' TO X EXEC ZARN", true},
      {"           MOVE 'EXEC ZARN' TO X", false},
      {"           EXEC(ZARN", true},  // the text behind EXEC starts 5 characters on
      {"           EXEC ZARN-X", false},
  };
  for (const Case& row : rows) {
    SCOPED_TRACE(row.line);
    test_support::RunHarness harness{std::string_view()};
    harness.run.in_procedure_division = true;
    harness.run.line = row.line;
    harness.run.input_line_count = 1;
    convert_line(harness.run);
    EXPECT_EQ(harness.run.count(message_format::Row::kExec), row.expected ? 1 : 0);
  }
}

// EXEC and ZARN are words like any other: written in any case, the command is converted.
TEST(LineLoop, CommandsInAnyCaseAreConverted) {
  const std::string kReturnLines = pad80("           MOVE ZEROS TO USRCALEN") + "\n" +
                                   pad80("           EXEC ZARN RETURN END-EXEC.") + "\n";
  const std::string kReturnMessage =
      "line 0001 - EXEC ZARN RETURN handled User COMMAREA Length was set to zero\n";
  struct Case {
    const char* why;
    std::string line;
    bool in_procedure_division;
    std::string output;
    std::string messages;
  } rows[] = {
      {"both words in small letters", "           exec zarn return end-exec.", true,
       "      *    exec zarn return end-exec.\n" + kReturnLines, kReturnMessage},
      {"mixed case", "           Exec Zarn Return End-Exec.", true,
       "      *    Exec Zarn Return End-Exec.\n" + kReturnLines, kReturnMessage},
      {"another command in small letters", "           exec sql commit end-exec.", true,
       pad80("           exec sql commit end-exec.") + "\n", ""},
      {"inside the first literal", "           MOVE 'exec zarn' TO X.", true,
       pad80("           MOVE 'exec zarn' TO X.") + "\n", ""},
      {"before the procedure division", "           exec zarn return end-exec.", false,
       pad80("           exec zarn return end-exec.") + "\n", ""},
      {"a field in the command's text is renamed, its line kept",
       "           exec zarn return length(eibcalen) end-exec.", true,
       "      *    exec zarn return length(eibcalen) end-exec.\n" +
           pad80("           MOVE USRCALEN TO USRCALEN") + "\n" +
           pad80("           EXEC ZARN RETURN END-EXEC.") + "\n",
       "line 0001 - EIBCALEN changed\nline 0001 - EXEC ZARN RETURN LENGTH(USRCALEN) handled\n"},
  };
  for (const Case& row : rows) {
    SCOPED_TRACE(row.why);
    LoopRun loop;
    loop.run.in_procedure_division = row.in_procedure_division;
    loop.feed({row.line});
    EXPECT_EQ(loop.output(), row.output);
    EXPECT_EQ(loop.messages(), row.messages);
  }
}

TEST(LineLoop, EndOfInputWritesParagraphAndSummaryAndClosesEverything) {
  test_support::RunHarness loop("       PROCEDURE DIVISION.\n           GOBACK.\n");
  loop.run.badmapname_pending = true;
  convert_program(loop.run);
  EXPECT_EQ(loop.run.input_file, nullptr);
  EXPECT_EQ(loop.run.output_file, nullptr);
  EXPECT_EQ(loop.run.message_file, nullptr);
  EXPECT_TRUE(loop.run.write_failures.empty());
  EXPECT_TRUE(loop.run.read_failures.empty());
  EXPECT_EQ(loop.folder.read("PROG.new"),
            kBeforeProcedure + padded_lines({"       PROCEDURE DIVISION.", "           GOBACK."}) +
                kBadmapnameParagraph);
  EXPECT_EQ(loop.folder.read("PROG.msg"),
            "line 0001 - LINKAGE SECTION INSERTED\n" + summary_report(2, 11));
}

}  // namespace
}  // namespace converter
