// Tests of the converter's word search and blank skipper.
#include "converter/driver/keyword_scanner.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <string>
#include <vector>

namespace converter {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

struct FindRow {
  const char* why;
  std::string text;
  std::string word;
  std::size_t expected;
};

void check_rows(const std::vector<FindRow>& rows) {
  for (const FindRow& row : rows) {
    SCOPED_TRACE(std::string(row.why) + ": [" + row.text + "] word [" + row.word + "]");
    EXPECT_EQ(find_keyword(row.text, row.word), row.expected);
  }
}

TEST(KeywordScanner, WordMissingOrTextEmpty) {
  check_rows({
      {"empty text", "", "COPY", kNone},
      {"word does not occur", "       MOVE A TO B.", "COPY", kNone},
      {"text shorter than the word", "COP", "COPY", kNone},
  });
}

TEST(KeywordScanner, WholeWordAtTheEdgesOfTheText) {
  check_rows({
      {"the word alone fills the text", "COPY", "COPY", 0},
      {"word and period at the start", "PROGRAM-ID. OLDPROG.", "PROGRAM-ID", 0},
      {"word ends the text", "       COPY", "COPY", 7},
      {"word followed by a blank", "       COPY ABC.", "COPY", 7},
      {"word followed by a period", "       COPY.", "COPY", 7},
      {"word followed by an opening parenthesis", "  SEND MAP('M1')", "MAP", 7},
  });
}

TEST(KeywordScanner, NeighboursThatBreakTheWord) {
  check_rows({
      {"comma after, nothing later", " MAP, ", "MAP", kNone},
      {"comma after, a whole word later", " MAP, MAP('M1')", "MAP", 6},
      {"opening parenthesis before, a whole word later", " (MAP) MAP.", "MAP", 7},
      {"period before", " X.MAP", "MAP", kNone},
      {"hyphen after", " MAP-NAME", "MAP", kNone},
      {"apostrophe after", " MAP'", "MAP", kNone},
      {"letter after", " MAPSET('S1')", "MAP", kNone},
      {"digit after", " MAP1", "MAP", kNone},
      {"letter before", " XMAP", "MAP", kNone},
      {"letter before, whole word later", " XMAP MAP", "MAP", 6},
      {"closing parenthesis after", " (MAP)", "MAP", kNone},
      {"tab before is no blank", "\tMAP", "MAP", kNone},
      {"tab after is no blank", " MAP\t", "MAP", kNone},
      {"overlapping occurrences, the second whole", " EEXEC EXEC", "EXEC", 7},
  });
}

TEST(KeywordScanner, HyphenatedWordsHoldNoShorterWords) {
  check_rows({
      {"END-EXEC holds no END", "     END-EXEC.", "END", kNone},
      {"END-EXEC holds no EXEC", "     END-EXEC.", "EXEC", kNone},
      {"END-EXEC is a word of its own", "     END-EXEC.", "END-EXEC", 5},
      {"PROGRAM-ID holds no PROGRAM", "       PROGRAM-ID. X.", "PROGRAM", kNone},
      {"END PROGRAM after PROGRAM-ID", " PROGRAM-ID END PROGRAM X.", "PROGRAM", 16},
      {"-INC at the start of a word", "-INC MEMBER", "-INC", 0},
  });
}

TEST(KeywordScanner, OnlyTheFirstLiteralShieldsAWord) {
  check_rows({
      {"inside the first literal only", " MOVE 'A COPY B' TO X.", "COPY", kNone},
      {"inside the first literal and after it", " MOVE ' COPY ' TO X COPY Y.", "COPY", 20},
      {"word touching the apostrophes is no whole word", " DISPLAY 'COPY'", "COPY", kNone},
      {"inside the second of two literals", " MOVE 'A' TO X 'B COPY C'", "COPY", 18},
      {"before the first literal", " COPY 'X'", "COPY", 1},
      {"literal without closing apostrophe", " MOVE 'ABC COPY D", "COPY", 11},
      {"literal not closed, opened at the start", "' COPY", "COPY", 2},
      {"quotation marks do not delimit literals", " MOVE \"A COPY B\" TO X.", "COPY", 9},
      {"two occurrences in the first literal, one after", " 'X COPY COPY ' COPY", "COPY", 16},
      {"empty first literal shields nothing", " '' COPY", "COPY", 4},
  });
}

// COBOL words may be written in any case: a to z and A to Z are the same letters, nothing else
// is folded.
TEST(KeywordScanner, LettersMatchInAnyCase) {
  check_rows({
      {"lower case", "       copy abc.", "COPY", 7},
      {"mixed case", "       Copy abc.", "COPY", 7},
      {"a word given in small letters finds capitals", "  EXEC", "exec", 2},
      {"hyphen and digits are matched exactly", " end-exec -inc", "END-EXEC", 1},
      {"a folded byte that is no letter is no match", " \x01OPY", "!OPY", kNone},
      {"a byte above 127 is no letter", " \xC3OPY", "\xE3OPY", kNone},
      {"mixed case inside the first literal stays shielded", " 'Copy' copy", "COPY", 8},
  });
}

TEST(KeywordScanner, RestOfALineIsATextOfItsOwn) {
  // Looking for ZARN in the text behind EXEC: the start of that text counts as a word start,
  // and its own first apostrophe starts the literal that shields.
  std::string line = "           EXEC ZARN SEND";
  std::string_view rest = std::string_view(line).substr(16);
  EXPECT_EQ(find_keyword(rest, "ZARN"), 0u);

  // In the whole line the first literal is 'A', so ZARN in the second literal is found; in
  // the text behind EXEC that literal comes first and shields it.
  std::string quoted = " X 'A' EXEC 'B ZARN C' ZARN";
  EXPECT_EQ(find_keyword(quoted, "ZARN"), 15u);
  std::string_view behind = std::string_view(quoted).substr(12);
  EXPECT_EQ(find_keyword(behind, "ZARN"), 11u);
}

TEST(KeywordScanner, BytesAboveAsciiAndNulAreOrdinaryCharacters) {
  check_rows({
      {"NUL before the word is no blank", std::string(" \0COPY", 6), "COPY", kNone},
      {"NUL after the word is no blank", std::string(" COPY\0", 6), "COPY", kNone},
      {"word found after a NUL", std::string(" \0 COPY", 7), "COPY", 3},
      {"byte above 127 before the word",
       " \xE9"
       "COPY COPY",
       "COPY", 7},
  });
}

// The rule stated plainly: the first place where the word stands, in any case, starting the text
// or after a blank, followed by the end, a blank, "." or "(", and not inside the text's first pair
// of apostrophes. The search must agree with it on texts made of words, pieces of words, blanks,
// periods, parentheses and apostrophes in every order and every case.
std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::size_t plain_rule(const std::string& text, const std::string& word) {
  std::size_t open = text.find('\'');
  std::size_t close = open == std::string::npos ? std::string::npos : text.find('\'', open + 1);
  for (std::size_t at = 0; at + word.size() <= text.size() && !word.empty(); ++at) {
    if (upper(text.substr(at, word.size())) != upper(word)) continue;
    if (at != 0 && text[at - 1] != ' ') continue;
    std::size_t after = at + word.size();
    if (after != text.size() && text[after] != ' ' && text[after] != '.' && text[after] != '(')
      continue;
    if (close != std::string::npos && at > open && at < close) continue;
    return at;
  }
  return kNone;
}

TEST(KeywordScanner, SearchAgreesWithThePlainRule) {
  const std::vector<std::string> words = {"COPY", "EXEC", "MAP",      "MAPSET",
                                          "'X",   "E",    "END-EXEC", "exec"};
  const std::vector<std::string> pieces = {"COPY", "EXEC", "MAP", "MAPSET",  "END-EXEC", "X", "'",
                                           " ",    "  ",   ".",   "(",       ")",        "-", "E",
                                           "copy", "Exec", "mAp", "end-Exec"};
  std::mt19937 random(2024);
  for (int round = 0; round < 50000; ++round) {
    std::string text;
    int count = static_cast<int>(random() % 14);
    for (int i = 0; i < count; ++i) text += pieces[random() % pieces.size()];
    for (const std::string& word : words) {
      ASSERT_EQ(find_keyword(text, word), plain_rule(text, word))
          << "text [" << text << "] word [" << word << "]";
    }
  }
}

TEST(KeywordScanner, SkipBlanks) {
  struct Row {
    std::string text;
    std::size_t expected;
  } rows[] = {
      {"", 0},
      {"     ", 5},
      {"MOVE", 0},
      {"   MOVE A", 3},
      {"\t MOVE", 0},
      {"  \tMOVE", 2},
      {std::string("  \0X", 4), 2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("[" + row.text + "]");
    EXPECT_EQ(skip_blanks(row.text), row.expected);
  }
}

}  // namespace
}  // namespace converter
