// Tests of the data items of a program: entries, groups, tables and the fields of an area.
#include "replay/data_items.h"

#include <gtest/gtest.h>

namespace replay {
namespace {

DataItems items_of(const std::vector<std::string>& lines, bool linkage = false) {
  DataItems items;
  for (const std::string& line : lines) items.add_code(line, linkage);
  items.flush();
  return items;
}

TEST(DataItems, EntriesGroupsAndTheirFieldsInOrder) {
  DataItems items = items_of({
      "01  MAPI.",
      "    05  CHOICEL    PIC S9(4) COMP.",
      "    05  CHOICEF    PIC X.",
      "    05  FILLER REDEFINES CHOICEF.",
      "        10  CHOICEA PIC X.",
      "    05  CHOICEI    PIC X VALUE 'A. B'.",
      "        88  CHOICE-ONE VALUE '1'.",
      "    05  PIC X(3).",
      "    05  LINES OCCURS 2 TIMES.",
      "        10  LINEI   PIC X(10).",
      "        10  CELL OCCURS 3 PIC X.",
      "    05  LAST-ONE",
      "        PIC X.",
      "01  OTHER PIC X.",
      "77  COUNTER PIC 9.",
  });
  int area = items.find("MAPI");
  ASSERT_GE(area, 0);
  std::vector<std::string> names, references;
  for (const FieldReference& field : items.fields_of(area)) {
    names.push_back(field.name);
    references.push_back(field.reference);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"CHOICEL", "CHOICEF", "CHOICEA", "CHOICEI", "LINEI(1)",
                                             "LINEI(2)", "CELL(1,1)", "CELL(1,2)", "CELL(1,3)",
                                             "CELL(2,1)", "CELL(2,2)", "CELL(2,3)", "LAST-ONE"}));
  EXPECT_EQ(references[2], "CHOICEA OF MAPI");
  EXPECT_EQ(references[4], "LINEI OF LINES OF MAPI (1)");
  EXPECT_EQ(references[8], "CELL OF LINES OF MAPI (1 3)");
  EXPECT_EQ(items.fields_of(area)[0].stem, "CHOICE");
  // A 77 item is an item of its own, like an 01.
  EXPECT_EQ(items.items()[items.find("COUNTER")].parent, -1);
  EXPECT_TRUE(items.fields_of(items.find("OTHER")).empty());
}

TEST(DataItems, QualifiedNamesFindTheItemOfTheirGroup) {
  DataItems items = items_of({"01  A.", "    05  X PIC X.", "01  B.", "    05  X PIC X.",
                              "    05  G.", "        10  Y PIC X."});
  EXPECT_EQ(items.find("X"), 1);
  EXPECT_EQ(items.find("X OF B"), 3);
  EXPECT_EQ(items.find("x in b"), 3);
  EXPECT_EQ(items.find("Y OF B"), 5);
  EXPECT_EQ(items.find("Y OF G OF B"), 5);
  EXPECT_EQ(items.find("Y OF A"), -1);
  EXPECT_EQ(items.find("X BY B"), -1);
  EXPECT_EQ(items.find("NONE"), -1);
}

TEST(DataItems, LinkageItemsAndTablesOfAtMostSoManyFields) {
  DataItems items = items_of(
      {"01  BIG.", "    05  ROW OCCURS 2 TO 1001 DEPENDING ON N.", "        10  CELL PIC X."},
      true);
  EXPECT_TRUE(items.items()[0].linkage);
  EXPECT_EQ(items.items()[1].occurs, 1001);
  // More fields than kMaxAreaFields: the area is traced whole instead.
  EXPECT_TRUE(items.fields_of(0).empty());
  DataItems small = items_of({"01  SMALL.", "    05  ROW OCCURS 1000.", "        10  CELL PIC X."});
  EXPECT_EQ(small.fields_of(0).size(), kMaxAreaFields);
}

}  // namespace
}  // namespace replay
