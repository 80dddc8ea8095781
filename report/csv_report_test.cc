// Tests of the CSV report: quoting of fields and the whole file.
#include "report/csv_report.h"

#include <gtest/gtest.h>

namespace report {
namespace {

TEST(CsvReport, FieldsAreQuotedOnlyWhenTheyMustBeAndNeverStartAFormula) {
  const struct {
    const char* why;
    std::string field;
    std::string expected;
  } cases[] = {
      {"a plain name stays as it is", "MENU01", "MENU01"},
      {"an empty field stays empty", "", ""},
      {"blanks, slashes and semicolons need no quotes", "sub dir/PAY;ROLL", "sub dir/PAY;ROLL"},
      {"a comma would split the field", "PAY,ROLL", "\"PAY,ROLL\""},
      {"quotes are doubled inside quotes", "say \"hi\"", "\"say \"\"hi\"\"\""},
      {"a lone quote", "\"", "\"\"\"\""},
      {"a line feed is kept inside quotes", "two\nlines", "\"two\nlines\""},
      {"a carriage return inside is kept inside quotes", "carriage\rreturn",
       "\"carriage\rreturn\""},
      {"an apostrophe inside is no formula", "it's", "it's"},
      {"= starts a formula", "=SUM(A1)", "'=SUM(A1)"},
      {"+ starts a formula", "+A1", "'+A1"},
      {"- starts a formula", "-INC", "'-INC"},
      {"@ starts a formula", "@X", "'@X"},
      {"a tab at the start is taken as a formula", "\tX", "'\tX"},
      {"a carriage return at the start: apostrophe, then quotes", "\rX", "\"'\rX\""},
      {"apostrophe first, then quotes for the comma", "=1,2", "\"'=1,2\""},
      {"apostrophe first, then the quotes doubled", "=\"A\"", "\"'=\"\"A\"\"\""},
      {"the characters elsewhere in the field are harmless", "A=B+C-D@E", "A=B+C-D@E"},
      {"a field that is only the character", "=", "'="},
      {"a blank before = keeps the field as it is", " =X", " =X"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(csv_field(row.field), row.expected);
  }
}

const char kHeading[] =
    "program,program kind,lines read,lines written,EXEC ZARN statements,LINK,XCTL,CONVERSE,"
    "RETURN option dropped,ROUTE,ASSIGN TERMCODE,HANDLE CONDITION kept,SEND PAGE,SEND ACCUM,"
    "SEND CONTROL,SEND CTLCHAR removed,SEND without parameters,SEND CONVID or SESSION,"
    "RECEIVE BUFFER,RECEIVE without MAP,invalid PF/PA keys,KVZAID not copied,"
    "USRCOMM without layout,map area in WORKING-STORAGE,EXEC ZARN without END-EXEC,"
    "EXEC ZARN not in capitals,copybook errors,multiple RECEIVE maps,front end not built,"
    "other messages,manual attention total,state,blocks compilation,changes behaviour,review,"
    "active monitor commands\n";

// A program whose message file was read, in `state`, with its findings by class as given.
ProgramReport read_program(ProgramSummary summary, ProgramState state,
                           std::array<std::int64_t, 3> by_class, std::int64_t commands) {
  ProgramReport report;
  report.files.name = summary.name;
  report.read = true;
  report.summary = std::move(summary);
  report.state = state;
  report.by_class = by_class;
  report.commands = commands;
  return report;
}

TEST(CsvReport, OneLinePerProgramInTheOrderGiven) {
  ProgramSummary payroll;
  payroll.name = "billing/PAY,ROLL \"A\"";
  payroll.lines_read = 120;
  payroll.lines_written = 130;
  payroll.exec_statements = 7;
  payroll.count(Finding::kLink) = 2;
  payroll.count(Finding::kCopybookError) = 1;
  ProgramSummary menu;
  menu.name = "MENU01";
  menu.lines_read = 5;
  menu.lines_written = 9;
  menu.map_requests = 3;
  menu.count(Finding::kFrontEndNotBuilt) = 1;
  menu.count(Finding::kMultipleReceives) = 1;
  menu.count(Finding::kSendPage) = 4;
  menu.other_messages = 2;
  ProgramSummary risk;
  risk.name = "@RISK";
  risk.map_requests = 1;
  ProgramReport programs[] = {
      read_program(payroll, ProgramState::kConvertedWithFindings, {1, 0, 2}, 5),
      read_program(menu, ProgramState::kOutOfDate, {0, 6, 2}, 0),
      read_program(risk, ProgramState::kConverted, {0, 0, 0}, 1),
      ProgramReport(),
  };
  // A program without a message file has nothing counted but its active commands (none).
  programs[3].files.name = "NEW01";
  programs[3].state = ProgramState::kNotConverted;
  // Payroll makes no map request (back-end); the menu's total counts its other messages too.
  // The kinds stand in their order: LINK 1st, SEND PAGE 8th, copybook errors 22nd, multiple
  // RECEIVE maps and front end not built last.
  EXPECT_EQ(csv_report({&programs[0], &programs[1], &programs[2], &programs[3]}),
            std::string(kHeading) +
                "\"billing/PAY,ROLL \"\"A\"\"\",back-end,120,130,7,"
                "2,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1,0,0,0,3,"
                "converted with findings,1,0,2,5\n"
                "MENU01,screen,5,9,0,0,0,0,0,0,0,0,4,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1,1,2,8,"
                "out of date,0,6,2,0\n"
                "'@RISK,screen,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,"
                "converted,0,0,0,1\n"
                "NEW01,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,not converted,,,,0\n");
}

TEST(CsvReport, NoProgramGivesTheHeadingAlone) {
  EXPECT_EQ(csv_report({}), kHeading);
  EXPECT_EQ(members_csv({}), "member,found,converted,programs\n");
}

TEST(CsvReport, MembersOncePerOutcomeWithThePrograms) {
  ProgramSummary a;
  a.name = "A";
  a.members = {{"REC", MemberOutcome::kConverted}, {"SQLCA", MemberOutcome::kNotFound}};
  ProgramSummary b;
  b.name = "B";
  b.members = {{"DEEP", MemberOutcome::kNotOpened},
               {"KVZAID", MemberOutcome::kMonitor},
               {"REC", MemberOutcome::kNotWritten},
               {"SQLCA", MemberOutcome::kNotFound}};
  ProgramSummary c;
  c.name = "=C";
  c.members = {{"+X", MemberOutcome::kNotFound}, {"SQLCA", MemberOutcome::kConverted}};
  ProgramReport programs[] = {
      read_program(a, ProgramState::kConverted, {}, 0),
      read_program(b, ProgramState::kConverted, {}, 0),
      read_program(c, ProgramState::kConverted, {}, 0),
      read_program(c, ProgramState::kMessageFileNotRead, {}, 0),
  };
  // A message file not read tells of no member.
  programs[3].read = false;
  programs[3].summary.name = "UNREAD";
  // By name, then converted, not found, not written, not opened, the monitor's; names that
  // would start a formula get their apostrophe, the program list included.
  EXPECT_EQ(members_csv({&programs[0], &programs[1], &programs[2], &programs[3]}),
            "member,found,converted,programs\n"
            "'+X,no,no,'=C\n"
            "DEEP,not looked for,no,B\n"
            "KVZAID,monitor's,no,B\n"
            "REC,yes,yes,A\n"
            "REC,yes,no,B\n"
            "SQLCA,yes,yes,'=C\n"
            "SQLCA,no,no,A; B\n");
}

}  // namespace
}  // namespace report
