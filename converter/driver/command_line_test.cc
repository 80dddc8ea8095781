// Tests of the command line: program names from paths, file naming, warnings and exit codes.
#include "converter/driver/command_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "converter/driver/conversion_run.h"
#include "tests/support/summary_report.h"
#include "tests/support/test_files.h"

namespace converter {
namespace {

using test_support::TempFolder;
using test_support::WorkingFolder;

const char kUsageText[] =
    "\n"
    "   TANVERO V1.2\n"
    "\n"
    "   Command usage is:\n"
    "\n"
    "     QUILLOX cobol-file-name <new-file-name> <new-front-end-name>\n"
    "\n"
    "The cobol file name is assumed to have a file extension of ZSC.\n"
    "If not new file name is given, the converted program wil have\n"
    "a file extension of NEW.\n"
    "If the new front end name parameter is specified, then a\n"
    "new skeleton DSP4 front end program will be built.";

const char kSameName[] = "Old and new names are the same - ignoring new name";
const char kSameFrontEnd[] = "Old and new names are the same - ignoring new front end name";

// Files in the folder, sorted, for telling what a start-up created.
TEST(CommandLine, NameFromPath) {
  struct Row {
    std::string path;
    std::string expected;
  } rows[] = {
      {"PROG", "PROG"},
      {"newprog.cbl", "NEWPROG"},
      {"c:\\work\\newprog.cbl", "NEWPROG"},
      {"work/sub/newprog.cbl", "NEWPROG"},
      {"a\\b/c.x", "C"},
      {"a/b\\c.x", "C"},
      {"v1.2/prog", "PROG"},
      {"Mixed-Case_9", "MIXED-CASE_9"},
      {"\xE9t\xE9", "\xE9T\xE9"},
      {"out\\", ""},
      {"out/", ""},
      {".new", ""},
      {"", ""},
      // 29 characters stay whole; a 30th is cut.
      {"abcdefghijklmnopqrstuvwxyz123", "ABCDEFGHIJKLMNOPQRSTUVWXYZ123"},
      {"abcdefghijklmnopqrstuvwxyz1234", "ABCDEFGHIJKLMNOPQRSTUVWXYZ123"},
      {"dir\\abcdefghijklmnopqrstuvwxyz1234567890.cbl", "ABCDEFGHIJKLMNOPQRSTUVWXYZ123"},
      // A period among the first 29 characters cuts; one at the 30th place is cut off anyway.
      {"abcdefghijklmnopqrstuvwxyz12.cbl", "ABCDEFGHIJKLMNOPQRSTUVWXYZ12"},
      {"abcdefghijklmnopqrstuvwxyz123.cbl", "ABCDEFGHIJKLMNOPQRSTUVWXYZ123"},
      {"ab.cd.ef", "AB"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    EXPECT_EQ(name_from_path(row.path), row.expected);
  }
}

TEST(CommandLine, UsageForNoArgumentOrAQuestionMark) {
  std::vector<std::vector<std::string>> calls = {
      {}, {"?"}, {"/?"}, {"-?"}, {"x?"}, {"?PROG", "NEW", "FE"}, {"-?", "PROG.zsc"}};
  for (const auto& arguments : calls) {
    SCOPED_TRACE(arguments.empty() ? std::string("(none)") : arguments[0]);
    TempFolder folder;
    folder.write("PROG.zsc", "       IDENTIFICATION DIVISION.\n");
    WorkingFolder inside(folder.path());
    ConversionRun run;
    testing::internal::CaptureStdout();
    StartUp result = start_run(run, arguments);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), kUsageText);
    EXPECT_EQ(result, StartUp::kUsage);
    EXPECT_EQ(folder.listing(), std::vector<std::string>{"PROG.zsc"});
  }
}

// Options stand before the file names: -I folders in the order given, "--" ends them, and an
// argument that begins with "-" and is no option is refused with the usage text.
TEST(CommandLine, OptionsBeforeTheFileNames) {
  struct Case {
    const char* why;
    std::vector<std::string> arguments;
    StartUp result;
    std::vector<std::string> folders;
    std::string input;  // the program read, when the run starts
    std::string errors;
  } rows[] = {
      {"no option", {"PROG"}, StartUp::kRun, {}, "PROG.zsc", ""},
      {"-I with its folder apart and attached, in order",
       {"-I", "cpy", "-I/abs/lib", "-Icpy", "PROG"},
       StartUp::kRun,
       {"cpy", "/abs/lib", "cpy"},
       "PROG.zsc",
       ""},
      {"-- ends the options", {"-Icpy", "--", "PROG"}, StartUp::kRun, {"cpy"}, "PROG.zsc", ""},
      {"a folder named like an option after -I",
       {"-I", "-x", "PROG"},
       StartUp::kRun,
       {"-x"},
       "PROG.zsc",
       ""},
      {"-? after the options still asks for the usage",
       {"-Icpy", "-?"},
       StartUp::kUsage,
       {"cpy"},
       "",
       ""},
      {"options alone leave no file name", {"-Icpy"}, StartUp::kUsage, {"cpy"}, "", ""},
      {"-I without its folder",
       {"-I"},
       StartUp::kUsage,
       {},
       "",
       "QUILLOX: option -I needs a folder\n"},
      {"an unknown option",
       {"-x", "PROG"},
       StartUp::kUsage,
       {},
       "",
       "QUILLOX: unknown option -x\n"},
      {"a lone hyphen is no file name",
       {"-", "PROG"},
       StartUp::kUsage,
       {},
       "",
       "QUILLOX: unknown option -\n"},
  };
  for (const Case& row : rows) {
    SCOPED_TRACE(row.why);
    TempFolder folder;
    folder.write("PROG.zsc", "       IDENTIFICATION DIVISION.\n");
    WorkingFolder inside(folder.path());
    ConversionRun run;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    StartUp result = start_run(run, row.arguments);
    std::string shown = testing::internal::GetCapturedStdout();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), row.errors);
    EXPECT_EQ(result, row.result);
    EXPECT_EQ(run.include_folders, row.folders);
    if (row.result == StartUp::kRun) {
      EXPECT_EQ(run.input_file_name, row.input);
      EXPECT_EQ(shown, "");
    } else {
      EXPECT_EQ(shown, kUsageText);
    }
  }
}

