// Tests of copybook expansion: member names, opening and refusing members, the suspended levels
// and the end of a member.
#include "converter/driver/copybook_expansion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "converter/driver/conversion_run.h"
#include "tests/support/conversion_harness.h"
#include "tests/support/test_files.h"

namespace converter {

using text::LineReader;
using text::OutputFile;
namespace {

using message_format::Row;

using test_support::padded_lines;

// A run converting PROG.zsc into PROG.new in a fresh folder that is the working folder, so that
// members are looked up there as a user's run would.
class CopybookExpansion : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(run_.input_file && run_.output_file && run_.message_file);
    run_.input_line_count = 57;
    run_.output_line_count = 41;
  }

  // Names `member` on line 57 of the program, which must refuse it: the program stays the
  // current level, its files and counts unchanged.
  void push_refused(const std::string& member) {
    push_include(run_, member, 57);
    EXPECT_EQ(run_.include_depth, 0);
    EXPECT_FALSE(reading_member(run_));
    ASSERT_TRUE(run_.input_file && run_.output_file);
    EXPECT_EQ(run_.input_file->name(), "PROG.zsc");
    EXPECT_EQ(run_.output_file->name(), "PROG.new");
    EXPECT_EQ(run_.input_line_count, 57);
    EXPECT_EQ(run_.output_line_count, 41);
  }

  // The run's outputs take their final names, as at the end of a run.
  void commit_outputs() {
    text::CommitResult result = run_.outputs.commit(run_.files_read);
    ASSERT_EQ(result.outcome, text::CommitResult::kDone) << result.name << ": " << result.reason;
  }

  // Lines of the member being read, as the line loop would take them through.
  void copy_member_lines() {
    std::string line;
    while (run_.input_file->read_piece(line)) {
      ++run_.input_line_count;
      run_.output_file->write_padded(line);
      ++run_.output_line_count;
    }
  }

  test_support::RunHarness harness_{"       PROCEDURE DIVISION.\n"};
  test_support::WorkingFolder inside_{harness_.folder.path()};
  test_support::TempFolder& folder_ = harness_.folder;
  ConversionRun& run_ = harness_.run;
};

struct NameRow {
  const char* line;
  bool copy_line;
  const char* name;
  int copy_count;
  int inc_count;
};

TEST_F(CopybookExpansion, MemberNameIsTakenFromCopyOrIncLine) {
  const NameRow rows[] = {
      {"           COPY ABCREC.", true, "ABCREC", 1, 0},
      {"           COPY ABCREC REPLACING ==A== BY ==B==.", true, "ABCREC", 1, 0},
      {"           COPY ABCREC", true, "ABCREC", 1, 0},
      {"           COPY    ABCREC  .", true, "ABCREC", 1, 0},
      {"           COPY ABC.CPY.", true, "ABC", 1, 0},
      // Periods in the folders of a name do not end it; the first one of its last part does.
      {"           COPY ../X.", true, "../X", 1, 0},
      {"           COPY /lib/DATA.", true, "/lib/DATA", 1, 0},
      {"           COPY v1.2/ABC.CPY.", true, "v1.2/ABC", 1, 0},
      {"           COPY ..\\X REPLACING A BY B.", true, "..\\X", 1, 0},
      {"-INC MEMBER", true, "MEMBER", 0, 1},
      {"       -INC MEMBER.", true, "MEMBER", 0, 1},
      {"-INC TWO   COPY ONE.", true, "ONE", 1, 0},
      {"           COPY ONE. -INC TWO", true, "ONE", 1, 0},
      {"           COPY", true, "", 1, 0},
      {"           COPY ", true, "", 1, 0},
      {"           COPY.", true, "", 1, 0},
      {"           COPY .", true, "", 1, 0},
      {"           COPY    ", true, "", 1, 0},
      {"       -INC", true, "", 0, 1},
      // The keyword in any case; the name as written.
      {"           copy abcrec.", true, "abcrec", 1, 0},
      {"           Copy ABCREC.", true, "ABCREC", 1, 0},
      {"       -inc member", true, "member", 0, 1},
      // A name written as a literal is the text between its quotes.
      {"           COPY 'CSSTRPFY'.", true, "CSSTRPFY", 1, 0},
      {"           COPY \"ABC.CPY\".", true, "ABC.CPY", 1, 0},
      {"           COPY 'AB CD' REPLACING X BY Y.", true, "AB CD", 1, 0},
      {"           COPY 'OPEN", true, "OPEN", 1, 0},
      {"           COPY ''.", true, "", 1, 0},
      {"           DISPLAY 'COPY ABCREC'.", false, "", 0, 0},
      {"           DISPLAY 'COPY X'. COPY ABCREC.", true, "ABCREC", 1, 0},
      {"           MOVE WS-COPY TO X.", false, "", 0, 0},
      {"           COPY-ABCREC.", false, "", 0, 0},
      {"           COPYBOOK ABCREC.", false, "", 0, 0},
      {"           MOVE X-INC TO Y.", false, "", 0, 0},
  };
  for (const NameRow& row : rows) {
    SCOPED_TRACE(row.line);
    ConversionRun run;
    run.copybook_name = "EARLIER";
    EXPECT_EQ(copy_member_name(run, row.line), row.copy_line);
    if (row.copy_line) {
      EXPECT_EQ(run.copybook_name, row.name);
    }
    EXPECT_EQ(run.count(Row::kCopy), row.copy_count);
    EXPECT_EQ(run.count(Row::kInc), row.inc_count);
  }
}

