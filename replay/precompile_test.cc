// Tests of the precompile step's pieces: the condition table, PROGRAM-ID, and what a program's
// first reading learns (refusals, labels, targets, maps, the forms of its commands).
#include "replay/precompile.h"

#include <gtest/gtest.h>

#include "tests/support/test_files.h"

namespace replay {
namespace {

TEST(Precompile, ConditionsHaveTheMonitorsNumbers) {
  struct Case {
    const char* name;
    int number;
  } rows[] = {{"NORMAL", 0},   {"ERROR", 1},     {"NOTFND", 13},   {"DUPREC", 14},
              {"ENDFILE", 20}, {"LENGERR", 22},  {"PGMIDERR", 27}, {"MAPFAIL", 36},
              {"QIDERR", 44},  {"DISABLED", 84}, {"notfnd", -1},   {"EOF", -1}};
  for (const Case& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(condition_number(row.name), row.number);
  }
}

TEST(Precompile, ProgramIdIsTheFirstNameAfterTheWord) {
  EXPECT_EQ(program_id_of(" PROGRAM-ID. MENU01."), "MENU01");
  EXPECT_EQ(program_id_of(" program-id. custinq."), "CUSTINQ");
  EXPECT_EQ(program_id_of(" PROGRAM-ID. 'ORD-1' IS INITIAL."), "ORD-1");
  EXPECT_EQ(program_id_of(" PROGRAM-ID.MENU01"), "MENU01");
  EXPECT_EQ(program_id_of(" IDENTIFICATION DIVISION."), "");
}

TEST(Precompile, TheFirstReadingLearnsWhatThePlayNeeds) {
  test_support::TempFolder folder;
  folder.write(
      "MAPS",
      "       01  M1I.\n           05  AI PIC X.\n       01  M1O.\n           05  AO PIC X.\n");
  folder.write("P.zsc",
               "       IDENTIFICATION DIVISION.\n"
               "       PROGRAM-ID. P.\n"
               "       DATA DIVISION.\n"
               "       WORKING-STORAGE SECTION.\n"
               "       01  WS-PGM PIC X(8).\n"
               "           COPY MAPS.\n"
               "       PROCEDURE DIVISION.\n"
               "           EXEC ZARN HANDLE AID PF3(END-IT) CLEAR(AGAIN) END-EXEC.\n"
               "           EXEC ZARN HANDLE CONDITION MAPFAIL(AGAIN) END-EXEC.\n"
               "       AGAIN.\n"
               "           EXEC ZARN RECEIVE MAP('M1') END-EXEC.\n"
               "           EXEC ZARN SEND MAP('M1') MAPSET('S') ERASE END-EXEC.\n"
               "           EXEC ZARN LINK PROGRAM('SUB') END-EXEC.\n"
               "           EXEC ZARN XCTL PROGRAM(WS-PGM) END-EXEC.\n"
               "           EXEC ZARN SEND PAGE END-EXEC.\n"
               "           EXEC ZARN SEND MAP('M1') ACCUM END-EXEC.\n"
               "           IF WS-PGM = KVZRESP(NOSUCH) CONTINUE.\n"
               "       END-IT.\n"
               "           EXEC ZARN RETURN END-EXEC.\n");
  MemberRule rule;
  rule.folder = folder.path().string();
  std::string monitor = std::string(REPLAY_MONITOR_FOLDER);
  std::FILE* output = std::tmpfile();
  Precompiled found;
  std::string error;
  ASSERT_TRUE(
      precompile(folder.file("P.zsc"), rule, Role::kOriginal, monitor, output, found, error))
      << error;
  std::fclose(output);
  EXPECT_EQ(found.program_id, "P");
  EXPECT_EQ(found.labels, (std::vector<std::string>{"END-IT", "AGAIN"}));
  EXPECT_EQ(found.targets, (std::vector<std::string>{"SUB"}));
  EXPECT_TRUE(found.target_in_field);
  EXPECT_EQ(found.input_fields, (std::vector<std::string>{"AI"}));
  ASSERT_EQ(found.maps.size(), 2u);
  EXPECT_EQ(found.maps[1].area, "M1O");
  std::vector<std::string> refusals;
  for (const Refusal& refusal : found.refusals)
    refusals.push_back(refusal.file + ":" + std::to_string(refusal.line) + ": " + refusal.what);
  EXPECT_EQ(refusals, (std::vector<std::string>{
                          "P.zsc:15: EXEC ZARN SEND PAGE is not played",
                          "P.zsc:16: SEND MAP option ACCUM is not played",
                          "P.zsc:17: KVZRESP(NOSUCH) is not a condition the stand-in knows"}));
  std::vector<std::string> forms;
  for (const FormCount& form : found.forms)
    forms.push_back(form.form + (form.played ? " played " : " refused ") +
                    std::to_string(form.count));
  EXPECT_EQ(forms, (std::vector<std::string>{
                       "HANDLE AID played 1", "HANDLE CONDITION played 1", "RECEIVE MAP played 1",
                       "SEND MAP played 1", "LINK played 1", "XCTL played 1", "SEND PAGE refused 1",
                       "SEND MAP refused 1", "RETURN played 1"}));
}

}  // namespace
}  // namespace replay
