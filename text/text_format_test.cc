// Tests of the converter's printf-style formatter.
#include "text/text_format.h"

#include <gtest/gtest.h>

namespace text {
namespace {

TEST(TextFormat, ConversionsPadAndNeverCut) {
  struct Row {
    std::string result;
    std::string expected;
  } rows[] = {
      {format("line %.4d - %s\n", {7, "EIBCALEN changed"}), "line 0007 - EIBCALEN changed\n"},
      {format("line %.4d - x", {10000}), "line 10000 - x"},
      {format("%5d Input lines read", {7}), "    7 Input lines read"},
      {format("%5d", {123456}), "123456"},
      {format("%11sMOVE '%c' TO ERASESW%c", {std::string(11, ' '), 'E', '.'}),
       "           MOVE 'E' TO ERASESW."},
      {format("%11sX", {std::string(32, ' ')}), std::string(32, ' ') + "X"},
      {format("%-6s|", {"AB"}), "AB    |"},
      {format("100%%", {}), "100%"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.expected);
    EXPECT_EQ(row.result, row.expected);
  }
}

TEST(TextFormat, TextsMayHoldAnyByte) {
  std::string text("A\0B", 3);
  EXPECT_EQ(format("[%s]", {text}), std::string("[A\0B]", 5));
}

}  // namespace
}  // namespace text
