// Tests of quillox-report's command line: finding the message files, refusing what it cannot
// read, and writing both reports.
#include "report/report_command.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <sstream>

#include "report/message_file.h"
#include "tests/support/summary_report.h"
#include "tests/support/test_files.h"

namespace report {
namespace {

namespace fs = std::filesystem;
using test_support::TempFolder;

const char kCsvHeading[] =
    "program,program kind,lines read,lines written,EXEC ZARN statements,LINK,XCTL,CONVERSE,"
    "RETURN option dropped,ROUTE,"
    "ASSIGN TERMCODE,SEND PAGE,SEND ACCUM,SEND CONTROL,SEND CTLCHAR removed,"
    "SEND without parameters,SEND CONVID or SESSION,RECEIVE BUFFER,RECEIVE without MAP,"
    "invalid PF/PA keys,KVZAID not copied,USRCOMM without layout,map area in WORKING-STORAGE,"
    "EXEC ZARN without END-EXEC,"
    "EXEC ZARN not in capitals,copybook errors,multiple RECEIVE maps,front end not built,"
    "other messages,manual attention total\n";

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
                            "/migration-report.csv, " + app + "/migration-members.csv and " + app +
                            "/migration-report.html\n");
  EXPECT_EQ(folder.read("app/migration-report.csv"),
            std::string(kCsvHeading) +
                "MENU01,back-end,40,48,1,0,0,0,0,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1\n"
                "\"billing/BILL,02\",back-end,12,15,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1,0,"
                "0,0,1\n");
  EXPECT_EQ(folder.read("app/migration-members.csv"),
            "member,found,converted,programs\nREC,no,no,\"billing/BILL,02\"\n");
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
            std::string(kCsvHeading) +
                "P,back-end,3,3,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n");
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
      "(default: the current folder) and writes migration-report.csv, migration-members.csv and\n"
      "migration-report.html into OUTPUT-FOLDER (default: FOLDER).\n";
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

TEST(ReportCommand, EntriesThatAreNoRegularFilesAreSkippedAndTheRunGoesOn) {
  // A FIFO would keep a reader waiting for ever and /dev/zero never ends: both are named as
  // skipped, and the report of the one real message file is written.
  TempFolder folder;
  folder.write("GOOD.msg", test_support::summary_report_by_row({{1, 3}, {2, 4}}));
  ASSERT_EQ(mkfifo(folder.file("PIPE.msg").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", folder.path() / "ZERO.msg");
  fs::create_directories(folder.path() / "FOLDER.msg");

  Outcome result = run({folder.file("")});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.err, "quillox-report: " + folder.file("PIPE.msg") +
                            ": skipped, not a regular file\n"
                            "quillox-report: " +
                            folder.file("ZERO.msg") + ": skipped, not a regular file\n");
  EXPECT_EQ(folder.read("migration-report.csv"),
            std::string(kCsvHeading) +
                "GOOD,back-end,3,4,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n");
}

TEST(ReportCommand, AMessageFileOverTheBoundIsRefusedByName) {
  TempFolder folder;
  folder.write("GOOD.msg", test_support::summary_report_by_row({}));
  folder.write("BIG.msg", "");
  // Sparse: the bound is tested without writing 64 MiB.
  fs::resize_file(folder.path() / "BIG.msg", kMaxMessageFileSize + 1);
  folder.write("EXACT.msg", "");
  fs::resize_file(folder.path() / "EXACT.msg", kMaxMessageFileSize);

  Outcome result = run({folder.file("")});
  EXPECT_EQ(result.exit_code, 1);
  // A file of exactly 64 MiB is read (and then not understood); one byte more is refused unread.
  EXPECT_EQ(result.err,
            "quillox-report: " + folder.file("BIG.msg") +
                ": refused: larger than 64 MiB, which no QUILLOX message file is\n"
                "quillox-report: " +
                folder.file("EXACT.msg") +
                ": not a QUILLOX message file: the last line has no line end (the file is cut "
                "short)\n"
                "quillox-report: no report written\n");
  EXPECT_FALSE(folder.exists("migration-report.csv"));
}

TEST(ReportCommand, TotalsTooLargeToBeTrueAreRefusedWithTheFileNamed) {
  // Ten files each claim 999999999999999999 lines read: the tenth makes the total pass the
  // largest count, and is named.
  TempFolder folder;
  std::string summary = test_support::summary_report_by_row({});
  summary.replace(summary.find("    0 Input lines read"), 5, "999999999999999999");
  for (int i = 0; i < 10; ++i) folder.write("P" + std::to_string(i) + ".msg", summary);

  Outcome result = run({folder.file("")});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.err, "quillox-report: " + folder.file("P9.msg") +
                            ": refused: with its counts the total of input lines read is too "
                            "large to be true\n"
                            "quillox-report: no report written\n");
  EXPECT_FALSE(folder.exists("migration-report.csv"));
}

TEST(ReportCommand, ThePageLinksToTheFilesBesideEachMessageFile) {
  // MENU01 has its converted program, a front end and one member copy beside it; BILL has none
  // of them. The message file names the front end by its program name, which the file name
  // gives in capitals and without extension. The page goes to another folder, so the links lead
  // back up.
  TempFolder folder;
  fs::create_directories(folder.path() / "app" / "billing");
  folder.write("app/MENU01.msg",
               "  opening copy book MENUREC.CPY at line 4\n"
               "  2 lines read in copy book\n  2 lines written in copy book\n"
               "  opening copy book GONE at line 5\n ***error*** opening copy file GONE\n" +
                   test_support::summary_report_by_row({{3, 2}}) +
                   "\n Creating new DSP4 front end prototype file - MENU01FE\n");
  folder.write("app/MENU01.new", "converted\n");
  folder.write("app/menu01fe.cbl", "front end\n");
  folder.write("app/MENU01FEX.cbl", "another program\n");
  folder.write("app/MENUREC.new", "member\n");
  folder.write("app/GONE.new", "an older copy\n");
  folder.write("app/billing/BILL.msg", test_support::summary_report_by_row({}) +
                                           "\n Creating new DSP4 front end prototype file - FE\n");

  Outcome result = run({"-o", folder.file("out"), folder.file("app")});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  std::string page = folder.read("out/migration-report.html");
  for (const char* link : {
           "Message file <a href=\"../app/MENU01.msg\">MENU01.msg</a>",
           "Converted program <a href=\"../app/MENU01.new\">MENU01.new</a>",
           "Front end <a href=\"../app/menu01fe.cbl\">menu01fe.cbl</a>",
           "<span class=\"member\">MENUREC.CPY</span> converted: "
           "<a href=\"../app/MENUREC.new\">MENUREC.new</a>",
           "<span class=\"member\">GONE</span> not found</li>",
           "<p class=\"files\">Message file <a href=\"../app/billing/BILL.msg\">BILL.msg</a></p>",
       }) {
    SCOPED_TRACE(link);
    EXPECT_NE(page.find(link), std::string::npos);
  }
  EXPECT_EQ(page.find("GONE.new"), std::string::npos);  // a member not converted has no copy
  EXPECT_EQ(page.find("billing/FE"), std::string::npos);
}

}  // namespace
}  // namespace report
