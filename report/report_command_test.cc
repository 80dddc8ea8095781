// Tests of quillox-report's command line: finding the message files, refusing what it cannot
// read, and writing both reports.
#include "report/report_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "tests/support/summary_report.h"
#include "tests/support/test_files.h"

namespace report {
namespace {

namespace fs = std::filesystem;
using test_support::TempFolder;

const char kCsvHeading[] =
    "program,lines read,lines written,EXEC ZARN statements,LINK,XCTL,CONVERSE,ROUTE,"
    "ASSIGN TERMCODE,SEND PAGE,SEND ACCUM,SEND CONTROL,SEND CTLCHAR removed,"
    "SEND without parameters,SEND CONVID or SESSION,RECEIVE BUFFER,RECEIVE without MAP,"
    "invalid PF/PA keys,KVZAID not copied,USRCOMM without layout,EXEC ZARN without END-EXEC,"
    "EXEC ZARN not in capitals,copybook errors,multiple RECEIVE maps,front end not built,"
    "manual attention total\n";

struct Outcome {
  int exit_code;
  std::string out;
  std::string err;
};

Outcome run(const std::vector<std::string>& arguments) {
  std::ostringstream out;
  std::ostringstream err;
  int code = run_report(arguments, out, err);
  return {code, out.str(), err.str()};
}

TEST(ReportCommand, MessageFilesBelowTheFolderGiveOneRowEach) {
  TempFolder folder;
  fs::create_directories(folder.path() / "app" / "billing");
  folder.write("app/MENU01.msg",
               "line 0010 - *** ZVL ROUTE command found\n" +
                   test_support::summary_report_by_row({{1, 40}, {2, 48}, {5, 1}, {21, 1}}));
  folder.write("app/billing/BILL,02.msg",
               "  opening copy book REC at line 3\n ***error*** opening copy file REC\n" +
                   test_support::summary_report_by_row({{1, 12}, {2, 15}, {3, 1}}));
  folder.write("app/billing/REC.msg", "\nInput lines read     8\nOutput lines written     8\n");
  folder.write("app/MENU01.new", "not a message file\n");
  std::string app = folder.file("app");

  Outcome result = run({app});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.err,
            "quillox-report: " + app + "/billing/REC.msg: skipped, written by NESTLVL\n");
  EXPECT_EQ(result.out, "2 programs, 2 findings for manual attention: wrote " + app +
                            "/migration-report.csv and " + app + "/migration-report.html\n");
  EXPECT_EQ(folder.read("app/migration-report.csv"),
            std::string(kCsvHeading) +
                "MENU01,40,48,1,0,0,0,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1\n"
                "\"billing/BILL,02\",12,15,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1,0,0,1\n");
  EXPECT_TRUE(folder.exists("app/migration-report.html"));
}

TEST(ReportCommand, ReportsGoToTheOutputFolderWhenOneIsGiven) {
  TempFolder folder;
  fs::create_directories(folder.path() / "app");
  folder.write("app/P.msg", test_support::summary_report_by_row({{1, 3}, {2, 3}}));
  Outcome result = run({"-o", folder.file("out/reports"), folder.file("app")});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(folder.read("out/reports/migration-report.csv"),
            std::string(kCsvHeading) + "P,3,3,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n");
  EXPECT_FALSE(folder.exists("app/migration-report.csv"));
}

TEST(ReportCommand, AFileThatIsNotUnderstoodStopsTheReport) {
  TempFolder folder;
  std::string summary = test_support::summary_report_by_row({});
  folder.write("GOOD.msg", summary);
  folder.write("CUT.msg", summary.substr(0, summary.find("    0 ROUTE")));
  folder.write("migration-report.csv", "an older report\n");
  fs::create_symlink(folder.file("nowhere"), folder.path() / "LOST.msg");

  Outcome result = run({folder.file("")});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err,
            "quillox-report: " + folder.file("CUT.msg") +
                ": not a QUILLOX message file: the summary report is cut short before row "
                "\"ROUTE statements\"\n"
                "quillox-report: " +
                folder.file("LOST.msg") +
                ": cannot read the file\nquillox-report: no report written\n");
  EXPECT_EQ(folder.read("migration-report.csv"), "an older report\n");
  EXPECT_FALSE(folder.exists("migration-report.html"));
}

TEST(ReportCommand, WrongCommandLinesAndFoldersAreRefused) {
  TempFolder folder;
  folder.write("plain.txt", "text\n");
  const char kUsage[] =
      "usage: quillox-report [-o OUTPUT-FOLDER] [FOLDER]\n"
      "Reads the message files (*.msg) that QUILLOX wrote in FOLDER and the folders below it\n"
      "(default: the current folder) and writes migration-report.csv and migration-report.html\n"
      "into OUTPUT-FOLDER (default: FOLDER).\n";
  const struct {
    const char* what;
    std::vector<std::string> arguments;
    Outcome expected;
  } cases[] = {
      {"help", {"--help"}, {0, kUsage, ""}},
      {"unknown option",
       {"-x"},
       {2, "", std::string("quillox-report: unknown option -x\n") + kUsage}},
      {"output without folder",
       {"-o"},
       {2, "", std::string("quillox-report: option -o needs a folder\n") + kUsage}},
      {"two folders",
       {"a", "b"},
       {2, "", std::string("quillox-report: more than one folder given\n") + kUsage}},
      {"missing folder",
       {folder.file("missing")},
       {1, "", "quillox-report: " + folder.file("missing") + ": not a folder\n"}},
      {"file as folder",
       {folder.file("plain.txt")},
       {1, "", "quillox-report: " + folder.file("plain.txt") + ": not a folder\n"}},
      {"no message file",
       {folder.file("")},
       {1, "", "quillox-report: no QUILLOX message file (*.msg) in " + folder.file("") + "\n"}},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.what);
    Outcome result = run(row.arguments);
    EXPECT_EQ(result.exit_code, row.expected.exit_code);
    EXPECT_EQ(result.out, row.expected.out);
    EXPECT_EQ(result.err, row.expected.err);
  }
}

}  // namespace
}  // namespace report