TEST(CommandLine, QuestionMarkLaterThanTheSecondCharacterIsAName) {
  TempFolder folder;
  WorkingFolder inside(folder.path());
  ConversionRun run;
  testing::internal::CaptureStdout();
  EXPECT_EQ(start_run(run, {"ab?"}), StartUp::kFileError);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(run.input_file_name, "ab?.zsc");
}

// One start-up over a folder holding PROG.zsc (and whatever else the row needs).
struct NamingRow {
  const char* why;
  std::vector<std::string> arguments;
  std::string stdout_text;
  std::string input;
  std::string output;
  std::string message;
  std::string new_program_name;
  std::string front_end_file;
  std::string front_end_name;
};

TEST(CommandLine, FileNamesAndWarnings) {
  // clang-format off
  std::vector<NamingRow> rows = {
      {"base name alone", {"PROG"}, "", "PROG.zsc", "PROG.new", "PROG.msg", "", "", ""},
      {"base name with extension", {"PROG.zsc"}, "", "PROG.zsc", "PROG.new", "PROG.msg", "", "", ""},
      {"cut at the first period", {"PROG.old.zsc"}, "", "PROG.zsc", "PROG.new", "PROG.msg", "", "", ""},
      {"second argument names the converted program",
       {"PROG", "newprog.cbl"}, "", "PROG.zsc", "newprog.cbl", "PROG.msg", "NEWPROG", "", ""},
      {"second argument equal to the first", {"PROG", "PROG"}, kSameName,
       "PROG.zsc", "PROG.new", "PROG.msg", "", "", ""},
      {"second argument differs from the first only in case",
       {"PROG", "prog"}, "", "PROG.zsc", "prog", "PROG.msg", "PROG", "", ""},
      {"second argument is the program to convert", {"PROG", "PROG.zsc"}, kSameName,
       "PROG.zsc", "PROG.new", "PROG.msg", "", "", ""},
      {"second argument is the program by another path", {"PROG", "./PROG.zsc"}, kSameName,
       "PROG.zsc", "PROG.new", "PROG.msg", "", "", ""},
      {"second argument is the message file", {"PROG", "PROG.msg"}, kSameName,
       "PROG.zsc", "PROG.new", "PROG.msg", "", "", ""},
      {"second argument is the message file by another path", {"PROG", "./PROG.msg"}, kSameName,
       "PROG.zsc", "PROG.new", "PROG.msg", "", "", ""},
      {"second argument with an empty name part", {"PROG", "out\\"}, "",
       "PROG.zsc", "out\\", "PROG.msg", "", "", ""},
      {"second argument that is only an extension", {"PROG", ".new"}, "",
       "PROG.zsc", ".new", "PROG.msg", "", "", ""},
      {"third argument names the front end", {"PROG", "newprog.cbl", "front.cbl"}, "",
       "PROG.zsc", "newprog.cbl", "PROG.msg", "NEWPROG", "front.cbl", "FRONT"},
      {"third argument equal to the first", {"PROG", "newprog.cbl", "PROG"}, kSameFrontEnd,
       "PROG.zsc", "newprog.cbl", "PROG.msg", "NEWPROG", "", ""},
      {"both equal to the first: two warnings on one line", {"PROG", "PROG", "PROG"},
       std::string(kSameName) + kSameFrontEnd, "PROG.zsc", "PROG.new", "PROG.msg", "", "", ""},
      {"third argument is the converted program", {"PROG", "newprog.cbl", "newprog.cbl"},
       kSameFrontEnd, "PROG.zsc", "newprog.cbl", "PROG.msg", "NEWPROG", "", ""},
      {"third argument is the default converted program", {"PROG", "PROG", "PROG.new"},
       std::string(kSameName) + kSameFrontEnd, "PROG.zsc", "PROG.new", "PROG.msg", "", "", ""},
      {"third argument is the program to convert", {"PROG", "new.cbl", "PROG.zsc"}, kSameFrontEnd,
       "PROG.zsc", "new.cbl", "PROG.msg", "NEW", "", ""},
      {"third argument is the message file", {"PROG", "new.cbl", "./PROG.msg"}, kSameFrontEnd,
       "PROG.zsc", "new.cbl", "PROG.msg", "NEW", "", ""},
      {"third argument is the template", {"PROG", "new.cbl", "NEWDSP4.TXT"}, kSameFrontEnd,
       "PROG.zsc", "new.cbl", "PROG.msg", "NEW", "", ""},
      {"arguments after the third are ignored", {"PROG", "new.cbl", "fe.cbl", "PROG", "x"}, "",
       "PROG.zsc", "new.cbl", "PROG.msg", "NEW", "fe.cbl", "FE"},
  };
  // clang-format on
  for (const NamingRow& row : rows) {
    SCOPED_TRACE(row.why);
    TempFolder folder;
    folder.write("PROG.zsc", "       IDENTIFICATION DIVISION.\n");
    WorkingFolder inside(folder.path());
    ConversionRun run;
    testing::internal::CaptureStdout();
    StartUp result = start_run(run, row.arguments);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), row.stdout_text);
    ASSERT_EQ(result, StartUp::kRun);
    EXPECT_EQ(run.input_file_name, row.input);
    EXPECT_EQ(run.output_file_name, row.output);
    EXPECT_EQ(run.message_file_name, row.message);
    EXPECT_EQ(run.new_program_name, row.new_program_name);
    EXPECT_EQ(run.rename_pending, !row.new_program_name.empty());
    EXPECT_EQ(run.front_end_file_name, row.front_end_file);
    EXPECT_EQ(run.front_end_name, row.front_end_name);
    EXPECT_EQ(run.first_argument, row.arguments[0]);
    // Both are open, under temporary names: neither takes its name before the run ends.
    ASSERT_TRUE(run.output_file && run.message_file);
    EXPECT_EQ(run.output_file->name(), row.output);
    EXPECT_EQ(run.message_file->name(), row.message);
    EXPECT_FALSE(folder.exists(row.output));
    EXPECT_FALSE(folder.exists(row.message));
    EXPECT_EQ(folder.read("PROG.zsc"), "       IDENTIFICATION DIVISION.\n");
  }
}

