// Tests of quillox-report's command line: the programs and message files of a folder with their
// states, the files it cannot read listed rather than ending the report, the reports written
// all together or not at all, and the exit status a CI job can fail on.
#include "report/report_command.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <initializer_list>
#include <map>
#include <sstream>

#include "report/html_page.h"
#include "report/message_file.h"
#include "tests/support/summary_report.h"
#include "tests/support/test_files.h"

namespace report {
namespace {

namespace fs = std::filesystem;
using test_support::summary_report_by_row;
using test_support::TempFolder;

const char kCsvHeading[] =
    "program,program kind,lines read,lines written,EXEC ZARN statements,LINK,XCTL,CONVERSE,"
    "RETURN option dropped,ROUTE,ASSIGN TERMCODE,HANDLE CONDITION kept,SEND PAGE,SEND ACCUM,"
    "SEND CONTROL,SEND CTLCHAR removed,SEND without parameters,SEND CONVID or SESSION,"
    "RECEIVE BUFFER,RECEIVE without MAP,invalid PF/PA keys,KVZAID not copied,"
    "USRCOMM without layout,map area in WORKING-STORAGE,EXEC ZARN without END-EXEC,"
    "EXEC ZARN not in capitals,copybook errors,multiple RECEIVE maps,front end not built,"
    "other messages,manual attention total,state,blocks compilation,changes behaviour,review,"
    "active monitor commands\n";

// The 24 counts of the kinds, all 0 but those named by their place in the columns (1 for LINK).
std::string kinds(std::initializer_list<std::pair<int, int>> counts) {
  std::map<int, int> by_place(counts.begin(), counts.end());
  std::string text;
  for (int place = 1; place <= 24; ++place)
    text += (place == 1 ? "" : ",") + std::to_string(by_place.count(place) ? by_place[place] : 0);
  return text;
}

// The row of a program whose message file was not read: its name, 30 empty counts, its state,
// three empty classes and its commands.
std::string unread_row(const std::string& name, const std::string& state) {
  return name + std::string(30, ',') + "," + state + ",,,,0\n";
}

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

// Sets the modification time of `path` to `seconds` after the epoch.
void set_time(const std::string& path, long seconds) {
  timespec times[2] = {{seconds, 0}, {seconds, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

// Every file below `folder`, as paths below it, in order.
std::vector<std::string> files_below(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (!entry.is_directory()) names.push_back(entry.path().lexically_relative(folder).string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(ReportCommand, EveryProgramAndMessageFileBelowTheFolderGivesOneRow) {
  TempFolder folder;
  fs::create_directories(folder.path() / "app" / "billing");
  folder.write("app/MENU01.msg", "line 0010 - *** ZVL ROUTE command found\n" +
                                     summary_report_by_row({{1, 40}, {2, 48}, {5, 1}, {21, 1}}));
  folder.write("app/MENU01.zsc", "source\n");
  folder.write("app/billing/BILL,02.msg",
               "  opening copy book REC at line 3\n ***error*** opening copy file REC\n" +
                   summary_report_by_row({{1, 12}, {2, 15}, {3, 1}}));
  folder.write("app/billing/REC.msg", "\nInput lines read     8\nOutput lines written     8\n");
  folder.write("app/billing/NEW9.ZSC", "a program never converted\n");
  folder.write("app/MENU01.new",
               "       PROCEDURE DIVISION.\n           EXEC ZARN ROUTE END-EXEC.\n");
  std::string app = folder.file("app");
  set_time(app + "/MENU01.zsc", 1000);
  set_time(app + "/MENU01.msg", 2000);

  Outcome result = run({app});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.err,
            "quillox-report: " + app + "/billing/REC.msg: skipped, written by NESTLVL\n");
  EXPECT_EQ(result.out,
            "3 programs: 1 not converted, 2 converted with findings; 2 findings for manual "
            "attention (blocks compilation 1, changes behaviour 0, review 1), 1 active monitor "
            "command\nwrote " +
                app + "/migration-report.html, " + app + "/migration-report.csv, " + app +
                "/migration-members.csv, " + app + "/migration-report.sarif and 1 page in " + app +
                "/migration-report-files\n");
  // By name: ROUTE is the 5th kind, copybook errors the 22nd.
  EXPECT_EQ(folder.read("app/migration-report.csv"),
            std::string(kCsvHeading) + "MENU01,back-end,40,48,1," + kinds({{5, 1}}) +
                ",0,1,converted with findings,0,0,1,1\n\"billing/BILL,02\",back-end,12,15,0," +
                kinds({{22, 1}}) + ",0,1,converted with findings,1,0,0,0\n" +
                unread_row("billing/NEW9", "not converted"));
  EXPECT_EQ(folder.read("app/migration-members.csv"),
            "member,found,converted,programs\nREC,no,no,\"billing/BILL,02\"\n");
  EXPECT_EQ(files_below(folder.path() / "app" / "migration-report-files"),
            std::vector<std::string>{"lines/MENU01.new.html"});
  EXPECT_TRUE(folder.exists("app/migration-report.html"));
}

TEST(ReportCommand, ReportsGoToTheOutputFolderAndLinkBackToTheApplication) {
  TempFolder folder;
  fs::create_directories(folder.path() / "app");
  folder.write("app/P.msg", summary_report_by_row({{1, 3}, {2, 3}}));
  folder.write("app/P.new", "converted\n");
  Outcome result = run({"-o", folder.file("out/reports"), folder.file("app")});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(
      folder.read("out/reports/migration-report.csv"),
      std::string(kCsvHeading) + "P,back-end,3,3,0," + kinds({}) + ",0,0,converted,0,0,0,0\n");
  EXPECT_FALSE(folder.exists("app/migration-report.csv"));
  std::string page = folder.read("out/reports/migration-report.html");
  EXPECT_NE(page.find("Message file <a href=\"../../app/P.msg\">P.msg</a>"), std::string::npos);
  EXPECT_NE(page.find("Converted program <a href=\"migration-report-files/lines/P.new.html\">"),
            std::string::npos);
  EXPECT_NE(folder.read("out/reports/migration-report-files/lines/P.new.html")
                .find("<span id=\"L1\">converted</span>"),
            std::string::npos);
}

TEST(ReportCommand, AFileThatCannotBeReadIsAProblemOfItsProgramNeverShown) {
  TempFolder folder;
  fs::create_directories(folder.path() / "app");
  fs::create_directories(folder.path() / "secret");
  std::string summary = summary_report_by_row({});
  folder.write("app/GOOD.msg", summary);
  folder.write("app/CUT.msg", summary.substr(0, summary.find("    0 ROUTE")));
  folder.write("secret/PRIVATE.msg", "line 0001 - SECRET TEXT\n" + summary);
  folder.write("secret/PRIVATE.new", "SECRET LINE\n");
  fs::create_symlink(folder.file("secret/PRIVATE.msg"), folder.path() / "app" / "AWAY.msg");
  fs::create_symlink(folder.file("secret/PRIVATE.new"), folder.path() / "app" / "GOOD.new");
  fs::create_symlink(folder.file("nowhere"), folder.path() / "app" / "LOST.msg");
  fs::create_symlink("/dev/zero", folder.path() / "app" / "ZERO.msg");
  ASSERT_EQ(mkfifo(folder.file("app/PIPE.msg").c_str(), 0600), 0);
  folder.write("app/migration-report.csv", "an older report\n");
  std::string app = folder.file("app");

  Outcome result = run({app});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.err, "quillox-report: " + app +
                            "/AWAY.msg: lies outside the folder through a link - not read\n"
                            "quillox-report: " +
                            app +
                            "/CUT.msg: not a QUILLOX message file: the summary report is "
                            "cut short before row \"ROUTE statements\"\n"
                            "quillox-report: " +
                            app +
                            "/GOOD.new: lies outside the folder through a link - not read\n"
                            "quillox-report: " +
                            app +
                            "/LOST.msg: not found - not read\n"
                            "quillox-report: " +
                            app +
                            "/PIPE.msg: not a regular file - not read\n"
                            "quillox-report: " +
                            app + "/ZERO.msg: lies outside the folder through a link - not read\n");
  EXPECT_EQ(folder.read("app/migration-report.csv"),
            std::string(kCsvHeading) + unread_row("AWAY", "message file not read") +
                unread_row("CUT", "message file not read") + "GOOD,back-end,0,0,0," + kinds({}) +
                ",0,0,converted,0,0,0,0\n" + unread_row("LOST", "message file not read") +
                unread_row("PIPE", "message file not read") +
                unread_row("ZERO", "message file not read"));
  std::string page = folder.read("app/migration-report.html");
  EXPECT_EQ(page.find("SECRET"), std::string::npos);
  EXPECT_NE(page.find("<li><a href=\"#program-AWAY\">AWAY</a>: AWAY.msg: lies outside the folder "
                      "through a link - not read</li>"),
            std::string::npos);
  EXPECT_FALSE(folder.exists("app/migration-report-files/lines/GOOD.new.html"));
  EXPECT_EQ(folder.read("app/migration-report.sarif").find("SECRET"), std::string::npos);
}

TEST(ReportCommand, AMessageFileOfAnySizeIsReadALineAtATime) {
  // A sparse file of 65 MiB holds no line end: it is refused for its first line, which is
  // longer than any line QUILLOX writes, not for its size; the other program is reported.
  TempFolder folder;
  folder.write("GOOD.msg", summary_report_by_row({}));
  folder.write("BIG.msg", "");
  fs::resize_file(folder.path() / "BIG.msg", 65 * 1024 * 1024);
  Outcome result = run({folder.file("")});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.err,
            "quillox-report: " + folder.file("BIG.msg") +
                ": not a QUILLOX message file: line 1: longer than 1 MiB, which no line "
                "of a QUILLOX message file is\n");
  EXPECT_NE(folder.read("migration-report.csv").find("\nGOOD,back-end,"), std::string::npos);
}

TEST(ReportCommand, TotalsTooLargeToBeTrueMakeAProblemOfTheFileNamed) {
  // Ten files each claim 999999999999999999 lines read: the tenth makes the total pass the
  // largest count, and is named; the others are reported.
  TempFolder folder;
  std::string summary = summary_report_by_row({});
  summary.replace(summary.find("    0 Input lines read"), 5, "999999999999999999");
  for (int i = 0; i < 10; ++i) folder.write("P" + std::to_string(i) + ".msg", summary);

  Outcome result = run({folder.file("")});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.err, "quillox-report: " + folder.file("P9.msg") +
                            ": with its counts the total of input lines read is too large to be "
                            "true\n");
  std::string csv = folder.read("migration-report.csv");
  EXPECT_NE(csv.find("\nP8,back-end,999999999999999999,"), std::string::npos);
  EXPECT_NE(csv.find("\n" + unread_row("P9", "message file not read")), std::string::npos);
}

TEST(ReportCommand, WrongCommandLinesAndFoldersAreRefused) {
  TempFolder folder;
  folder.write("plain.txt", "text\n");
  const char kUsage[] =
      "usage: quillox-report [-o OUTPUT-FOLDER] [-I DIR]... [--fail-on CLASS] [--] [FOLDER]\n"
      "Reads the programs (*.zsc) and message files (*.msg) in FOLDER and the folders below it\n"
      "(default: the current folder), the record quillox-all keeps there and the converted files,\n"
      "and writes migration-report.html, migration-report.csv, migration-members.csv,\n"
      "migration-report.sarif and migration-report-files/ into OUTPUT-FOLDER (default: FOLDER).\n"
      "  -o, --output DIR  write the reports into DIR\n"
      "  -I DIR            members are also looked for in DIR, as quillox-all was told\n"
      "  --fail-on CLASS   exit 1 when a finding of CLASS (blocks, behaviour, review) or a\n"
      "                    heavier one exists, or a program is still to be converted\n"
      "  --version         print the version\n"
      "  -h, --help        print this text\n";
  const struct {
    const char* what;
    std::vector<std::string> arguments;
    Outcome expected;
  } cases[] = {
      {"help", {"--help"}, {0, kUsage, ""}},
      {"version", {"--version"}, {0, "quillox-report 1.3.0\n", ""}},
      {"unknown option",
       {"-x"},
       {2, "", std::string("quillox-report: unknown option -x\n") + kUsage}},
      {"output without folder",
       {"-o"},
       {2, "", std::string("quillox-report: option -o needs a folder\n") + kUsage}},
      {"-I without folder",
       {"app", "-I"},
       {2, "", std::string("quillox-report: option -I needs a folder\n") + kUsage}},
      {"--fail-on without class",
       {"--fail-on"},
       {2, "",
        std::string("quillox-report: option --fail-on needs a class: blocks, behaviour or "
                    "review\n") +
            kUsage}},
      {"--fail-on an unknown class",
       {"--fail-on", "error"},
       {2, "",
        std::string("quillox-report: unknown class error for --fail-on: blocks, behaviour or "
                    "review\n") +
            kUsage}},
      {"two folders",
       {"a", "b"},
       {2, "", std::string("quillox-report: more than one folder given\n") + kUsage}},
      {"missing folder",
       {folder.file("missing")},
       {1, "", "quillox-report: " + folder.file("missing") + ": not a folder\n"}},
      {"file as folder",
       {folder.file("plain.txt")},
       {1, "", "quillox-report: " + folder.file("plain.txt") + ": not a folder\n"}},
      {"a folder named like an option, after --",
       {"--", "-app"},
       {1, "", "quillox-report: -app: not a folder\n"}},
      {"no program and no message file",
       {folder.file("")},
       {1, "",
        "quillox-report: no program (*.zsc) and no QUILLOX message file (*.msg) in " +
            folder.file("") + "\n"}},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.what);
    Outcome result = run(row.arguments);
    EXPECT_EQ(result.exit_code, row.expected.exit_code);
    EXPECT_EQ(result.out, row.expected.out);
    EXPECT_EQ(result.err, row.expected.err);
  }
}

TEST(ReportCommand, FailOnGivesTheExitStatusOfTheHeaviestClassAsked) {
  // BLOCK has a member not found (blocks compilation), SHIFT a CONVERSE (changes behaviour),
  // LOOK a LINK (review).
  const std::string blocks =
      "  opening copy book REC at line 3\n ***error*** opening copy file REC\n" +
      summary_report_by_row({{3, 1}});
  const std::string behaviour = "line 0030 - CONVERSE removed - program logic must be checked\n" +
                                summary_report_by_row({{5, 1}, {16, 1}});
  const std::string review =
      "line 0030 - EXEC ZARN LINK to program 'P' found\n" + summary_report_by_row({{5, 1}, {6, 1}});
  const struct {
    const char* why;
    std::map<std::string, std::string> files;
    std::string option;
    int exit_code;
    std::string err;
  } cases[] = {
      {"nothing found passes every class",
       {{"CLEAN.msg", summary_report_by_row({})}},
       "review",
       0,
       ""},
      {"a review finding fails review only", {{"LOOK.msg", review}}, "behaviour", 0, ""},
      {"a review finding fails review",
       {{"LOOK.msg", review}},
       "review",
       1,
       "quillox-report: --fail-on review: 1 finding of class review or heavier, 0 programs to "
       "convert\n"},
      {"a change of behaviour fails behaviour and review, not blocks",
       {{"SHIFT.msg", behaviour}, {"LOOK.msg", review}},
       "blocks",
       0,
       ""},
      {"a change of behaviour fails behaviour, counting what is heavier too",
       {{"SHIFT.msg", behaviour}, {"BLOCK.msg", blocks}, {"LOOK.msg", review}},
       "behaviour",
       1,
       "quillox-report: --fail-on behaviour: 2 findings of class changes behaviour or heavier, 0 "
       "programs to convert\n"},
      {"blocks counts only what blocks compilation",
       {{"SHIFT.msg", behaviour}, {"BLOCK.msg", blocks}},
       "blocks",
       1,
       "quillox-report: --fail-on blocks: 1 finding of class blocks compilation, 0 programs to "
       "convert\n"},
      {"a program not converted fails every class",
       {{"CLEAN.msg", summary_report_by_row({})}, {"NEW.zsc", "source\n"}},
       "blocks",
       1,
       "quillox-report: --fail-on blocks: 0 findings of class blocks compilation, 1 program to "
       "convert\n"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.why);
    TempFolder folder;
    for (const auto& [name, text] : row.files) folder.write(name, text);
    Outcome result = run({"--fail-on", row.option, folder.file("")});
    EXPECT_EQ(result.exit_code, row.exit_code);
    EXPECT_EQ(result.err, row.err);
    // The reports are written whatever the gate says.
    EXPECT_TRUE(folder.exists("migration-report.html"));
  }
}

TEST(ReportCommand, TheRecordOfQuilloxAllGivesTheStatesOfItsLastRun) {
  TempFolder folder;
  fs::create_directories(folder.path() / "sub");
  const std::string summary = summary_report_by_row({});
  for (const char* name : {"BAD", "CLASH", "EDIT", "LATE", "OK", "sub/HAND"})
    folder.write(std::string(name) + ".zsc", "source\n");
  // EDIT keeps the message file of its earlier conversion; HAND was converted by hand after the
  // run, so its message file is newer than the record.
  folder.write("EDIT.msg", summary);
  folder.write("OK.msg", summary);
  folder.write("sub/HAND.msg", summary);
  // A folder named like a program, which quillox-all names as failed.
  fs::create_directories(folder.path() / "FOLDER.zsc");
  folder.write("quillox-all.record",
               "quillox-all record 1\n"
               "program\tBAD.zsc\tfailed\tQUILLOX ended with exit code 100\n"
               "output\tBAD.new\tfnv1a64:0123456789abcdef\n"
               "program\tCLASH.zsc\trefused-clash\tCLASH.new is also written by\\tanother\n"
               "program\tEDIT.zsc\trefused-edited\tEDIT.new was changed since it was written\n"
               "program\tFOLDER.zsc\tfailed\tQUILLOX exit code 100\n"
               "program\tLATE.zsc\tnot-run\t\n"
               "program\tOK.zsc\tconverted\t\n"
               "program\tsub/HAND.zsc\tfailed\tQUILLOX ended by signal 9\n"
               "program\tGONE.zsc\tfailed\tno longer there\n"
               "a line of a later quillox-all\n");
  set_time(folder.file("quillox-all.record"), 5000);
  for (const char* name : {"BAD.zsc", "CLASH.zsc", "EDIT.zsc", "LATE.zsc", "OK.zsc", "sub/HAND.zsc",
                           "EDIT.msg", "OK.msg"})
    set_time(folder.file(name), 4000);
  set_time(folder.file("sub/HAND.msg"), 6000);

  Outcome result = run({folder.file("")});
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(folder.read("migration-report.csv"),
            std::string(kCsvHeading) + unread_row("BAD", "failed") +
                unread_row("CLASH", "refused: clash") + "EDIT,back-end,0,0,0," + kinds({}) +
                ",0,0,refused: hand edits,0,0,0,0\n" + unread_row("FOLDER", "failed") +
                unread_row("LATE", "not converted") + "OK,back-end,0,0,0," + kinds({}) +
                ",0,0,converted,0,0,0,0\n" + "sub/HAND,back-end,0,0,0," + kinds({}) +
                ",0,0,converted,0,0,0,0\n");
  std::string page = folder.read("migration-report.html");
  for (const char* reason : {"<p class=\"reason\">QUILLOX ended with exit code 100</p>",
                             "<p class=\"reason\">CLASH.new is also written by\tanother</p>",
                             "<p class=\"reason\">the last run of quillox-all ended before its "
                             "turn</p>"}) {
    SCOPED_TRACE(reason);
    EXPECT_NE(page.find(reason), std::string::npos);
  }
  EXPECT_EQ(page.find("no longer there"), std::string::npos);
}

TEST(ReportCommand, ARecordThatIsNoRecordIsNamedAndTheStatesComeFromTheFiles) {
  TempFolder folder;
  folder.write("A.zsc", "source\n");
  folder.write("quillox-all.record", "quillox-all record 2\nprogram\tA.zsc\tfailed\tX\n");
  Outcome result = run({folder.file("")});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.err, "quillox-report: " + folder.file("quillox-all.record") +
                            ": not a record of quillox-all: its first line is not \"quillox-all "
                            "record 1\" - the states of quillox-all's last run are not shown\n");
  EXPECT_EQ(folder.read("migration-report.csv"),
            std::string(kCsvHeading) + unread_row("A", "not converted"));
}

TEST(ReportCommand, AProgramOrMemberNewerThanItsMessageFileIsOutOfDate) {
  TempFolder folder;
  fs::create_directories(folder.path() / "lib");
  const std::string copies =
      "  opening copy book REC at line 3\n  1 lines read in copy book\n"
      "  1 lines written in copy book\n" +
      summary_report_by_row({{3, 1}});
  for (const char* name : {"FRESH", "EDITED", "MEMBER", "SHARED"}) {
    folder.write(std::string(name) + ".zsc", "source\n");
    folder.write(std::string(name) + ".msg", copies);
    set_time(folder.file(std::string(name) + ".zsc"), 1000);
    set_time(folder.file(std::string(name) + ".msg"), 2000);
  }
  // EDITED's source changed after its conversion. REC.cpy beside the programs, which QUILLOX
  // finds for COPY REC, changed after MEMBER's conversion but before the others'; the REC in
  // the -I folder is only looked at when none is beside the program.
  set_time(folder.file("EDITED.zsc"), 3000);
  folder.write("REC.cpy", "member\n");
  set_time(folder.file("REC.cpy"), 1500);
  set_time(folder.file("MEMBER.msg"), 1400);
  folder.write("lib/REC", "member elsewhere\n");
  set_time(folder.file("lib/REC"), 9000);

  Outcome result = run({"-I", folder.file("lib"), folder.file("")});
  EXPECT_EQ(result.exit_code, 0) << result.err;
  std::string csv = folder.read("migration-report.csv");
  EXPECT_NE(csv.find("\nEDITED,back-end,0,0,0," + kinds({}) + ",0,0,out of date,"),
            std::string::npos);
  EXPECT_NE(csv.find("\nFRESH,back-end,0,0,0," + kinds({}) + ",0,0,converted,"), std::string::npos);
  EXPECT_NE(csv.find("\nMEMBER,back-end,0,0,0," + kinds({}) + ",0,0,out of date,"),
            std::string::npos);
  std::string page = folder.read("migration-report.html");
  EXPECT_NE(page.find("<p class=\"reason\">EDITED.zsc is newer than its message file</p>"),
            std::string::npos);
  EXPECT_NE(page.find("<p class=\"reason\">member REC is newer than the message file</p>"),
            std::string::npos);

  // Without the member beside the programs the one in the -I folder counts, and is newer.
  fs::remove(folder.path() / "REC.cpy");
  result = run({"-I", folder.file("lib"), folder.file("")});
  csv = folder.read("migration-report.csv");
  EXPECT_NE(csv.find("\nSHARED,back-end,0,0,0," + kinds({}) + ",0,0,out of date,"),
            std::string::npos);
  result = run({folder.file("")});
  csv = folder.read("migration-report.csv");
  EXPECT_NE(csv.find("\nSHARED,back-end,0,0,0," + kinds({}) + ",0,0,converted,"),
            std::string::npos);
}

TEST(ReportCommand, ThePageLinksToTheFilesBesideEachMessageFile) {
  // MENU01 has its converted program, a front end and one member copy beside it; BILL has none
  // of them. The message file names the front end by its program name, which the file name
  // gives in capitals and without extension. The page goes to another folder, so the links to
  // the application lead back up, and those to the views stay beside the page.
  TempFolder folder;
  fs::create_directories(folder.path() / "app" / "billing");
  folder.write("app/MENU01.msg",
               "  opening copy book sub/MENUREC.CPY at line 4\n"
               "  2 lines read in copy book\n  2 lines written in copy book\n"
               "  opening copy book GONE at line 5\n ***error*** opening copy file GONE\n" +
                   summary_report_by_row({{3, 2}}) +
                   "\n Creating new DSP4 front end prototype file - MENU01FE\n");
  folder.write("app/MENU01.new", "converted\n");
  folder.write("app/menu01fe.cbl", "front end\n");
  folder.write("app/MENU01FEX.cbl", "another program\n");
  folder.write("app/MENUREC.new", "member\n");
  folder.write("app/GONE.new", "an older copy\n");
  folder.write("app/billing/BILL.msg",
               summary_report_by_row({}) + "\n Creating new DSP4 front end prototype file - FE\n");

  Outcome result = run({"-o", folder.file("out"), folder.file("app")});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  std::string page = folder.read("out/migration-report.html");
  for (const char* link : {
           "Message file <a href=\"../app/MENU01.msg\">MENU01.msg</a>",
           "Converted program <a href=\"migration-report-files/lines/MENU01.new.html\">"
           "MENU01.new</a>",
           "Front end <a href=\"../app/menu01fe.cbl\">menu01fe.cbl</a>",
           "<span class=\"member\">sub/MENUREC.CPY</span> converted: "
           "<a href=\"migration-report-files/lines/MENUREC.new.html\">MENUREC.new</a>",
           "<span class=\"member\">GONE</span> not found</li>",
           "<p class=\"files\">Message file <a href=\"../app/billing/BILL.msg\">BILL.msg</a></p>",
       }) {
    SCOPED_TRACE(link);
    EXPECT_NE(page.find(link), std::string::npos);
  }
  EXPECT_EQ(page.find("GONE.new"), std::string::npos);  // a member not converted has no copy
  EXPECT_EQ(page.find("billing/FE"), std::string::npos);
  EXPECT_EQ(files_below(folder.path() / "out" / "migration-report-files"),
            (std::vector<std::string>{"lines/MENU01.new.html", "lines/MENUREC.new.html"}));
}

TEST(ReportCommand, TheReportsAreWrittenAllTogetherOrNotAtAll) {
  // An output in the way (a FIFO, a folder in a view's place) refuses the whole report before
  // anything is replaced, and leaves no temporary file.
  const struct {
    const char* why;
    const char* in_the_way;
    bool fifo;
    std::string err;
  } cases[] = {
      {"the CSV file is a FIFO, never written through", "migration-report.csv", true,
       "/migration-report.csv: not a regular file - no report written\n"},
      {"a view's place is a folder", "migration-report-files/lines/P.new.html", false,
       "/migration-report-files/lines/P.new.html: not a regular file - no report written\n"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.why);
    TempFolder folder;
    folder.write("P.msg", summary_report_by_row({}));
    folder.write("P.new", "converted\n");
    folder.write("migration-report.html", "the earlier page\n");
    fs::create_directories(folder.path() / "migration-report-files" / "lines");
    if (row.fifo)
      ASSERT_EQ(mkfifo(folder.file(row.in_the_way).c_str(), 0600), 0);
    else
      fs::create_directories(folder.path() / row.in_the_way);
    std::vector<std::string> before = files_below(folder.path());
    Outcome result = run({folder.file("")});
    EXPECT_EQ(result.exit_code, 100);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "quillox-report: " + folder.path().string() + row.err);
    EXPECT_EQ(folder.read("migration-report.html"), "the earlier page\n");
    EXPECT_EQ(files_below(folder.path()), before);
  }
}