TEST_F(CopybookExpansion, OpenedMemberBecomesCurrentAndProgramIsSuspended) {
  folder_.write("ABCREC", "       01  ABC-REC.\n");
  const LineReader* program_input = run_.input_file.get();
  const OutputFile* program_output = run_.output_file.get();

  push_include(run_, "ABCREC", 57);

  EXPECT_EQ(run_.include_depth, 1);
  EXPECT_TRUE(reading_member(run_));
  ASSERT_TRUE(run_.input_file && run_.output_file);
  EXPECT_EQ(run_.input_file->name(), "ABCREC");
  EXPECT_EQ(run_.output_file->name(), "ABCREC.new");
  EXPECT_EQ(run_.input_line_count, 0);
  EXPECT_EQ(run_.output_line_count, 0);
  const IncludeLevel& saved = run_.include_stack.levels[0];
  EXPECT_EQ(saved.input_file.get(), program_input);
  EXPECT_EQ(saved.output_file.get(), program_output);
  EXPECT_EQ(saved.input_line_count, 57);
  EXPECT_EQ(saved.output_line_count, 41);
  EXPECT_FALSE(run_.include_stack.levels[1].input_file);

  // Resuming hands back the very streams that were suspended, still open.
  pop_include(run_);
  EXPECT_EQ(run_.input_file.get(), program_input);
  EXPECT_EQ(run_.output_file.get(), program_output);
  EXPECT_EQ(run_.input_line_count, 57);
  EXPECT_EQ(run_.output_line_count, 41);
  EXPECT_EQ(run_.include_depth, 0);
  EXPECT_FALSE(reading_member(run_));
  EXPECT_EQ(harness_.messages(), "  opening copy book ABCREC at line 57\n");
}

TEST_F(CopybookExpansion, EndOfMemberClosesItLogsCountsAndResumes) {
  folder_.write("ABCREC", "       01  ABC-REC.\n           05  ABC-KEY  PIC X.\n");
  push_include(run_, "ABCREC", 57);
  copy_member_lines();
  // One more written line than read, as an insertion would give.
  run_.output_file->write_padded("      * inserted");
  ++run_.output_line_count;

  end_member(run_);

  EXPECT_EQ(run_.include_depth, 0);
  EXPECT_FALSE(reading_member(run_));
  ASSERT_TRUE(run_.input_file && run_.output_file);
  EXPECT_EQ(run_.input_file->name(), "PROG.zsc");
  EXPECT_EQ(run_.output_file->name(), "PROG.new");
  EXPECT_EQ(run_.input_line_count, 57);
  EXPECT_EQ(run_.output_line_count, 41);
  commit_outputs();
  EXPECT_EQ(
      folder_.read("ABCREC.new"),
      padded_lines({"       01  ABC-REC.", "           05  ABC-KEY  PIC X.", "      * inserted"}));
  EXPECT_EQ(harness_.messages(),
            "  opening copy book ABCREC at line 57\n"
            "  2 lines read in copy book\n"
            "  3 lines written in copy book\n");
}

TEST_F(CopybookExpansion, EmptyMemberGivesEmptyOutputAndZeroCounts) {
  folder_.write("EMPTY", "");
  push_include(run_, "EMPTY", 57);
  copy_member_lines();
  end_member(run_);
  commit_outputs();
  EXPECT_TRUE(folder_.exists("EMPTY.new"));
  EXPECT_EQ(folder_.read("EMPTY.new"), "");
  EXPECT_EQ(harness_.messages(),
            "  opening copy book EMPTY at line 57\n"
            "  0 lines read in copy book\n"
            "  0 lines written in copy book\n");
}

