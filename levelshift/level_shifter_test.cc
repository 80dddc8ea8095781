// Tests of NESTLVL: the level-number raise, the streamed copy, the names and the run.
#include "levelshift/level_shifter.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/same_file_cases.h"
#include "tests/support/test_files.h"

namespace levelshift {
namespace {

using test_support::MemoryFile;
using test_support::TempFolder;

struct RaiseRow {
  std::string before;
  std::string after;
  LevelChange change;
};

struct Copied {
  std::string text;
  std::string notes;
  CopyResult result;
};

Copied copy_text(const std::string& input, std::size_t chunk_size) {
  MemoryFile in;
  in.set(input);
  MemoryFile out;
  MemoryFile notes_out;
  NoteSpool notes;
  Copied copied;
  copied.result = copy_raising_levels(in.stream(), out.stream(), notes, chunk_size);
  EXPECT_TRUE(notes.write_to(notes_out.stream()));
  copied.text = out.contents();
  copied.notes = notes_out.contents();
  return copied;
}

// A line is examined whole when its line feed is in view, and followed byte by byte when it
// arrives in pieces or has no line feed: every row is run both ways, and through the copy in
// chunks of several sizes.
void check_rows(const std::vector<RaiseRow>& rows) {
  for (const RaiseRow& row : rows) {
    SCOPED_TRACE("line \"" + row.before + "\"");
    std::string line = row.before;
    EXPECT_EQ(raise_level_number(line), row.change);
    EXPECT_EQ(line, row.after);
    if (row.before.empty() || row.before.back() != '\n') {
      line = row.before + "\n";
      EXPECT_EQ(raise_level_number(line), row.change);
      EXPECT_EQ(line, row.after + "\n");
    }
    for (std::size_t chunk_size : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{7},
                                   std::size_t{8}, std::size_t{9}, kChunkSize}) {
      SCOPED_TRACE("chunk size " + std::to_string(chunk_size));
      Copied copied = copy_text(row.before, chunk_size);
      EXPECT_EQ(copied.text, row.after);
      EXPECT_EQ(copied.notes, row.change == LevelChange::kNinetyNineKept
                                  ? "Level number 99 left unchanged at line 1\n"
                                  : "");
      EXPECT_EQ(copied.result.line_count, row.before.empty() ? 0 : 1);
    }
  }
}

constexpr LevelChange kSame = LevelChange::kUnchanged;
constexpr LevelChange kRaised = LevelChange::kRaised;
constexpr LevelChange kKept = LevelChange::kNinetyNineKept;

// ---------------------------------------------------------------------------------------------
// raise_level_number, rule by rule

TEST(LevelShifter, ShortLinesAreCopiedUnchanged) {
  check_rows({
      {"", "", kSame},
      {"\n", "\n", kSame},
      {"01", "01", kSame},
      {"010203", "010203", kSame},
      {"010203\n", "010203\n", kSame},
      {"     1\r\n", "     1\r\n", kSame},
      // Seven characters: column 8 does not exist.
      {"0102030", "0102030", kSame},
      // The pair would need columns 8 and 9; column 9 is the line end or missing.
      {"      01", "      01", kSame},
      {"       0\n", "       0\n", kSame},
      {"       0\r\n", "       0\r\n", kSame},
  });
}

TEST(LevelShifter, CommentLinesAreCopiedUnchanged) {
  check_rows({
      {"      *01 CUST-REC.", "      *01 CUST-REC.", kSame},
      {"000100*    05 CUST-NAME PIC X(20).\n", "000100*    05 CUST-NAME PIC X(20).\n", kSame},
      {"      *99\n", "      *99\n", kSame},
  });
}

TEST(LevelShifter, OtherIndicatorsAreExaminedLikeBlankButContinuationLinesStay) {
  check_rows({
      // A continuation line goes on with the line before it: a value "100." or "10." there is
      // no level number.
      {"      -01 A.", "      -01 A.", kSame},
      {"      -    10.\n", "      -    10.\n", kSame},
      {"      -    '100'.", "      -    '100'.", kSame},
      {"      /05 B.\n", "      /06 B.\n", kRaised},
      {"      D10 C.", "      D11 C.", kRaised},
      // A tab in column 7 is an indicator like any other.
      {"      \t01 D.", "      \t02 D.", kRaised},
  });
}

TEST(LevelShifter, OnlyBlanksAreSkippedFromColumnEight) {
  check_rows({
      {"       01 CUST-REC.\n", "       02 CUST-REC.\n", kRaised},
      {"           05 CUST-NAME PIC X(20).\n", "           06 CUST-NAME PIC X(20).\n", kRaised},
      {"       " + std::string(300, ' ') + "07 FAR.", "       " + std::string(300, ' ') + "08 FAR.",
       kRaised},
      // A tab stops the skip, and so does a hyphen.
      {"       \t01 A.", "       \t01 A.", kSame},
      {"        \t05 B.", "        \t05 B.", kSame},
      {"       -01", "       -01", kSame},
      {"                \n", "                \n", kSame},
  });
}

TEST(LevelShifter, TwoDigitsAreRaisedByOne) {
  check_rows({
      {"       00 A.", "       01 A.", kRaised},
      {"       01 A.", "       02 A.", kRaised},
      {"       05 A.", "       06 A.", kRaised},
      {"       09 A.", "       10 A.", kRaised},
      {"       19 A.", "       20 A.", kRaised},
      {"       48 A.", "       49 A.", kRaised},
      {"       98 A.", "       99 A.", kRaised},
      // The pair may end the line, with or without a line end, or be followed by a tab.
      {"       01", "       02", kRaised},
      {"       01\n", "       02\n", kRaised},
      {"       01\r\n", "       02\r\n", kRaised},
      {"       05\tA.", "       06\tA.", kRaised},
  });
}

TEST(LevelShifter, OnlyAPairThatEndsItsWordIsALevelNumber) {
  check_rows({
      // A value continued on its own line ends in a period; the word goes on after the digits.
      {"           10.\n", "           10.\n", kSame},
      {"           100.\n", "           100.\n", kSame},
      {"       05A", "       05A", kSame},
      {"       01-A.", "       01-A.", kSame},
      // A carriage return is part of the line end only before the line feed.
      {"       01\rA\n", "       01\rA\n", kSame},
  });
}

TEST(LevelShifter, NumbersThatKeepTheirMeaningStay) {
  check_rows({
      // Parts of a variable-length host variable, RENAMES, level-77 items, condition names.
      {"       49 A-LEN PIC S9(4) COMP.", "       49 A-LEN PIC S9(4) COMP.", kSame},
      {"       66 A RENAMES B.", "       66 A RENAMES B.", kSame},
      {"       77 A PIC 9.", "       77 A PIC 9.", kSame},
      {"           88 A VALUE 'Y'.\n", "           88 A VALUE 'Y'.\n", kSame},
      {"       88\r\n", "       88\r\n", kSame},
  });
}

TEST(LevelShifter, AWordOfThreeDigitsOrMoreStays) {
  check_rows({
      {"       123 A.", "       123 A.", kSame},
      {"       190 A.", "       190 A.", kSame},
      {"       0999", "       0999", kSame},
  });
}

TEST(LevelShifter, WordsThatDoNotStartWithTwoDigitsStay) {
  check_rows({
      {"       1 CUST-REC.", "       1 CUST-REC.", kSame},
      {"           5 CUST-NAME.\n", "           5 CUST-NAME.\n", kSame},
      {"       1", "       1", kSame},
      {"       1\n", "       1\n", kSame},
      {"               PIC 99.", "               PIC 99.", kSame},
      {"               VALUE 10.", "               VALUE 10.", kSame},
      {"       CUST-NAME 01.", "       CUST-NAME 01.", kSame},
      {"       A01", "       A01", kSame},
      {"       0A1", "       0A1", kSame},
  });
}

TEST(LevelShifter, NinetyNineIsKept) {
  check_rows({
      {"       99 A.", "       99 A.", kKept},
      {"       995\n", "       995\n", kSame},
      {"       99\n", "       99\n", kKept},
      {"000100     99 B.    123456\r\n", "000100     99 B.    123456\r\n", kKept},
  });
}

TEST(LevelShifter, SequenceAreaAndTheRestOfTheLineStay) {
  check_rows({
      {"123456 05 CUST-REC. 05 NEXT 01.", "123456 06 CUST-REC. 05 NEXT 01.", kRaised},
      {"000100 01 CUST-REC.                                                     CUST0001\n",
       "000100 02 CUST-REC.                                                     CUST0001\n",
       kRaised},
      {"000200     05  CUST-NAME   PIC X(20).   \r\n",
       "000200     06  CUST-NAME   PIC X(20).   \r\n", kRaised},
  });
}

// ---------------------------------------------------------------------------------------------
// The streamed copy

TEST(LevelShifter, CopyIsTheSameForEveryChunkSize) {
  const std::string input =
      "000100 01 CUST-REC.\r\n"
      "000200*    05 OLD-NAME PIC X(20).\r\n"
      "000300     05 CUST-NAME PIC X(20).\r\n"
      "\r\n"
      "       09 CUST-ADDR.\n"
      "           99 ODD-ONE.\n"
      "\n"
      "           10 CUST-STREET PIC X(30) VALUE 12.\n"
      "     1\n"
      "                                                     49 FAR-RIGHT.\n"
      "       66 CUST-ALL RENAMES CUST-NAME THRU CUST-ADDR.\n"
      "           88 CUST-OK VALUE 99\n"
      "      -    10.\r\n"
      "       07";
  // 49, 66 and 88 keep their numbers, the continued value stays, the pair that ends the text is
  // raised.
  const std::string expected =
      "000100 02 CUST-REC.\r\n"
      "000200*    05 OLD-NAME PIC X(20).\r\n"
      "000300     06 CUST-NAME PIC X(20).\r\n"
      "\r\n"
      "       10 CUST-ADDR.\n"
      "           99 ODD-ONE.\n"
      "\n"
      "           11 CUST-STREET PIC X(30) VALUE 12.\n"
      "     1\n"
      "                                                     49 FAR-RIGHT.\n"
      "       66 CUST-ALL RENAMES CUST-NAME THRU CUST-ADDR.\n"
      "           88 CUST-OK VALUE 99\n"
      "      -    10.\r\n"
      "       08";
  for (std::size_t chunk_size :
       {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{7}, std::size_t{8},
        std::size_t{9}, std::size_t{10}, std::size_t{13}, std::size_t{64}, kChunkSize}) {
    SCOPED_TRACE("chunk size " + std::to_string(chunk_size));
    Copied copied = copy_text(input, chunk_size);
    EXPECT_EQ(copied.text, expected);
    EXPECT_EQ(copied.notes, "Level number 99 left unchanged at line 6\n");
    EXPECT_EQ(copied.result.line_count, 14);
    EXPECT_FALSE(copied.result.read_failed);
    EXPECT_FALSE(copied.result.write_failed);
  }
}

TEST(LevelShifter, EachLineIsCountedOnceWhateverItsLength) {
  const std::string column80 =
      "000100 01 CUST-REC.                                                     CUST0001";
  ASSERT_EQ(column80.size(), 80u);
  struct Row {
    std::string input;
    long long lines;
  };
  const std::vector<Row> rows = {
      {"", 0},
      {"\n", 1},
      {"\n\n\n", 3},
      {"A", 1},
      {"A\nB", 2},
      {"\r\n", 1},
      {"\r", 1},
      {column80 + "\n", 1},
      {column80 + "\n" + column80 + "\n", 2},
      {column80, 1},
      {std::string(5000, 'X') + "\n" + std::string(254, 'Y') + "\n", 2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("input of " + std::to_string(row.input.size()) + " bytes");
    for (std::size_t chunk_size : {std::size_t{1}, std::size_t{79}, kChunkSize}) {
      Copied copied = copy_text(row.input, chunk_size);
      EXPECT_EQ(copied.result.line_count, row.lines);
    }
  }
}

TEST(LevelShifter, MegabyteLineWithoutLineEndIsStreamed) {
  // The level number stands after a megabyte of blanks, across many chunks, and is the last
  // thing in the file: its second digit arrives in the very last byte.
  const std::string blanks(1024 * 1024, ' ');
  const std::string input = "000100 " + blanks + "05";
  const std::string expected = "000100 " + blanks + "06";
  for (std::size_t chunk_size : {std::size_t{4096}, kChunkSize}) {
    SCOPED_TRACE("chunk size " + std::to_string(chunk_size));
    Copied copied = copy_text(input, chunk_size);
    EXPECT_EQ(copied.text, expected);
    EXPECT_EQ(copied.result.line_count, 1);
  }
}

TEST(LevelShifter, DigitHeldAtTheEndOfTheFileIsWrittenUnchanged) {
  for (std::size_t chunk_size : {std::size_t{1}, std::size_t{8}, kChunkSize}) {
    SCOPED_TRACE("chunk size " + std::to_string(chunk_size));
    Copied copied = copy_text("       01\n       5", chunk_size);
    EXPECT_EQ(copied.text, "       02\n       5");
    EXPECT_EQ(copied.result.line_count, 2);
  }
}

TEST(LevelShifter, ManyNinetyNinesAreAllNotedInOrder) {
  // Enough notes to pass the memory limit several times, so that most go through the
  // temporary file.
  const int lines = 20000;
  std::string input;
  std::string expected_notes;
  for (int line = 1; line <= lines; ++line) {
    input += line % 2 == 0 ? "       99 EVEN.\n" : "       01 ODD.\n";
    if (line % 2 == 0)
      expected_notes += "Level number 99 left unchanged at line " + std::to_string(line) + "\n";
  }
  ASSERT_GT(expected_notes.size(), 2 * kNoteMemoryLimit);
  Copied copied = copy_text(input, kChunkSize);
  EXPECT_EQ(copied.notes, expected_notes);
  EXPECT_EQ(copied.result.line_count, lines);
}

TEST(LevelShifter, ReadErrorEndsTheCopy) {
  TempFolder folder;
  std::FILE* write_only = std::fopen(folder.file("CUST.CPY").c_str(), "wb");
  ASSERT_NE(write_only, nullptr);
  MemoryFile out;
  NoteSpool notes;
  CopyResult result = copy_raising_levels(write_only, out.stream(), notes);
  std::fclose(write_only);
  EXPECT_TRUE(result.read_failed);
  EXPECT_FALSE(result.write_failed);
  EXPECT_EQ(result.line_count, 0);
  EXPECT_EQ(out.contents(), "");
}

TEST(LevelShifter, WriteErrorIsRemembered) {
  std::FILE* full = std::fopen("/dev/full", "wb");
  if (full == nullptr) GTEST_SKIP() << "no /dev/full here";
  std::setvbuf(full, nullptr, _IONBF, 0);
  MemoryFile in;
  in.set("       01 A.\n       05 B.\n");
  NoteSpool notes;
  CopyResult result = copy_raising_levels(in.stream(), full, notes);
  std::fclose(full);
  EXPECT_TRUE(result.write_failed);
  EXPECT_FALSE(result.read_failed);
  // The copy still reads to the end, so the counts are complete.
  EXPECT_EQ(result.line_count, 2);
}

// ---------------------------------------------------------------------------------------------
// File names

// The base name is the first argument cut at the first period of its last part.
TEST(LevelShifter, FileNamesComeFromTheLastPart) {
  struct Row {
    std::vector<std::string> arguments;
    std::string output;
    std::string message;
  };
  const std::string long_name(1000, 'C');
  const std::vector<Row> rows = {
      {{"CUST.CPY"}, "CUST.new", "CUST.msg"},
      {{"CUST.CPY", "OUT.TXT"}, "OUT.TXT", "CUST.msg"},
      {{"CUST.CPY", "OUT.TXT", "MORE.TXT"}, "OUT.TXT", "CUST.msg"},
      {{"CUST"}, "CUST.new", "CUST.msg"},
      {{"CUST.OLD.CPY"}, "CUST.new", "CUST.msg"},
      {{"copy.lib/CUST.CPY"}, "copy.lib/CUST.new", "copy.lib/CUST.msg"},
      {{"../lib/CUST.CPY"}, "../lib/CUST.new", "../lib/CUST.msg"},
      {{"./lib/CUST.CPY"}, "./lib/CUST.new", "./lib/CUST.msg"},
      {{"./CUST.CPY", "out/CUST.CPY"}, "out/CUST.CPY", "./CUST.msg"},
      {{"c:\\v1.2\\CUST.CPY"}, "c:\\v1.2\\CUST.new", "c:\\v1.2\\CUST.msg"},
      {{"lib/.CPY"}, "lib/.new", "lib/.msg"},
      {{"lib/CUST.CPY"}, "lib/CUST.new", "lib/CUST.msg"},
      {{long_name}, long_name + ".new", long_name + ".msg"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("first argument " + row.arguments[0]);
    FileNames names = form_file_names(row.arguments);
    EXPECT_EQ(names.input, row.arguments[0]);
    EXPECT_EQ(names.output, row.output);
    EXPECT_EQ(names.message, row.message);
  }
}

TEST(LevelShifter, SameFileFollowsPathsAndLinks) {
  TempFolder folder;
  for (const test_support::SameFileCase& row : test_support::same_file_cases(folder)) {
    SCOPED_TRACE(row.a + " and " + row.b);
    EXPECT_EQ(same_file(row.a, row.b), row.same);
    EXPECT_EQ(same_file(row.b, row.a), row.same);
  }
}

// ---------------------------------------------------------------------------------------------
// The run, in-process

struct RunOutcome {
  int code;
  std::string console;
  std::string errors;
};

RunOutcome run_with(const std::vector<std::string>& arguments) {
  MemoryFile console;
  MemoryFile errors;
  RunOutcome run;
  run.code = run_level_shifter(arguments, console.stream(), errors.stream());
  run.console = console.contents();
  run.errors = errors.contents();
  return run;
}

// The tests below name their files by absolute path; a period in the folder's path would
// move the base name.
bool usable(const TempFolder& folder) {
  return folder.path().string().find('.') == std::string::npos;
}

TEST(LevelShifter, NoArgumentPrintsTheUsageText) {
  RunOutcome run = run_with({});
  EXPECT_EQ(run.code, kExitUsage);
  EXPECT_EQ(run.console,
            "\n"
            "   Command usage is:\n"
            "\n"
            "     NESTLVL input-file <output-file>\n"
            "\n"
            " If no output file name is specified, the converted program\n"
            "will have a file extension of .NEW appended automatically.\n");
  EXPECT_EQ(run.errors, "");
}

TEST(LevelShifter, RunWritesTheCopyAndTheMessageFile) {
  TempFolder folder;
  if (!usable(folder)) GTEST_SKIP() << "temporary folder path holds a period";
  folder.write("CUST.CPY",
               "       01 CUST-REC.\n           99 ODD.\n           05 CUST-NAME PIC X.\n");
  RunOutcome run = run_with({folder.file("CUST.CPY")});
  EXPECT_EQ(run.code, kExitDone);
  EXPECT_EQ(run.console, "");
  EXPECT_EQ(run.errors, "");
  EXPECT_EQ(folder.read("CUST.new"),
            "       02 CUST-REC.\n           99 ODD.\n           06 CUST-NAME PIC X.\n");
  EXPECT_EQ(folder.read("CUST.msg"),
            "\n"
            "Input lines read     3\n"
            "Output lines written     3\n"
            "Level number 99 left unchanged at line 2\n");
}

// A failed output replaces no output: the old copy stays as it was, and no temporary file is left.
TEST(LevelShifter, MessageFileWriteErrorReplacesNothing) {
  TempFolder folder;
  if (!usable(folder)) GTEST_SKIP() << "temporary folder path holds a period";
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  folder.write("CUST.CPY", "       01 CUST-REC.\n");
  folder.write("CUST.new", "OLD COPY\n");
  std::filesystem::create_symlink("/dev/full", folder.file("CUST.msg"));
  RunOutcome run = run_with({folder.file("CUST.CPY")});
  EXPECT_EQ(run.code, kExitFileError);
  EXPECT_EQ(run.errors, "NESTLVL: error writing " + folder.file("CUST.msg") + "\n");
  EXPECT_EQ(folder.read("CUST.new"), "OLD COPY\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()),
            3);
}

// A main file that cannot be opened is named with the reason; an output name that is a folder
// is refused before anything is written, an old copy left as it was.
TEST(LevelShifter, FilesThatCannotBeOpenedSayWhy) {
  TempFolder folder;
  if (!usable(folder)) GTEST_SKIP() << "temporary folder path holds a period";
  folder.write("CUST.CPY", "       01 CUST-REC.\n");
  folder.write("CUST.new", "OLD COPY\n");
  std::filesystem::create_directory(folder.file("CUST.msg"));
  std::filesystem::create_directory(folder.file("LIB.CPY"));
  ASSERT_EQ(mkfifo(folder.file("PIPE.CPY").c_str(), 0600), 0);
  struct Case {
    std::string input;
    std::string errors;
  } rows[] = {
      {folder.file("CUST.CPY"),
       "NESTLVL: cannot open " + folder.file("CUST.msg") + ": Is a directory\n"},
      {folder.file("NONE.CPY"),
       "NESTLVL: cannot open " + folder.file("NONE.CPY") + ": No such file or directory\n"},
      {folder.file("LIB.CPY"),
       "NESTLVL: cannot open " + folder.file("LIB.CPY") + ": Is a directory\n"},
      {folder.file("PIPE.CPY"),
       "NESTLVL: cannot open " + folder.file("PIPE.CPY") + ": not a regular file\n"},
  };
  for (const Case& row : rows) {
    SCOPED_TRACE(row.input);
    RunOutcome run = run_with({row.input});
    EXPECT_EQ(run.code, kExitFileError);
    EXPECT_EQ(run.console, "");
    EXPECT_EQ(run.errors, row.errors);
  }
  EXPECT_EQ(folder.read("CUST.new"), "OLD COPY\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()),
            5);
}

// Options before the file names: --help, --version, "--", and an unknown one refused.
TEST(LevelShifter, Options) {
  RunOutcome help = run_with({"--help"});
  EXPECT_EQ(help.code, kExitDone);
  EXPECT_EQ(help.console.substr(0, 23), "\n   Command usage is:\n\n");
  EXPECT_NE(help.console.find("  --version  the version of NESTLVL\n"), std::string::npos);
  RunOutcome version = run_with({"--version"});
  EXPECT_EQ(version.code, kExitDone);
  EXPECT_EQ(version.console.compare(0, 8, "NESTLVL "), 0);
  RunOutcome unknown = run_with({"-x", "CUST.CPY"});
  EXPECT_EQ(unknown.code, kExitUsage);
  EXPECT_EQ(unknown.errors, "NESTLVL: unknown option -x\n");
  EXPECT_EQ(unknown.console.substr(0, 23), "\n   Command usage is:\n\n");
  RunOutcome ended = run_with({"--"});
  EXPECT_EQ(ended.code, kExitUsage);
  EXPECT_EQ(ended.errors, "");
}

// An output that is a link writes the link's target and stays a link; a replaced file keeps its
// permission bits; the temporary files are short hidden names, gone when the run ends.
TEST(LevelShifter, OutputsFollowLinksAndKeepTheirMode) {
  TempFolder folder;
  std::filesystem::create_directory(folder.path() / "lib");
  folder.write("CUST.CPY", "       01 CUST-REC.\n");
  folder.write("lib/COPY.TXT", "OLD\n");
  ASSERT_EQ(chmod(folder.file("lib/COPY.TXT").c_str(), 0640), 0);
  std::filesystem::create_symlink("lib/COPY.TXT", folder.path() / "LINK");
  RunOutcome run = run_with({folder.file("CUST.CPY"), folder.file("LINK")});
  EXPECT_EQ(run.code, kExitDone);
  EXPECT_EQ(run.errors, "");
  EXPECT_TRUE(std::filesystem::is_symlink(folder.path() / "LINK"));
  EXPECT_EQ(folder.read("lib/COPY.TXT"), "       02 CUST-REC.\n");
  struct stat status;
  ASSERT_EQ(::stat(folder.file("lib/COPY.TXT").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  EXPECT_EQ(folder.listing(), (std::vector<std::string>{"CUST.CPY", "CUST.msg", "LINK", "lib"}));
}

TEST(LevelShifter, RefusedRunsOpenNothingForWriting) {
  TempFolder folder;
  if (!usable(folder)) GTEST_SKIP() << "temporary folder path holds a period";
  const std::string copybook = "       01 CUST-REC.\n";
  folder.write("CUST.CPY", copybook);
  folder.write("CUST.new", copybook);
  folder.write("CUST.msg", copybook);
  folder.write("OTHER.CPY", copybook);
  struct Row {
    std::vector<std::string> arguments;
  };
  const std::vector<Row> rows = {
      {{folder.file("CUST.new")}},
      {{folder.file("CUST.msg")}},
      {{folder.file("CUST.CPY"), folder.file("CUST.CPY")}},
      {{folder.file("CUST.CPY"), folder.file("lib/../CUST.CPY")}},
      {{folder.file("CUST.CPY"), folder.file("CUST.msg")}},
      {{folder.file("OTHER.CPY"), folder.file("OTHER.msg")}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.arguments.back());
    RunOutcome run = run_with(row.arguments);
    EXPECT_EQ(run.code, kExitFileError);
    EXPECT_EQ(run.console, "");
    EXPECT_EQ(run.errors, "NESTLVL: output would overwrite the input file\n");
    EXPECT_EQ(folder.read("CUST.CPY"), copybook);
    EXPECT_EQ(folder.read("CUST.new"), copybook);
    EXPECT_EQ(folder.read("CUST.msg"), copybook);
    EXPECT_FALSE(folder.exists("OTHER.msg"));
    EXPECT_FALSE(folder.exists("OTHER.new"));
  }
}

}  // namespace
}  // namespace levelshift
