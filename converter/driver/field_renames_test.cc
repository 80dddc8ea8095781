// Tests of the interface-block field renames on texts and on source lines.
#include "converter/driver/field_renames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <string>
#include <vector>

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

// Every reference is renamed: any case, a whole COBOL word (letters, digits, "-" and "_" are word
// characters), outside every literal; each replacement is one message and one count.
TEST(FieldRenames, EveryReferenceIsRenamed) {
  const std::string kEibcalen = "line 0007 - EIBCALEN changed\n";
  const std::string kEibaid = "line 0007 - EIBAID changed\n";
  const std::string kEibtrmid = "line 0007 - EIBTRMID changed\n";
  const std::string kCommarea = "line 0007 - KVZCOMMAREA changed\n";
  const RenameRow rows[] = {
      {"same length", "           IF EIBCALEN = ZERO", "           IF USRCALEN = ZERO", kEibcalen},
      {"KVZCOMMAREA grows by 11", "           MOVE KVZCOMMAREA TO WS-AREA",
       "           MOVE USRCOMM OF KVZCOMMAREA TO WS-AREA", kCommarea},
      {"table order, not line order", "           MOVE EIBCALEN TO A EIBAID TO B",
       "           MOVE USRCALEN TO A USRAID TO B", kEibaid + kEibcalen},
      {"all six", "EIBCPOSN EIBCALEN EIBAID EIBTRNID EIBTRMID KVZCOMMAREA",
       "USRCPOSN USRCALEN USRAID USRTRNID USRTRMID USRCOMM OF KVZCOMMAREA",
       kEibtrmid + "line 0007 - EIBTRNID changed\n" + kEibaid + "line 0007 - EIBCPOSN changed\n" +
           kEibcalen + kCommarea},
      {"a name twice: both, one message each", "           IF EIBCALEN = EIBCALEN",
       "           IF USRCALEN = USRCALEN", kEibcalen + kEibcalen},
      {"the inserted name is not found again", "MOVE KVZCOMMAREA TO KVZCOMMAREA",
       "MOVE USRCOMM OF KVZCOMMAREA TO USRCOMM OF KVZCOMMAREA", kCommarea + kCommarea},
      {"every boundary kind", "MOVE KVZCOMMAREA(1:EIBCALEN) TO X (EIBAID) EIBTRMID, :EIBCALEN.",
       "MOVE USRCOMM OF KVZCOMMAREA(1:USRCALEN) TO X (USRAID) USRTRMID, :USRCALEN.",
       kEibtrmid + kEibaid + kEibcalen + kEibcalen + kCommarea},
      {"parts of longer words", "MOVE WS-EIBAID EIBAID-SAVE EIBAID_X X_EIBAID 1EIBAID EIBAID2 TO Y",
       "MOVE WS-EIBAID EIBAID-SAVE EIBAID_X X_EIBAID 1EIBAID EIBAID2 TO Y", ""},
      {"inside a literal, the first or a later one", "MOVE 'EIBAID' TO X 'A EIBCALEN'",
       "MOVE 'EIBAID' TO X 'A EIBCALEN'", ""},
      {"inside quotation marks", "DISPLAY \"EIBAID\" EIBTRMID", "DISPLAY \"EIBAID\" USRTRMID",
       kEibtrmid},
      {"an apostrophe inside quotation marks opens nothing", "DISPLAY \"IT'S\" EIBAID",
       "DISPLAY \"IT'S\" USRAID", kEibaid},
      {"a literal left open runs to the end", "DISPLAY EIBAID 'ABC EIBCALEN",
       "DISPLAY USRAID 'ABC EIBCALEN", kEibaid},
      {"any case", "IF eibcalen = 0 OR EibAid = X", "IF USRCALEN = 0 OR USRAID = X",
       kEibaid + kEibcalen},
      {"already the user part, in any case",
       "MOVE USRCOMM OF KVZCOMMAREA TO usrcomm of kvzcommarea",
       "MOVE USRCOMM OF KVZCOMMAREA TO usrcomm of kvzcommarea", ""},
      {"USRCOMM OF with two blanks is no user part", "MOVE USRCOMM  OF KVZCOMMAREA TO X",
       "MOVE USRCOMM  OF USRCOMM OF KVZCOMMAREA TO X", kCommarea},
      {"alone", "EIBAID", "USRAID", kEibaid},
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

// The reference rule stated plainly: cut the text into the stretches outside literals (a literal
// runs from an apostrophe or quotation mark to the next same character, or to the end); in
// them, the first occurrence of the name in capitals, at or after `from`, with no word character
// (letter, digit, "-", "_") on either side, and for KVZCOMMAREA no "USRCOMM OF " before it.
std::size_t plain_reference(const std::string& text, const std::string& name, std::size_t from) {
  auto upper = [](std::string t) {
    for (char& c : t) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return t;
  };
  auto word = [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_';
  };
  std::string capitals = upper(text);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t quote = text.find_first_of("'\"", start);
    std::size_t end = quote == std::string::npos ? text.size() : quote;
    for (std::size_t at = capitals.find(name, std::max(start, from));
         at != std::string::npos && at + name.size() <= end; at = capitals.find(name, at + 1)) {
      bool before = at > 0 && word(text[at - 1]);
      bool after = at + name.size() < text.size() && word(text[at + name.size()]);
      bool user_part =
          name == "KVZCOMMAREA" && at >= 11 && capitals.compare(at - 11, 11, "USRCOMM OF ") == 0;
      if (!before && !after && !user_part) return at;
    }
    if (quote == std::string::npos) break;
    std::size_t closing = text.find(text[quote], quote + 1);
    if (closing == std::string::npos) break;
    start = closing + 1;
  }
  return std::string::npos;
}

TEST(FieldRenames, ReferencesAgreeWithThePlainRule) {
  const std::vector<std::string> names = {"EIBAID", "KVZCOMMAREA"};
  const std::vector<std::string> pieces = {
      "EIBAID", "eibaid", "KVZCOMMAREA", "KvzCommArea", "USRCOMM OF ", "usrcomm of ",
      " ",      "'",      "\"",          "(",           ":",           ")",
      ",",      ".",      "-",           "_",           "X",           "9"};
  std::mt19937 random(1616);
  for (int round = 0; round < 30000; ++round) {
    std::string text;
    int count = static_cast<int>(random() % 10);
    for (int i = 0; i < count; ++i) text += pieces[random() % pieces.size()];
    std::size_t from = text.empty() ? 0 : random() % (text.size() + 1);
    for (const std::string& name : names)
      ASSERT_EQ(find_field_reference(text, name, from), plain_reference(text, name, from))
          << "text [" << text << "] name " << name << " from " << from;
  }
}

// The quick test before any search: false exactly when the text holds neither "EIB" nor "KVZ"
// in any case, wherever they stand in the blocks it reads.
TEST(FieldRenames, QuickTestIsExact) {
  const char alphabet[] = {'E', 'e', 'I', 'i', 'B', 'b', 'K',  'k',   'V',
                           'v', 'Z', 'z', ' ', '(', 'A', '\0', '\xc9'};
  std::mt19937 random(4242);
  for (int round = 0; round < 40000; ++round) {
    std::string text(random() % 90, ' ');
    for (char& c : text) c = alphabet[random() % sizeof alphabet];
    std::string capitals = text;
    for (char& c : capitals) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    bool holds =
        capitals.find("EIB") != std::string::npos || capitals.find("KVZ") != std::string::npos;
    ASSERT_EQ(may_name_a_field(text), holds) << "text [" << text << "]";
  }
}

TEST(FieldRenames, EachReplacementCountsOnce) {
  RunHarness logging;
  ConversionRun& run = logging.run;
  std::string text = "EIBTRMID EIBTRNID EIBAID EIBCPOSN EIBCALEN KVZCOMMAREA EIBAID";
  rename_interface_fields(run, text);
  std::string second = "EIBCALEN KVZCOMMAREA";
  rename_interface_fields(run, second);
  EXPECT_EQ(run.count(Row::kEibtrmid), 1);
  EXPECT_EQ(run.count(Row::kEibtrnid), 1);
  EXPECT_EQ(run.count(Row::kEibaid), 2);
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
    std::optional<std::size_t> identification_length =
        rename_source_line(logging.run, logging.run.line);
    EXPECT_EQ(identification_length.has_value(), row.renamed);
    EXPECT_EQ(logging.run.line, row.expected_line);
    if (row.renamed) {
      EXPECT_EQ(identification_length, row.identification_length);
    }
  }
}

}  // namespace
}  // namespace converter