TEST(CommandLine, TemplateBesideTheProgramIsNoFrontEndName) {
  TempFolder folder;
  std::filesystem::create_directory(folder.path() / "src");
  folder.write("src/PROG.zsc", "       IDENTIFICATION DIVISION.\n");
  WorkingFolder inside(folder.path());
  ConversionRun run;
  testing::internal::CaptureStdout();
  ASSERT_EQ(start_run(run, {"src/PROG", "src/new.cbl", "src/NEWDSP4.TXT"}), StartUp::kRun);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), kSameFrontEnd);
  EXPECT_EQ(run.front_end_file_name, "");
  EXPECT_EQ(run.front_end_name, "");
  EXPECT_EQ(run.output_file_name, "src/new.cbl");
  EXPECT_EQ(run.message_file_name, "src/PROG.msg");
}

// The base name is cut at the first period of the argument's last part: folders keep their
// periods.
TEST(CommandLine, BaseNameFromTheLastPart) {
  struct Row {
    const char* argument;
    const char* base;
  } rows[] = {
      {"PROG", "PROG"},
      {"PROG.zsc", "PROG"},
      {"v1.2/PROG", "v1.2/PROG"},
      {"../src/PAYROLL", "../src/PAYROLL"},
      {"../src/PAYROLL.zsc", "../src/PAYROLL"},
      {"./lib/CUST.CPY", "./lib/CUST"},
      {"c:\\app.v1\\PROG.ZSC", "c:\\app.v1\\PROG"},
      {"dir/.hidden", "dir/"},
      {"a.b.c", "a"},
      {"dir/", "dir/"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.argument);
    EXPECT_EQ(base_name(row.argument), row.base);
  }
}

