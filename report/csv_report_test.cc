// Tests of the CSV report: quoting of fields and the whole file.
#include "report/csv_report.h"

#include <gtest/gtest.h>

namespace report {
namespace {

TEST(CsvReport, FieldsAreQuotedOnlyWhenTheyMustBe) {
  const struct {
    std::string field;
    std::string expected;
  } cases[] = {
      {"MENU01", "MENU01"},
      {"", ""},
      {"sub dir/PAY;ROLL", "sub dir/PAY;ROLL"},
      {"PAY,ROLL", "\"PAY,ROLL\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"\"", "\"\"\"\""},
      {"two\nlines", "\"two\nlines\""},
      {"carriage\rreturn", "\"carriage\rreturn\""},
      {"it's", "it's"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.field);
    EXPECT_EQ(csv_field(row.field), row.expected);
  }
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
  menu.count(Finding::kFrontEndNotBuilt) = 1;
  menu.count(Finding::kMultipleReceives) = 1;
  menu.count(Finding::kSendPage) = 4;
  EXPECT_EQ(
      csv_report({payroll, menu}),
      "program,lines read,lines written,EXEC ZARN statements,LINK,XCTL,CONVERSE,ROUTE,"
      "ASSIGN TERMCODE,SEND PAGE,SEND ACCUM,SEND CONTROL,SEND CTLCHAR removed,"
      "SEND without parameters,SEND CONVID or SESSION,RECEIVE BUFFER,RECEIVE without MAP,"
      "invalid PF/PA keys,KVZAID not copied,USRCOMM without layout,EXEC ZARN without END-EXEC,"
      "EXEC ZARN not in capitals,copybook errors,multiple RECEIVE maps,"
      "front end not built,manual attention total\n"
      "\"billing/PAY,ROLL \"\"A\"\"\",120,130,7,2,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1,0,0,3\n"
      "MENU01,5,9,0,0,0,0,0,0,4,0,0,0,0,0,0,0,0,0,0,0,0,0,1,1,6\n");
}

TEST(CsvReport, NoProgramGivesTheHeadingAlone) {
  EXPECT_EQ(
      csv_report({}),
      "program,lines read,lines written,EXEC ZARN statements,LINK,XCTL,CONVERSE,ROUTE,"
      "ASSIGN TERMCODE,SEND PAGE,SEND ACCUM,SEND CONTROL,SEND CTLCHAR removed,"
      "SEND without parameters,SEND CONVID or SESSION,RECEIVE BUFFER,RECEIVE without MAP,"
      "invalid PF/PA keys,KVZAID not copied,USRCOMM without layout,EXEC ZARN without END-EXEC,"
      "EXEC ZARN not in capitals,copybook errors,multiple RECEIVE maps,"
      "front end not built,manual attention total\n");
}

}  // namespace
}  // namespace report