TEST_F(CopybookExpansion, NestedMembersEndInnermostFirst) {
  folder_.write("OUTER", "           COPY INNER.\n");
  folder_.write("INNER", "       01  A  PIC X.\n       01  B  PIC X.\n");
  push_include(run_, "OUTER", 57);
  std::string line;
  ASSERT_TRUE(run_.input_file->read_piece(line));
  ++run_.input_line_count;
  run_.output_file->write_padded(line);
  ++run_.output_line_count;
  push_include(run_, "INNER", run_.input_line_count);
  EXPECT_EQ(run_.include_depth, 2);
  EXPECT_EQ(run_.include_stack.levels[0].input_file->name(), "OUTER");
  EXPECT_EQ(run_.include_stack.levels[1].input_file->name(), "PROG.zsc");
  copy_member_lines();
  end_member(run_);
  EXPECT_EQ(run_.input_file->name(), "OUTER");
  EXPECT_EQ(run_.input_line_count, 1);
  EXPECT_EQ(run_.output_line_count, 1);
  copy_member_lines();
  end_member(run_);
  EXPECT_EQ(run_.input_file->name(), "PROG.zsc");
  EXPECT_EQ(run_.include_depth, 0);
  EXPECT_EQ(harness_.messages(),
            "  opening copy book OUTER at line 57\n"
            "  opening copy book INNER at line 1\n"
            "  2 lines read in copy book\n"
            "  2 lines written in copy book\n"
            "  1 lines read in copy book\n"
            "  1 lines written in copy book\n");
}

// One member copied again is no clash, however often; two different files whose copies would
// both be CUST.new are: the second is not converted, and the run is to replace nothing.
TEST_F(CopybookExpansion, TwoFilesOnOneCopyClash) {
  folder_.write("CUST.REC", "       01  CUST-REC.\n");
  folder_.write("CUST.KEY", "       01  CUST-KEY.\n");
  for (int copy = 0; copy < 3; ++copy) {
    push_include(run_, "CUST.REC", 57);
    end_member(run_);
  }
  EXPECT_TRUE(run_.refusals.empty());
  push_refused("CUST.KEY");
  EXPECT_EQ(run_.refusals,
            std::vector<std::string>{"CUST.REC and CUST.KEY would both be written to CUST.new - no "
                                     "output written"});
  std::string messages = harness_.messages();
  EXPECT_EQ(messages.substr(messages.rfind("  opening copy book CUST.KEY")),
            "  opening copy book CUST.KEY at line 57\n"
            " ***error*** opening output copy file CUST.new\n");
}

// A member whose copy would be the converted program clashes with the program itself.
TEST_F(CopybookExpansion, AMemberOnTheConvertedProgramClashes) {
  std::filesystem::create_directory(folder_.file("sub"));
  folder_.write("sub/PROG", "       01  A  PIC X.\n");
  ASSERT_TRUE(claim_output(run_, describe_output("PROG.new"), "PROG.new", "PROG.zsc",
                           text::FileIdentity{1, 2}));
  push_refused("sub/PROG");
  EXPECT_EQ(run_.refusals, std::vector<std::string>{"PROG.zsc and sub/PROG would both be "
                                                    "written to PROG.new - no output written"});
}

TEST_F(CopybookExpansion, ReservedAndNamelessMembersAreNeverOpened) {
  for (const char* name : {"KVZAID", "KVZZVLCA", "KVZEIBLK"})
    folder_.write(name, "       01  X  PIC X.\n");
  for (const char* name : {"KVZAID", "KVZZVLCA", "KVZEIBLK", ""}) {
    SCOPED_TRACE(name);
    push_refused(name);
    EXPECT_FALSE(folder_.exists(std::string(name) + ".new"));
  }
  // The monitor's own members are named where an opened member would write its opening line;
  // a COPY without a name says nothing.
  EXPECT_EQ(harness_.messages(),
            "  copy book KVZAID is the monitor's - not opened\n"
            "  copy book KVZZVLCA is the monitor's - not opened\n"
            "  copy book KVZEIBLK is the monitor's - not opened\n");
}