// A program named with a path is read and written in its folder, and its members are looked
// for there too; PROG.ZSC is read when there is no PROG.zsc.
TEST(CommandLine, ProgramInAnotherFolderAndInCapitals) {
  TempFolder folder;
  std::filesystem::create_directory(folder.path() / "v1.2");
  std::filesystem::create_directory(folder.path() / "work");
  folder.write("v1.2/PROG.zsc", "       IDENTIFICATION DIVISION.\n");
  folder.write("v1.zsc", "       PROGRAM-ID. OTHER.\n");
  folder.write("UPPER.ZSC", "       PROGRAM-ID. UPPER.\n");
  folder.write("BOTH.zsc", "       PROGRAM-ID. LOWER.\n");
  folder.write("BOTH.ZSC", "       PROGRAM-ID. UPPER.\n");
  WorkingFolder inside(folder.path() / "work");
  struct Row {
    const char* argument;
    const char* input;
    const char* output;
    const char* folder;
  } rows[] = {
      {"../v1.2/PROG", "../v1.2/PROG.zsc", "../v1.2/PROG.new", "../v1.2/"},
      {"../UPPER", "../UPPER.ZSC", "../UPPER.new", "../"},
      {"../BOTH.zsc", "../BOTH.zsc", "../BOTH.new", "../"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.argument);
    ConversionRun run;
    ASSERT_EQ(start_run(run, {row.argument}), StartUp::kRun);
    EXPECT_EQ(run.input_file_name, row.input);
    EXPECT_EQ(run.output_file_name, row.output);
    EXPECT_EQ(run.program_folder, row.folder);
    ASSERT_TRUE(run.output_file && run.message_file);
    EXPECT_EQ(run.message_file->name(),
              std::string(row.output, std::strlen(row.output) - 4) + ".msg");
  }
}

