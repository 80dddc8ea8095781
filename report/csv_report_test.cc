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
    "RETURN option dropped,ROUTE,"
    "ASSIGN TERMCODE,SEND PAGE,SEND ACCUM,SEND CONTROL,SEND CTLCHAR removed,"
    "SEND without parameters,SEND CONVID or SESSION,RECEIVE BUFFER,RECEIVE without MAP,"
    "invalid PF/PA keys,KVZAID not copied,USRCOMM without layout,map area in WORKING-STORAGE,"
    "EXEC ZARN without END-EXEC,"
    "EXEC ZARN not in capitals,copybook errors,multiple RECEIVE maps,"
    "front end not built,other messages,manual attention total\n";

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
  // Payroll makes no map request (back-end); the menu's total counts its other messages too.
  EXPECT_EQ(csv_report({payroll, menu, risk}),
            std::string(kHeading) +
                "\"billing/PAY,ROLL \"\"A\"\"\",back-end,120,130,7,"
                "2,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1,0,0,0,3\n"
                "MENU01,screen,5,9,0,0,0,0,0,0,0,4,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1,1,2,8\n"
                "'@RISK,screen,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n");
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
               {"REC", MemberOutcome::kNotWritten},
               {"SQLCA", MemberOutcome::kNotFound}};
  ProgramSummary c;
  c.name = "=C";
  c.members = {{"+X", MemberOutcome::kNotFound}, {"SQLCA", MemberOutcome::kConverted}};
  // By name, then converted, not found, not written, not opened; names that would start a
  // formula get their apostrophe, the program list included.
  EXPECT_EQ(members_csv({a, b, c}),
            "member,found,converted,programs\n"
            "'+X,no,no,'=C\n"
            "DEEP,not looked for,no,B\n"
            "REC,yes,yes,A\n"
            "REC,yes,no,B\n"
            "SQLCA,yes,yes,'=C\n"
            "SQLCA,no,no,A; B\n");
}

}  // namespace
}  // namespace report