TEST_F(CopybookExpansion, ReservedNamesAreComparedExactly) {
  folder_.write("KVZAID2", "");
  push_include(run_, "KVZAID2", 57);
  EXPECT_EQ(run_.include_depth, 1);
  EXPECT_EQ(run_.output_file->name(), "KVZAID2.new");
  EXPECT_EQ(harness_.messages(), "  opening copy book KVZAID2 at line 57\n");
}

TEST_F(CopybookExpansion, OutputNameIsCutAtFirstPeriod) {
  struct Case {
    const char* member;
    const char* output;
  };
  for (const Case& row :
       {Case{"ABC.CPY", "ABC.new"}, Case{"A.B.C", "A.new"}, Case{"PLAIN", "PLAIN.new"}}) {
    SCOPED_TRACE(row.member);
    folder_.write(row.member, "");
    push_include(run_, row.member, 57);
    ASSERT_TRUE(reading_member(run_));
    EXPECT_EQ(run_.input_file->name(), row.member);
    EXPECT_EQ(run_.output_file->name(), row.output);
    end_member(run_);
    commit_outputs();
    EXPECT_TRUE(folder_.exists(row.output));
  }
}

// A missing member is also named on standard error, once however often it is copied.
TEST_F(CopybookExpansion, MissingMemberIsLoggedAndNothingChanges) {
  testing::internal::CaptureStderr();
  push_refused("NOSUCH");
  push_refused("NOSUCH");
  push_refused("OTHER");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "QUILLOX: copy member NOSUCH not found\n"
            "QUILLOX: copy member OTHER not found\n");
  EXPECT_FALSE(folder_.exists("NOSUCH.new"));
  EXPECT_EQ(harness_.messages(),
            "  opening copy book NOSUCH at line 57\n"
            " ***error*** opening copy file NOSUCH\n"
            "  opening copy book NOSUCH at line 57\n"
            " ***error*** opening copy file NOSUCH\n"
            "  opening copy book OTHER at line 57\n"
            " ***error*** opening copy file OTHER\n");
}

// Where a member is found: the working folder first, then the program's folder, then the -I
// folders; in each its own name first, then the extensions in their order. A folder of the
// name is passed over.
TEST_F(CopybookExpansion, MembersAreFoundByTheSearchOrder) {
  std::filesystem::create_directory(folder_.file("src"));
  std::filesystem::create_directory(folder_.file("cpy"));
  std::filesystem::create_directory(folder_.file("A"));
  run_.program_folder = "src/";
  run_.include_folders = {"cpy"};
  folder_.write("A.cpy", "");  // A itself is a folder: A.cpy is read
  folder_.write("src/A", "");  // not reached
  folder_.write("B.COB", "");  // the last extension here wins over src/ and cpy/
  folder_.write("src/B", "");
  folder_.write("src/C.CBL", "");  // the program's folder before -I
  folder_.write("cpy/C", "");
  folder_.write("cpy/D.cbl", "");
  struct Found {
    const char* member;
    const char* read;
  } rows[] = {{"A", "A.cpy"}, {"B", "B.COB"}, {"C", "src/C.CBL"}, {"D", "cpy/D.cbl"}};
  for (const Found& row : rows) {
    SCOPED_TRACE(row.member);
    push_include(run_, row.member, 57);
    ASSERT_TRUE(reading_member(run_));
    EXPECT_EQ(run_.input_file->name(), row.read);
    EXPECT_EQ(run_.output_file->name(), std::string(row.member) + ".new");
    end_member(run_);
  }
}

TEST_F(CopybookExpansion, MemberThatIsFolderCannotBeOpened) {
  std::filesystem::create_directory(folder_.file("DIR"));
  push_refused("DIR");
  EXPECT_FALSE(folder_.exists("DIR.new"));
  EXPECT_EQ(harness_.messages(),
            "  opening copy book DIR at line 57\n"
            " ***error*** opening copy file DIR\n");
}

TEST_F(CopybookExpansion, OutputThatCannotBeOpenedIsLoggedAndNothingChanges) {
  folder_.write("ABC", "       01  A  PIC X.\n");
  std::filesystem::create_directory(folder_.file("ABC.new"));
  push_refused("ABC");
  EXPECT_EQ(harness_.messages(),
            "  opening copy book ABC at line 57\n"
            " ***error*** opening output copy file ABC.new\n");
}

