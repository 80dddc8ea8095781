// Tests of reading dialogue scripts: a whole script read into its parts, and each fault named
// with its file, line and what was expected.
#include "replay/dialogue_script.h"

#include <gtest/gtest.h>

namespace replay {
namespace {

TEST(DialogueScript, AScriptIsReadIntoItsParts) {
  const char* text =
      "program MENU01              # the program\n"
      "transaction MNU1\n"
      "terminal T002\n"
      "clock 2024-02-29 23:59:58\n"
      "file CUSTFILE key \"000123\" record \"000123SMITH \\\"J\\\" \\\\\"\n"
      "\n"
      "step \"first call\"\n"
      "  start\n"
      "step second\n"
      "  key PF12\n"
      "  field CHOICEI \"3 4\"   # a value with a blank\n"
      "  field LINEI(2,10) x\n"
      "  expect field MSGO \"CHOICE MUST BE 1 OR 2\"\n"
      "  expect map MENU1 MENUSET\n"
      "  expect next MNU1\n"
      "  known client \"text FREEKB: original no, converted yes\"\n"
      "step third\n"
      "  key CLEAR\n"
      "  expect end\n"
      "  expect abend MAPFAIL\n";
  Dialogue dialogue;
  std::string error;
  ASSERT_TRUE(read_dialogue(text, "M.dlg", dialogue, error)) << error;
  EXPECT_EQ(dialogue.program, "MENU01");
  EXPECT_EQ(dialogue.transaction, "MNU1");
  EXPECT_EQ(dialogue.terminal, "T002");
  EXPECT_EQ(dialogue.date, "2024-02-29");
  EXPECT_EQ(dialogue.time, "23:59:58");
  ASSERT_EQ(dialogue.records.size(), 1u);
  EXPECT_EQ(dialogue.records[0].record, "000123SMITH \"J\" \\");
  ASSERT_EQ(dialogue.steps.size(), 3u);
  const Step& first = dialogue.steps[0];
  EXPECT_TRUE(first.start);
  EXPECT_EQ(first.line, 7);
  EXPECT_EQ(first.last_line, 8);
  const Step& second = dialogue.steps[1];
  EXPECT_EQ(second.title, "second");
  EXPECT_EQ(second.key, "PF12");
  ASSERT_EQ(second.fields.size(), 2u);
  EXPECT_EQ(second.fields[0].value, "3 4");
  EXPECT_EQ(second.fields[1].name, "LINEI(2,10)");
  EXPECT_EQ(second.fields[1].line, 12);
  ASSERT_EQ(second.expectations.size(), 3u);
  EXPECT_EQ(second.expectations[0].kind, Expectation::kField);
  EXPECT_EQ(second.expectations[1].value, "MENUSET");
  EXPECT_EQ(second.expectations[2].name, "MNU1");
  ASSERT_EQ(second.known.size(), 1u);
  EXPECT_EQ(second.known[0].way, Way::kClient);
  EXPECT_EQ(second.last_line, 16);
  EXPECT_EQ(dialogue.steps[2].expectations[1].kind, Expectation::kAbend);
}

TEST(DialogueScript, DefaultsWhenTheScriptNamesNoTerminalOrClock) {
  Dialogue dialogue;
  std::string error;
  ASSERT_TRUE(
      read_dialogue("program P\ntransaction T\nstep s\n start\n", "P.dlg", dialogue, error));
  EXPECT_EQ(dialogue.terminal, "T001");
  EXPECT_EQ(dialogue.date, "2000-01-01");
  EXPECT_EQ(dialogue.time, "12:00:00");
}

TEST(DialogueScript, EachFaultNamesItsLineAndWhatWasExpected) {
  const std::string head = "program P\ntransaction T\nstep s\n  start\n";
  struct Case {
    const char* why;
    std::string text;
    const char* error;
  } rows[] = {
      {"an unknown statement", head + "  press ENTER\n",
       "S.dlg:5: expected a statement (program, transaction, terminal, file, clock, step, start, "
       "key, field, expect, known), found \"press\""},
      {"a value where a statement starts", head + "\"key\"\n",
       "S.dlg:5: expected a statement word, found the value \"key\""},
      {"a quote left open", head + "step \"open\n", "S.dlg:5: expected a closing \" of the value"},
      {"a quote closed inside a word", head + "step \"a\"b\n",
       "S.dlg:5: expected a blank after the closing \" of the value"},
      {"a header after the first step", head + "terminal T9\n",
       "S.dlg:5: expected \"terminal\" before the first step"},
      {"two programs", "program P\nprogram Q\n",
       "S.dlg:2: expected one \"program\" statement, found a second"},
      {"a program name with a period", "program P.X\n",
       "S.dlg:1: expected a program name of 1 to 30 letters, digits, \"-\" and \"_\", found \"P.X\""},
      {"a transaction of five", "program P\ntransaction TOOLONG\n",
       "S.dlg:2: expected a transaction code of 1 to 4 letters and digits, found \"TOOLONG\""},
      {"words after the program", "program P Q\n",
       "S.dlg:1: expected nothing more after the program's name, found \"Q\""},
      {"a file without key", "program P\nfile F record \"x\"\n",
       "S.dlg:2: expected \"key\" after the file name"},
      {"a key of 65", "program P\nfile F key " + std::string(65, 'K') + " record r\n",
       "S.dlg:2: expected a key of 1 to 64 characters"},
      {"a record twice", "program P\nfile F key k record a\nfile F key k record b\n",
       "S.dlg:3: expected one record per key, found key \"k\" of F again (first on line 2)"},
      {"a clock on the 30th of February", "program P\nclock 2023-02-29 10:00:00\n",
       "S.dlg:2: expected a date and a time after clock, as 2024-03-01 09:30:00"},
      {"a clock at 24 o'clock", "program P\nclock 2024-02-29 24:00:00\n",
       "S.dlg:2: expected a date and a time after clock, as 2024-03-01 09:30:00"},
      {"start before a step", "program P\ntransaction T\nstart\n",
       "S.dlg:3: expected \"step\" before \"start\""},
      {"a step without its title", head + "step\n",
       "S.dlg:5: expected the step's title after step"},
      {"a title of two words without quotes", head + "step two words\n",
       "S.dlg:5: expected nothing more after the title (a title with blanks is written in double "
       "quotes), found \"words\""},
      {"start and key in one step", head + "  key ENTER\n",
       "S.dlg:5: expected one \"start\" or \"key\" in a step, found a second"},
      {"a key beyond PF24", head + "step t\n  key PF25\n",
       "S.dlg:6: expected a key (ENTER, CLEAR, PA1 to PA3, PF1 to PF24), found \"PF25\""},
      {"a key in small letters", head + "step t\n  key enter\n",
       "S.dlg:6: expected a key (ENTER, CLEAR, PA1 to PA3, PF1 to PF24), found \"enter\""},
      {"a field without a key", head + "step t\n  field A x\n  key ENTER\n",
       "S.dlg:6: expected \"key\" before \"field\": fields are typed with a key"},
      {"a field with a start", head + "  field A x\n",
       "S.dlg:5: expected \"key\" before \"field\": fields are typed with a key"},
      {"a field without its value", head + "step t\n  key ENTER\n  field A\n",
       "S.dlg:7: expected the value typed after the field name"},
      {"a field typed twice", head + "step t\n  key ENTER\n  field A x\n  field A y\n",
       "S.dlg:8: expected each field once in a step, found A again"},
      {"a subscript that is not a number", head + "step t\n  key ENTER\n  field A(I) x\n",
       "S.dlg:7: expected a field name (NAME, NAME(3), NAME(1,2)), found \"A(I)\""},
      {"a value longer than the screen",
       head + "step t\n  key ENTER\n  field A " + std::string(1921, 'v') + "\n",
       "S.dlg:7: expected a value of at most 1920 characters"},
      {"expect of an unknown kind", head + "  expect screen M\n",
       "S.dlg:5: expected field, map, text, next, end or abend after expect, found \"screen\""},
      {"expect end with more", head + "  expect end now\n",
       "S.dlg:5: expected nothing more after expect end, found \"now\""},
      {"known without quotes", head + "  known text\n",
       "S.dlg:5: expected the difference's text in double quotes, found \"text\""},
      {"a step with neither start nor key", head + "step t\nstep u\n  key ENTER\n",
       "S.dlg:5: expected \"start\" or \"key\" in step \"t\""},
      {"the last step with neither", head + "step t\n",
       "S.dlg:5: expected \"start\" or \"key\" in step \"t\""},
      {"no step at all", "program P\ntransaction T\n", "S.dlg:2: expected at least one step"},
      {"no program", "transaction T\nstep s\n start\n",
       "S.dlg:2: expected \"program NAME\" before the first step"},
      {"no transaction", "program P\nstep s\n start\n",
       "S.dlg:2: expected \"transaction CODE\" before the first step"},
      {"a first step that does not start", "program P\ntransaction T\nstep s\n  key ENTER\n",
       "S.dlg:3: expected the first step to start the conversation with \"start\""},
  };
  for (const Case& row : rows) {
    SCOPED_TRACE(row.why);
    Dialogue dialogue;
    std::string error;
    EXPECT_FALSE(read_dialogue(row.text, "S.dlg", dialogue, error));
    EXPECT_EQ(error, row.error);
  }
}

TEST(DialogueScript, KeyNamesAndQuotedValues) {
  struct Case {
    const char* key;
    bool valid;
  } keys[] = {{"ENTER", true}, {"CLEAR", true}, {"PA1", true},    {"PA3", true},  {"PA4", false},
              {"PF1", true},   {"PF9", true},   {"PF10", true},   {"PF24", true}, {"PF0", false},
              {"PF01", false}, {"PF", false},   {"ANYKEY", false}};
  for (const Case& row : keys) {
    SCOPED_TRACE(row.key);
    EXPECT_EQ(is_key_name(row.key), row.valid);
  }
  EXPECT_EQ(quoted("A \"B\" \\C"), "\"A \\\"B\\\" \\\\C\"");
}

}  // namespace
}  // namespace replay
