// Tests of breaking changed and generated lines so that their text stays within column 72.
#include "converter/driver/column_margin.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace converter {
namespace {

std::string blanks(std::size_t n) {
  return std::string(n, ' ');
}
std::string repeat(char c, std::size_t n) {
  return std::string(n, c);
}

struct MarginRow {
  const char* name;
  std::string text;
  std::vector<std::string> expected;
};

TEST(ColumnMargin, BreaksAtTheLastBlankWithinColumn72) {
  const std::string literal = "'A LITERAL WITH BLANKS THAT RUNS ON PAST THE MARGIN OF SEVENTY-TWO'";
  const std::string quoted =
      "\"A LITERAL WITH BLANKS THAT RUNS ON PAST THE MARGIN OF SEVENTY-TWO\"";
  const std::string open_literal =
      "'OPEN LITERAL THAT GOES ON ON THE NEXT LINE WITH BLANKS ALL THE WAY";
  const MarginRow rows[] = {
      {"text within column 72, blanks behind it",
       blanks(11) + repeat('A', 61) + blanks(8),
       {blanks(11) + repeat('A', 61) + blanks(8)}},
      {"short text",
       "           MOVE 'M1' TO USRMAPNAME.",
       {"           MOVE 'M1' TO USRMAPNAME."}},
      {"blank in column 72",
       blanks(11) + repeat('A', 60) + " TO-FIELD.",
       {blanks(11) + repeat('A', 60), blanks(15) + "TO-FIELD."}},
      {"blank in column 73 is beyond the margin",
       blanks(11) + "MOVE " + repeat('B', 56) + " TO-X",
       {blanks(11) + "MOVE", blanks(15) + repeat('B', 56), blanks(15) + "TO-X"}},
      {"blanks inside an apostrophe literal are kept",
       blanks(11) + "MOVE " + literal + " TO X",
       {blanks(11) + "MOVE", blanks(15) + literal + " TO X"}},
      {"blanks inside a quotation-mark literal are kept",
       blanks(11) + "MOVE " + quoted + " TO X",
       {blanks(11) + "MOVE", blanks(15) + quoted + " TO X"}},
      {"a literal without its closing apostrophe shields the rest",
       blanks(11) + "MOVE " + open_literal,
       {blanks(11) + "MOVE", blanks(15) + open_literal}},
      {"no blank at all", blanks(7) + repeat('Z', 80), {blanks(7) + repeat('Z', 80)}},
      {"blanks in front of the first word do not count",
       "000100     " + repeat('E', 70),
       {"000100     " + repeat('E', 70)}},
      {"text from column 8 continues in column 12",
       blanks(7) + "DISPLAY " + repeat('C', 60) + " UPON CONSOLE",
       {blanks(7) + "DISPLAY", blanks(11) + repeat('C', 60), blanks(11) + "UPON CONSOLE"}},
      {"text from column 33 continues in column 37",
       blanks(32) + "MOVE " + repeat('D', 30) + " TO USRMAPNAME.",
       {blanks(32) + "MOVE " + repeat('D', 30) + " TO", blanks(36) + "USRMAPNAME."}},
      {"blanks around the break are dropped",
       blanks(11) + repeat('F', 59) + "    G",
       {blanks(11) + repeat('F', 59), blanks(15) + "G"}},
      {"sequence number kept on the first line",
       "000200     MOVE " + repeat('H', 60) + " TO Y",
       {"000200     MOVE", blanks(15) + repeat('H', 60) + " TO Y"}},
  };
  for (const MarginRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(break_at_margin(row.text), row.expected);
  }
}

TEST(ColumnMargin, LongTextIsBrokenAsOftenAsNeeded) {
  std::string text = blanks(11) + "MOVE";
  for (int i = 0; i < 12; ++i) text += " WORD-NUMBER-" + std::to_string(10 + i);
  // "WORD-NUMBER-nn" has 14 characters: three fit behind MOVE (the fourth would end in column
  // 75), and three on each continuation line from column 16 (the fourth would end in column 74).
  const std::vector<std::string> expected = {
      blanks(11) + "MOVE WORD-NUMBER-10 WORD-NUMBER-11 WORD-NUMBER-12",
      blanks(15) + "WORD-NUMBER-13 WORD-NUMBER-14 WORD-NUMBER-15",
      blanks(15) + "WORD-NUMBER-16 WORD-NUMBER-17 WORD-NUMBER-18",
      blanks(15) + "WORD-NUMBER-19 WORD-NUMBER-20 WORD-NUMBER-21",
  };
  EXPECT_EQ(break_at_margin(text), expected);
}

}  // namespace
}  // namespace converter