// A member is never read from a file that the run writes, and its output never replaces a
// file that the run has open.
TEST_F(CopybookExpansion, FilesInUseAreRefused) {
  struct Case {
    const char* member;
    const char* message;
  };
  // PROG's output is the converted program; the member named PROG.new is that program itself
  // and so a file being written; PROG.zsc's output would also be PROG.new.
  const Case rows[] = {
      {"PROG", " ***error*** opening output copy file PROG.new\n"},
      {"PROG.zsc", " ***error*** opening output copy file PROG.new\n"},
      {"PROG.new", " ***error*** opening copy file PROG.new\n"},
      {"PROG.msg", " ***error*** opening copy file PROG.msg\n"},
      {"./PROG.msg", " ***error*** opening copy file ./PROG.msg\n"},
  };
  folder_.write("PROG", "       01  A  PIC X.\n");
  std::string expected;
  for (const Case& row : rows) {
    SCOPED_TRACE(row.member);
    push_refused(row.member);
    expected += std::string("  opening copy book ") + row.member + " at line 57\n" + row.message;
  }
  EXPECT_EQ(harness_.messages(), expected);
}

TEST_F(CopybookExpansion, MemberWhoseOutputIsItsOwnInputIsRefused) {
  folder_.write("X.new", "       01  A  PIC X.\n");
  push_refused("X.new");
  EXPECT_EQ(folder_.read("X.new"), "       01  A  PIC X.\n");
  EXPECT_EQ(harness_.messages(),
            "  opening copy book X.new at line 57\n"
            " ***error*** opening output copy file X.new\n");
}

TEST_F(CopybookExpansion, MemberCopyingItselfDirectlyOrThroughOthersIsRefused) {
  folder_.write("SELF", "       01  A  PIC X.\n");
  folder_.write("OTHER", "");
  push_include(run_, "SELF", 57);
  push_include(run_, "SELF", 1);
  EXPECT_EQ(run_.include_depth, 1);
  push_include(run_, "OTHER", 2);
  EXPECT_EQ(run_.include_depth, 2);
  push_include(run_, "SELF", 3);
  EXPECT_EQ(run_.include_depth, 2);
  EXPECT_EQ(run_.input_file->name(), "OTHER");
  end_member(run_);
  end_member(run_);
  EXPECT_EQ(run_.include_depth, 0);
  EXPECT_EQ(folder_.read("SELF"), "       01  A  PIC X.\n");
  EXPECT_EQ(harness_.messages(),
            "  opening copy book SELF at line 57\n"
            "  opening copy book SELF at line 1\n"
            " ***error*** opening output copy file SELF.new\n"
            "  opening copy book OTHER at line 2\n"
            "  opening copy book SELF at line 3\n"
            " ***error*** opening output copy file SELF.new\n"
            "  0 lines read in copy book\n"
            "  0 lines written in copy book\n"
            "  0 lines read in copy book\n"
            "  0 lines written in copy book\n");
}

TEST_F(CopybookExpansion, EleventhNestedMemberIsRefusedAndNoLevelIsLost) {
  std::vector<std::string> names;
  for (int i = 1; i <= kMaxIncludeDepth + 1; ++i) {
    names.push_back("M" + std::to_string(i));
    folder_.write(names.back(), "");
  }
  std::string expected = "  opening copy book M1 at line 57\n";
  push_include(run_, names[0], 57);
  for (int i = 1; i < kMaxIncludeDepth; ++i) {
    // Each member has read i lines when it names the next one.
    run_.input_line_count = i;
    run_.output_line_count = 100 + i;
    push_include(run_, names[i], i);
    expected += "  opening copy book " + names[i] + " at line " + std::to_string(i) + "\n";
  }
  ASSERT_EQ(run_.include_depth, kMaxIncludeDepth);
  push_include(run_, names[kMaxIncludeDepth], 7);
  expected += "  opening copy book M11 at line 7\n";
  expected += " ***error*** copy book nesting exceeds 10 levels - M11 not opened\n";
  EXPECT_EQ(run_.include_depth, kMaxIncludeDepth);
  EXPECT_EQ(run_.input_file->name(), "M10");
  EXPECT_FALSE(folder_.exists("M11.new"));
  EXPECT_EQ(run_.include_stack.levels[kMaxIncludeDepth - 1].input_file->name(), "PROG.zsc");

  for (int i = kMaxIncludeDepth; i >= 1; --i) {
    SCOPED_TRACE(i);
    ASSERT_TRUE(reading_member(run_));
    EXPECT_EQ(run_.input_file->name(), names[i - 1]);
    end_member(run_);
    // The innermost member never named another one, so its counts stayed at 0.
    int read = i == kMaxIncludeDepth ? 0 : i;
    int written = i == kMaxIncludeDepth ? 0 : 100 + i;
    expected += "  " + std::to_string(read) + " lines read in copy book\n  " +
                std::to_string(written) + " lines written in copy book\n";
    if (i > 1) {
      EXPECT_EQ(run_.input_line_count, i - 1);
      EXPECT_EQ(run_.output_line_count, 100 + i - 1);
    }
  }
  EXPECT_FALSE(reading_member(run_));
  EXPECT_EQ(run_.input_file->name(), "PROG.zsc");
  EXPECT_EQ(run_.input_line_count, 57);
  EXPECT_EQ(run_.output_line_count, 41);
  EXPECT_EQ(run_.include_depth, 0);
  EXPECT_EQ(harness_.messages(), expected);
}

}  // namespace
}  // namespace converter

