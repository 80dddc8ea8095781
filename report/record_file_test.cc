// Tests of reading quillox-all's record: the program lines with their states and reasons, the
// escapes, and what is refused or passed over.
#include "report/record_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace report {
namespace {

// The programs read from `text`, one a line as "PATH|STATE|REASON", or "refused: ERROR".
std::string programs_of(std::string text) {
  std::FILE* file = fmemopen(text.empty() ? nullptr : text.data(), text.size(), "r");
  if (file == nullptr) file = std::tmpfile();
  std::map<std::string, RecordEntry> programs;
  std::string error;
  bool read = read_record(file, programs, error);
  std::fclose(file);
  if (!read) return "refused: " + error;
  const char* const states[] = {"converted", "failed", "refused-clash", "refused-edited",
                                "not-run"};
  std::string shown;
  for (const auto& [path, entry] : programs)
    shown += path + "|" + states[static_cast<int>(entry.state)] + "|" + entry.reason + "\n";
  return shown;
}

TEST(RecordFile, EachProgramLineGivesItsStateAndReason) {
  EXPECT_EQ(programs_of("quillox-all record 1\n"
                        "program\tA.zsc\tconverted\t\n"
                        "output\tA.new\tfnv1a64:0123456789abcdef\n"
                        "output\tA.msg\tsha256:" +
                        std::string(64, 'a') +
                        "\n"
                        "program\tbilling/B.ZSC\tfailed\tQUILLOX ended with exit code 100\n"
                        "program\tC.zsc\trefused-clash\tC.new is also written by D.zsc\n"
                        "program\tD.zsc\trefused-edited\tD.new was changed since\n"
                        "program\tE.zsc\tnot-run\t\n"),
            "A.zsc|converted|\n"
            "C.zsc|refused-clash|C.new is also written by D.zsc\n"
            "D.zsc|refused-edited|D.new was changed since\n"
            "E.zsc|not-run|\n"
            "billing/B.ZSC|failed|QUILLOX ended with exit code 100\n");
}

TEST(RecordFile, EscapesStandForTheirCharactersAndNothingElseIsEscaped) {
  const struct {
    const char* why;
    std::string field;
    std::string expected;
  } cases[] = {
      {"a tab", "A\\tB", "A\tB"},
      {"a line feed and a carriage return", "A\\nB\\rC", "A\nB\rC"},
      {"a backslash", "sub\\\\dir", "sub\\dir"},
      {"a backslash before the escape letters' neighbours stays", "\\x\\y", "\\x\\y"},
      {"a backslash at the end stays", "A\\", "A\\"},
      {"an escaped backslash before t is a backslash and a t", "\\\\t", "\\t"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(unescape_record_field(row.field), row.expected);
  }
  EXPECT_EQ(programs_of("quillox-all record 1\nprogram\tTAB\\tNAME.zsc\tfailed\tsaid \\\"no\\\"\\n"
                        "on two lines\n"),
            "TAB\tNAME.zsc|failed|said \\\"no\\\"\non two lines\n");
}

TEST(RecordFile, LinesItDoesNotKnowArePassedOver) {
  EXPECT_EQ(programs_of("quillox-all record 1\n"
                        "\n"
                        "comment\tof a later quillox-all\n"
                        "program\tA.zsc\tpostponed\tin a state of a later quillox-all\n"
                        "program\tB.zsc\tfailed\n"
                        "program\tC.zsc\tfailed\treason\textra field\n"
                        "programs\tD.zsc\tfailed\tX\n"
                        "program\tE.zsc\tfailed\tkept\n"
                        "program\tF.zsc\tfailed\tcut short without its line end"),
            "E.zsc|failed|kept\n");
}

TEST(RecordFile, AFileThatIsNoRecordIsRefused) {
  const struct {
    const char* why;
    std::string text;
    std::string expected;
  } cases[] = {
      {"empty", "", "refused: not a record of quillox-all: the file is empty"},
      {"another version", "quillox-all record 2\nprogram\tA.zsc\tfailed\tX\n",
       "refused: not a record of quillox-all: its first line is not \"quillox-all record 1\""},
      {"the first line cut", "quillox-all record 1",
       "refused: not a record of quillox-all: its first line is not \"quillox-all record 1\""},
      {"something else", "Meeting notes\n",
       "refused: not a record of quillox-all: its first line is not \"quillox-all record 1\""},
      {"the header alone is a record of no program", "quillox-all record 1\n", ""},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(programs_of(row.text), row.expected);
  }
}

}  // namespace
}  // namespace report
