// Tests of the word-start set that lets the line loop skip keyword searches.
#include "converter/driver/word_starts.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <string>
#include <vector>

#include "converter/driver/keyword_scanner.h"

namespace converter {
namespace {

const std::vector<std::string> kKeywords = {
    "COPY",     "-INC",     "PROGRAM-ID",  "EXEC",     "ZARN",     "END",      "PROGRAM",
    "LINKAGE",  "SECTION",  "PROCEDURE",   "DIVISION", "EIBTRMID", "EIBTRNID", "EIBAID",
    "EIBCPOSN", "EIBCALEN", "KVZCOMMAREA", "END-EXEC", "SEND",     "MAP",      "RECEIVE"};

// Every keyword that the search finds on a line must pass the test: a false "cannot hold"
// would make the line loop skip a conversion.
TEST(WordStarts, EveryKeywordTheSearchFindsMayBeHeld) {
  const char* lines[] = {
      "COPY MEMB.",
      "           COPY MEMB.",
      "000100     COPY MEMB.                                                  IDENTIFY",
      "      -INC MEMB",
      "       PROGRAM-ID. OLDPROG.",
      "           EXEC ZARN SEND MAP('M1') END-EXEC.",
      "           IF EIBCALEN = ZERO",
      "           MOVE EIBAID TO X. MOVE EIBTRMID TO Y.",
      "           MOVE 'EIBCPOSN' TO A EIBCPOSN(1)",
      "       LINKAGE SECTION.",
      "       SECTION LINKAGE.",
      "       PROCEDURE DIVISION USING KVZCOMMAREA.",
      "       END PROGRAM X.",
      "EIBTRNID",
      "  END",
      "X  KVZCOMMAREA",
      "\tEXEC ZARN",
  };
  for (const char* line : lines) {
    SCOPED_TRACE(line);
    WordStarts words(line);
    for (const std::string& keyword : kKeywords) {
      SCOPED_TRACE(keyword);
      if (find_keyword(line, keyword) != std::string_view::npos) {
        EXPECT_TRUE(words.may_hold(keyword));
      }
    }
  }
}

// The same promise on many lines made of keywords, pieces of them, blanks, periods,
// parentheses and apostrophes in every order, with every letter in either case.
TEST(WordStarts, PromiseHoldsOnMixedLines) {
  const std::vector<std::string> pieces = {" ",   "  ", ".",  "(",  ")",
                                           "'",   "-",  "X",  "1",  "EX",
                                           "EXE", "CO", "\t", "\r", std::string(1, '\0')};
  std::mt19937 random(12345);
  for (int round = 0; round < 20000; ++round) {
    std::string line;
    int count = 1 + static_cast<int>(random() % 12);
    for (int i = 0; i < count; ++i) {
      if (random() % 3 == 0) {
        line += kKeywords[random() % kKeywords.size()];
      } else {
        line += pieces[random() % pieces.size()];
      }
    }
    for (char& c : line)
      if (std::isalpha(static_cast<unsigned char>(c)) && random() % 2 == 0) c ^= 0x20;
    WordStarts words(line);
    for (const std::string& keyword : kKeywords) {
      if (find_keyword(line, keyword) == std::string_view::npos) continue;
      ASSERT_TRUE(words.may_hold(keyword)) << "line [" << line << "] keyword " << keyword;
    }
  }
}

// Every word beginning of a line, by the rule the search uses (the line's start, or right after a
// blank), is held, whatever its length and wherever it stands in the blocks the test reads.
TEST(WordStarts, EveryWordBeginningIsHeld) {
  const char alphabet[] = {' ', ' ', ' ', 'A', 'B', 'e', 'b', '-', '.', '\0', '\t', '\xff', '\xa0'};
  std::mt19937 random(777);
  for (int round = 0; round < 20000; ++round) {
    std::string line(random() % 161, ' ');
    for (char& c : line) c = alphabet[random() % sizeof alphabet];
    WordStarts words(line);
    for (std::size_t at = 0; at + 2 < line.size(); ++at) {
      if ((at == 0 || line[at - 1] == ' ') && line[at] != ' ') {
        std::string start = line.substr(at, 3);
        ASSERT_TRUE(words.may_hold(start)) << "line [" << line << "] at " << at;
        // The same word written in the other case, as a keyword in capitals may stand.
        for (char& c : start)
          if (std::isalpha(static_cast<unsigned char>(c))) c ^= 0x20;
        ASSERT_TRUE(words.may_hold(start)) << "line [" << line << "] at " << at << ", other case";
      }
    }
  }
}

TEST(WordStarts, CaseIsIgnored) {
  WordStarts words("           exec zarn send map('m1') end-exec.");
  EXPECT_TRUE(words.may_hold("EXEC"));
  EXPECT_TRUE(words.may_hold("ZARN"));
  EXPECT_TRUE(words.may_hold("exec"));
  WordStarts mixed("           Exec Zarn");
  EXPECT_TRUE(mixed.may_hold("EXEC"));
}

// The test is worth its cost only when it turns ordinary lines away: of the 49 questions below,
// whose true answer is always "not held", at most two may be false alarms.
TEST(WordStarts, OrdinaryLinesAreTurnedAway) {
  const char* lines[] = {
      "           MOVE SPACES TO WS-WORK-AREA.",
      "           ADD 1 TO WS-COUNTER.",
      "           PERFORM 2000-READ-NEXT THRU 2000-EXIT.",
      "000100     MOVE WS-CUSTOMER-NAME TO WS-OUT-NAME.                       BENCHPRG",
      "               WHEN WS-CODE = 'A' PERFORM 3000-ADD",
      "           COMPUTE WS-TOTAL = WS-TOTAL + 1.",
      "      ",
  };
  const char* keywords[] = {"COPY",        "-INC",    "EXEC",     "EIBCALEN",
                            "KVZCOMMAREA", "LINKAGE", "PROCEDURE"};
  int false_alarms = 0;
  for (const char* line : lines) {
    WordStarts words(line);
    for (const char* keyword : keywords) {
      ASSERT_EQ(find_keyword(line, keyword), std::string_view::npos);
      if (words.may_hold(keyword)) ++false_alarms;
    }
  }
  EXPECT_LE(false_alarms, 2);
}

TEST(WordStarts, WordsAreFoundOnlyWhereTheyBegin) {
  // "EXEC" inside a word, or after a period or parenthesis, is no word start.
  WordStarts inside("           MOVE WS-EXEC TO X.(EXEC.EXEC");
  EXPECT_FALSE(inside.may_hold("EXEC"));
  WordStarts at_end("           MOVE X TO EXE");
  EXPECT_TRUE(at_end.may_hold("EXEC"));
  // Words shorter than three characters cannot be told apart: always a possible match.
  EXPECT_TRUE(inside.may_hold("EX"));
}

}  // namespace
}  // namespace converter