TEST(ReportCommand, AReportNamedByALinkIsWrittenWhereTheLinkLeadsAndKeepsItsMode) {
  // The page is a link to a file the team keeps elsewhere, the CSV file one they made read-only
  // for the group: the link stays a link, its target gets the page, and the CSV keeps its mode.
  TempFolder folder;
  fs::create_directories(folder.path() / "app");
  fs::create_directories(folder.path() / "kept");
  folder.write("app/P.msg", summary_report_by_row({}));
  folder.write("kept/page.html", "the earlier page\n");
  fs::create_symlink("../kept/page.html", folder.path() / "app" / "migration-report.html");
  folder.write("app/migration-report.csv", "the earlier table\n");
  ASSERT_EQ(chmod(folder.file("app/migration-report.csv").c_str(), 0640), 0);
  Outcome result = run({folder.file("app")});
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_TRUE(fs::is_symlink(folder.path() / "app" / "migration-report.html"));
  EXPECT_NE(folder.read("kept/page.html").find("<h1>Migration report</h1>"), std::string::npos);
  struct stat status;
  ASSERT_EQ(::stat(folder.file("app/migration-report.csv").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  EXPECT_EQ(folder.read("app/migration-report.csv").substr(0, 8), "program,");
}

TEST(ReportCommand, ALargeApplicationGetsAPageForEachProgram) {
  TempFolder folder;
  const std::size_t count = kInlineDetailsLimit + 1;
  for (std::size_t i = 0; i < count; ++i)
    folder.write("P" + std::to_string(1000 + i) + ".msg",
                 "line 0007 - EXEC ZARN XCTL to program 'P1000' found\n" +
                     summary_report_by_row({{5, 1}, {7, 1}}));
  Outcome result = run({folder.file("")});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  std::string page = folder.read("migration-report.html");
  EXPECT_EQ(page.find("<section class=\"program\""), std::string::npos);
  EXPECT_NE(page.find("<td><a href=\"migration-report-files/programs/P1000.html\">P1000</a></td>"),
            std::string::npos);
  std::string own = folder.read("migration-report-files/programs/P1300.html");
  EXPECT_NE(own.find("<section class=\"program\" id=\"program-P1300\">"), std::string::npos);
  EXPECT_NE(own.find("<li>XCTL to &#39;P1000&#39;: <a href=\"../../migration-report-files/"
                     "programs/P1000.html\">P1000</a></li>"),
            std::string::npos);
  // Every program transfers to P1000, which heads the table of transfers.
  EXPECT_NE(page.find("<tr><td class=\"name\"><a href=\"migration-report-files/programs/"
                      "P1000.html\">P1000</a></td><td>" +
                      std::to_string(count) + "</td>"),
            std::string::npos);
}

}  // namespace
}  // namespace report