// The template is named with --template FILE, --template=FILE, -T FILE or -TFILE; a third
// argument naming it is no front-end name.
TEST(CommandLine, TemplateOption) {
  TempFolder folder;
  folder.write("PROG.zsc", "       IDENTIFICATION DIVISION.\n");
  WorkingFolder inside(folder.path());
  for (std::vector<std::string> options : std::vector<std::vector<std::string>>{
           {"--template", "T.TXT"}, {"--template=T.TXT"}, {"-T", "T.TXT"}, {"-TT.TXT"}}) {
    SCOPED_TRACE(options[0]);
    ConversionRun run;
    options.insert(options.end(), {"PROG", "NEW.cbl", "./T.TXT"});
    testing::internal::CaptureStdout();
    ASSERT_EQ(start_run(run, options), StartUp::kRun);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), kSameFrontEnd);
    EXPECT_EQ(run.template_file_name, "T.TXT");
    EXPECT_EQ(run.front_end_file_name, "");
  }
  for (std::vector<std::string> options :
       std::vector<std::vector<std::string>>{{"-T"}, {"--template"}, {"--template="}}) {
    SCOPED_TRACE(options[0]);
    ConversionRun run;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(start_run(run, options), StartUp::kUsage);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), kUsageText);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "QUILLOX: option " + options[0] + " needs a file\n");
  }
}

TEST(CommandLine, LongNamesAreUsedWhole) {
  TempFolder folder;
  std::string directory =
      std::string(100, 'a') + "/" + std::string(100, 'b') + "/" + std::string(100, 'c');
  std::filesystem::create_directories(folder.path() / directory);
  std::string base = directory + "/PROG";
  folder.write(base + ".zsc", "       IDENTIFICATION DIVISION.\n");
  WorkingFolder inside(folder.path());
  ConversionRun run;
  std::string output = directory + "/" + std::string(200, 'n') + ".cbl";
  ASSERT_EQ(start_run(run, {base, output}), StartUp::kRun);
  EXPECT_EQ(run.input_file_name, base + ".zsc");
  EXPECT_EQ(run.output_file_name, output);
  EXPECT_EQ(run.new_program_name, std::string(29, 'N'));
  ASSERT_TRUE(run.output_file && run.message_file);
  EXPECT_EQ(run.output_file->name(), output);
  EXPECT_EQ(run.message_file->name(), base + ".msg");
}

// A main file that cannot be opened ends the start-up with the reason on standard error, and
// leaves nothing behind: an output opened before it is given up.
TEST(CommandLine, FilesThatCannotBeOpened) {
  struct Case {
    const char* why;
    std::vector<std::string> arguments;
    bool program_exists;
    const char* directory;  // made as a folder before the start-up, or nullptr
    std::vector<std::string> expected_listing;
    const char* errors;
  } rows[] = {
      {"missing program",
       {"PROG"},
       false,
       nullptr,
       {},
       "QUILLOX: cannot open PROG.zsc: No such file or directory\n"},
      {"program is a folder",
       {"PROG"},
       false,
       "PROG.zsc",
       {"PROG.zsc"},
       "QUILLOX: cannot open PROG.zsc: Is a directory\n"},
      {"converted program is a folder",
       {"PROG", "out"},
       true,
       "out",
       {"PROG.zsc", "out"},
       "QUILLOX: cannot open out: Is a directory\n"},
      {"converted program in a missing folder",
       {"PROG", "missing/new.cbl"},
       true,
       nullptr,
       {"PROG.zsc"},
       "QUILLOX: cannot open missing/new.cbl: No such file or directory\n"},
      {"message file is a folder: refused before anything is created",
       {"PROG"},
       true,
       "PROG.msg",
       {"PROG.msg", "PROG.zsc"},
       "QUILLOX: cannot open PROG.msg: Is a directory\n"},
      {"front end is a folder",
       {"PROG", "new.cbl", "fe"},
       true,
       "fe",
       {"PROG.zsc", "fe"},
       "QUILLOX: cannot open fe: Is a directory\n"},
  };
  for (const Case& row : rows) {
    SCOPED_TRACE(row.why);
    TempFolder folder;
    if (row.program_exists) folder.write("PROG.zsc", "       IDENTIFICATION DIVISION.\n");
    if (row.directory != nullptr) std::filesystem::create_directory(folder.path() / row.directory);
    WorkingFolder inside(folder.path());
    {
      ConversionRun run;
      testing::internal::CaptureStderr();
      EXPECT_EQ(start_run(run, row.arguments), StartUp::kFileError);
      EXPECT_EQ(testing::internal::GetCapturedStderr(), row.errors);
    }
    EXPECT_EQ(folder.listing(), row.expected_listing);
  }
}

