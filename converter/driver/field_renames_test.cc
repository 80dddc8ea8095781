// Tests of the interface-block field renames on texts and on source lines.
#include "converter/driver/field_renames.h"

#include <gtest/gtest.h>

#include <string>

#include "converter/driver/conversion_run.h"
#include "tests/support/conversion_harness.h"

namespace converter {
namespace {

using message_format::Row;

using test_support::RunHarness;

struct RenameRow {
  const char* name;
  std::string text;
  std::string expected_text;
  std::string expected_messages;
};

TEST(FieldRenames, FirstWholeWordOfEachNameOutsideTheFirstLiteral) {
  const RenameRow rows[] = {
      {"same length", "           IF EIBCALEN = ZERO", "           IF USRCALEN = ZERO",
       "line 0007 - EIBCALEN changed\n"},
      {"KVZCOMMAREA grows by 11", "           MOVE KVZCOMMAREA TO WS-AREA",
       "           MOVE USRCOMM OF KVZCOMMAREA TO WS-AREA", "line 0007 - KVZCOMMAREA changed\n"},
      {"table order, not line order", "           MOVE EIBCALEN TO A EIBAID TO B",
       "           MOVE USRCALEN TO A USRAID TO B",
       "line 0007 - EIBAID changed\nline 0007 - EIBCALEN changed\n"},
      {"all six", "EIBCPOSN EIBCALEN EIBAID EIBTRNID EIBTRMID KVZCOMMAREA",
       "USRCPOSN USRCALEN USRAID USRTRNID USRTRMID USRCOMM OF KVZCOMMAREA",
       "line 0007 - EIBTRMID changed\nline 0007 - EIBTRNID changed\nline 0007 - EIBAID changed\n"
       "line 0007 - EIBCPOSN changed\nline 0007 - EIBCALEN changed\nline 0007 - KVZCOMMAREA changed\n"},
      {"only the first of two", "           IF EIBCALEN = EIBCALEN",
       "           IF USRCALEN = EIBCALEN", "line 0007 - EIBCALEN changed\n"},
      {"the replacement is not searched again", "MOVE KVZCOMMAREA TO KVZCOMMAREA",
       "MOVE USRCOMM OF KVZCOMMAREA TO KVZCOMMAREA", "line 0007 - KVZCOMMAREA changed\n"},
      {"followed by a period or a parenthesis", "MOVE EIBTRMID. MOVE EIBTRNID(1:2)",
       "MOVE USRTRMID. MOVE USRTRNID(1:2)",
       "line 0007 - EIBTRMID changed\nline 0007 - EIBTRNID changed\n"},
      {"followed by a comma or a closing parenthesis", "MOVE EIBTRMID, (EIBAID) TO X",
       "MOVE EIBTRMID, (EIBAID) TO X", ""},
      {"preceded by a parenthesis, hyphen or colon", "IF (EIBCALEN > 0) WS-EIBAID :EIBTRMID",
       "IF (EIBCALEN > 0) WS-EIBAID :EIBTRMID", ""},
      {"inside the first literal", "MOVE 'EIBAID' TO X", "MOVE 'EIBAID' TO X", ""},
      {"inside the second literal", "MOVE 'A' TO X ' EIBAID '", "MOVE 'A' TO X ' USRAID '",
       "line 0007 - EIBAID changed\n"},
      {"lower case", "IF eibcalen = 0", "IF eibcalen = 0", ""},
      {"alone", "EIBAID", "USRAID", "line 0007 - EIBAID changed\n"},
  };
  for (const RenameRow& row : rows) {
    SCOPED_TRACE(row.name);
    RunHarness logging;
    logging.run.output_line_count = 6;
    std::string text = row.text;
    EXPECT_EQ(rename_interface_fields(logging.run, text), !row.expected_messages.empty());
    EXPECT_EQ(text, row.expected_text);
    EXPECT_EQ(logging.messages(), row.expected_messages);
  }
}

TEST(FieldRenames, EachRenameCountsOnce) {
  RunHarness logging;
  ConversionRun& run = logging.run;
  std::string text = "EIBTRMID EIBTRNID EIBAID EIBCPOSN EIBCALEN KVZCOMMAREA EIBAID";
  rename_interface_fields(run, text);
  std::string second = "EIBCALEN KVZCOMMAREA";
  rename_interface_fields(run, second);
  EXPECT_EQ(run.count(Row::kEibtrmid), 1);
  EXPECT_EQ(run.count(Row::kEibtrnid), 1);
  EXPECT_EQ(run.count(Row::kEibaid), 1);
  EXPECT_EQ(run.count(Row::kEibcposn), 1);
  EXPECT_EQ(run.count(Row::kEibcalen), 2);
  EXPECT_EQ(run.count(Row::kCommarea), 2);
}

TEST(FieldRenames, MessagesAreIndentedByCopybookLevel) {
  RunHarness logging;
  logging.run.include_depth = 2;
  logging.run.output_line_count = 9999;
  std::string text = "           IF EIBAID = X";
  rename_interface_fields(logging.run, text);
  EXPECT_EQ(logging.messages(), "  line 10000 - EIBAID changed\n");
}

struct SourceLineRow {
  const char* name;
  std::string line;
  bool renamed;
  std::string expected_line;
  std::size_t identification_length;  // checked only when renamed
};

TEST(FieldRenames, SourceLinesAreRenamedWithinColumn72) {
  const std::string program = "           MOVE KVZCOMMAREA TO WS-AREA";  // 38 columns
  const SourceLineRow rows[] = {
      {"short line", program, true, "           MOVE USRCOMM OF KVZCOMMAREA TO WS-AREA", 0},
      {"line of exactly 72 columns", program + std::string(34, ' '), true,
       "           MOVE USRCOMM OF KVZCOMMAREA TO WS-AREA" + std::string(34, ' '), 0},
      {"identification area stays at the end", program + std::string(34, ' ') + "ABCD1234", true,
       "           MOVE USRCOMM OF KVZCOMMAREA TO WS-AREA" + std::string(34, ' ') + "ABCD1234", 8},
      {"name in the identification area is not searched",
       "           MOVE A TO B" + std::string(50, ' ') + "EIBAID", false,
       "           MOVE A TO B" + std::string(50, ' ') + "EIBAID", 0},
      {"name ending in column 72 with the identification area right behind it",
       std::string(66, ' ') + "EIBAIDX1234567", true, std::string(66, ' ') + "USRAIDX1234567", 8},
      {"name running into column 73 is no whole word", std::string(67, ' ') + "EIBAID1234567",
       false, std::string(67, ' ') + "EIBAID1234567", 0},
      {"no name at all in a long line", std::string(60, ' ') + "EIB-FIELD   SEQ00001", false,
       std::string(60, ' ') + "EIB-FIELD   SEQ00001", 0},
  };
  for (const SourceLineRow& row : rows) {
    SCOPED_TRACE(row.name);
    RunHarness logging;
    logging.run.line = row.line;
    std::optional<std::size_t> identification_length = rename_source_line(logging.run);
    EXPECT_EQ(identification_length.has_value(), row.renamed);
    EXPECT_EQ(logging.run.line, row.expected_line);
    if (row.renamed) {
      EXPECT_EQ(identification_length, row.identification_length);
    }
  }
}

}  // namespace
}  // namespace converter