namespace converter {
namespace {

// The members a line makes the converter open, as tools that plan conversions ask: only from
// examined COPY or -INC lines, never the monitor's own copybooks, never without a name.
TEST(CopybookMembers, MemberOpenedByALine) {
  struct Case {
    std::string line;
    std::string member;  // empty: none
  } rows[] = {
      {"       COPY ABCREC.", "ABCREC"},
      {"       -INC ABC.CPY", "ABC"},  // the name ends at its first period
      {"      *COPY ABCREC.", ""},
      {"      /COPY ABCREC.", ""},
      {"      -COPY ABCREC.", ""},
      {"COPY X", ""},  // six characters or fewer are never examined
      {"       COPY KVZAID.", ""},
      {"       copy kvzaid.", ""},
      {"       COPY 'KvzAid'.", ""},
      {"       COPY 'ABC.CPY'.", "ABC.CPY"},
      {"       COPY KVZZVLCA.", ""},
      {"       COPY KVZEIBLK.", ""},
      {"       COPY .", ""},
      {"       COPY", ""},
      {"       MOVE 'COPY X' TO Y.", ""},
  };
  for (const Case& row : rows) {
    SCOPED_TRACE(row.line);
    std::optional<std::string> member = member_opened_by(row.line);
    EXPECT_EQ(member.value_or(""), row.member);
  }
}

// A member's copy is written in the working folder under the last part of its name, up to its
// first period.
TEST(CopybookMembers, MemberOutputName) {
  struct Named {
    const char* member;
    const char* output;
  } rows[] = {
      {"ABC.CPY", "ABC.new"},   {"PLAIN", "PLAIN.new"},    {"cpy/ABC", "ABC.new"},
      {"../X", "X.new"},        {"/lib/DATA", "DATA.new"}, {"v1.2\\sub.d/D.E.F", "D.new"},
      {"CUST.REC", "CUST.new"}, {"lib\\MEMB", "MEMB.new"}, {"dir/", ".new"},
  };
  for (const Named& row : rows) {
    SCOPED_TRACE(row.member);
    EXPECT_EQ(member_output_name(row.member), row.output);
  }
}

// Each place in its turn, and in each the name before its extensions; a name that holds a path
// is taken as it stands.
TEST(CopybookMembers, MemberCandidatesFollowTheFolders) {
  auto in = [](const std::string& place) {
    std::vector<std::string> names;
    for (const char* ending : {"", ".cpy", ".CPY", ".cbl", ".CBL", ".cob", ".COB"})
      names.push_back(place + "AREC" + ending);
    return names;
  };
  auto joined = [](std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const std::vector<std::string>& part : parts)
      all.insert(all.end(), part.begin(), part.end());
    return all;
  };
  const std::vector<std::string> folders = {"cpy", "lib/", "c:\\app\\", ""};
  EXPECT_EQ(member_candidates("AREC", "", folders),
            joined({in(""), in("cpy/"), in("lib/"), in("c:\\app\\"), in("")}));
  EXPECT_EQ(member_candidates("AREC", "src/", {}), joined({in(""), in("src/")}));
  EXPECT_EQ(member_candidates("AREC", "", {}), in(""));
  EXPECT_EQ(member_candidates("sub/AREC", "src/", folders), std::vector<std::string>{"sub/AREC"});
  EXPECT_EQ(member_candidates("sub\\AREC", "", folders), std::vector<std::string>{"sub\\AREC"});
}

}  // namespace
}  // namespace converter