TEST(CommandLine, LinkedFileNamesNeverEmptyTheProgram) {
  const std::string program = "       IDENTIFICATION DIVISION.\n";
  struct Case {
    const char* why;
    const char* link;
    const char* target;
    std::vector<std::string> expected_listing;
    const char* errors;
  } rows[] = {
      {"converted program links to the program",
       "PROG.new",
       "PROG.zsc",
       {"PROG.new", "PROG.zsc"},
       "QUILLOX: cannot open PROG.new: it is the program to convert\n"},
      {"message file links to the program",
       "PROG.msg",
       "PROG.zsc",
       {"PROG.msg", "PROG.zsc"},
       "QUILLOX: cannot open PROG.msg: it is the program to convert\n"},
      {"message file links to the converted program",
       "PROG.msg",
       "PROG.new",
       {"PROG.msg", "PROG.new", "PROG.zsc"},
       "QUILLOX: cannot open PROG.msg: it is the converted program\n"},
  };
  for (const Case& row : rows) {
    SCOPED_TRACE(row.why);
    TempFolder folder;
    folder.write("PROG.zsc", program);
    if (std::string(row.target) == "PROG.new") folder.write("PROG.new", "OLD OUTPUT\n");
    std::filesystem::create_symlink(row.target, folder.path() / row.link);
    WorkingFolder inside(folder.path());
    testing::internal::CaptureStderr();
    EXPECT_EQ(run_converter({"PROG"}), 100);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), row.errors);
    EXPECT_EQ(folder.read("PROG.zsc"), program);
    EXPECT_EQ(folder.listing(), row.expected_listing);
    if (std::string(row.target) == "PROG.new") {
      EXPECT_EQ(folder.read("PROG.new"), "OLD OUTPUT\n");
    }
  }
}

TEST(CommandLine, ExitCodes) {
  TempFolder folder;
  folder.write("PROG.zsc", "       IDENTIFICATION DIVISION.\n");
  WorkingFolder inside(folder.path());
  testing::internal::CaptureStdout();
  EXPECT_EQ(run_converter(std::vector<std::string>{}), 1);
  EXPECT_EQ(run_converter({"-?"}), 1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), std::string(kUsageText) + kUsageText);
  testing::internal::CaptureStderr();
  EXPECT_EQ(run_converter({"MISSING"}), 100);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "QUILLOX: cannot open MISSING.zsc: No such file or directory\n");
  EXPECT_EQ(run_converter({"PROG"}), 0);
  EXPECT_EQ(folder.read("PROG.new"), test_support::pad80("       IDENTIFICATION DIVISION.") + "\n");
}

TEST(CommandLine, WriteFailureOfTheConvertedProgram) {
  TempFolder folder;
  folder.write("PROG.zsc", "       IDENTIFICATION DIVISION.\n");
  WorkingFolder inside(folder.path());
  testing::internal::CaptureStderr();
  EXPECT_EQ(run_converter({"PROG", "/dev/full"}), 100);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "QUILLOX: error writing /dev/full\n");
  // All outputs or none: the message file does not take its name either, and nothing else is
  // left in the folder.
  EXPECT_EQ(folder.listing(), std::vector<std::string>{"PROG.zsc"});
}

TEST(CommandLine, MainCommandLineSkipsTheProgramName) {
  TempFolder folder;
  WorkingFolder inside(folder.path());
  char program[] = "QUILLOX";
  char first[] = "PROG";
  char* argv[] = {program, first, nullptr};
  EXPECT_EQ(run_converter(2, argv), 100);
  char* alone[] = {program, nullptr};
  testing::internal::CaptureStdout();
  EXPECT_EQ(run_converter(1, alone), 1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), kUsageText);
}

}  // namespace
}  // namespace converter
