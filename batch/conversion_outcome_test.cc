// Tests of what quillox-all reads from a message file, and of its closing line.
#include "batch/conversion_outcome.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace batch {
namespace {

TEST(ConversionOutcome, MessageNotes) {
  struct Row {
    const char* text;
    long long map_requests;
    const char* members_not_found;  // joined with ","
    bool front_end_created;
    bool template_not_found;
    const char* why;
    std::size_t manual_steps = 0;
  };
  const Row rows[] = {
      {"line 0008 - EXEC ZARN RETURN handled\n\n    9 Input lines read\n    0 SEND MAP statements\n"
       "    0 SEND TEXT statements\n    0 RECEIVE MAP statements\n",
       0, "", false, false, "a back-end program: no map request"},
      {"    2 SEND MAP statements\n    1 SEND TEXT statements\n    3 RECEIVE MAP statements\n"
       "    4 SEND CONTROL statements\n"
       "\n Creating new DSP4 front end prototype file - MENU01FE\n",
       6, "", true, false, "the three rows of map requests add up; SEND CONTROL is none"},
      {"123456 SEND MAP statements\n", 123456, "", false, false, "a count wider than five digits"},
      {"  opening copy book ABSENT at line 8\n ***error*** opening copy file ABSENT\n"
       "  opening copy book 'NAME X' at line 9\n ***error*** opening copy file NAME X\n"
       " ***error*** opening output copy file OUT.new\n",
       0, "ABSENT,NAME X", false, false, "members not found, not those whose copy failed", 3},
      {"line 0001 - ZARN SEND MAP handled for map 'M' mapset 'S'\n    1 SEND MAP statementss\n", 0,
       "", false, false, "only the summary row itself counts"},
      {"\n Unable to open DSP4 template file NEWDSP4.TXT - no front end written\n", 0, "", false,
       true, "the template not found"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    MessageNotes notes = read_message_notes(row.text);
    std::string members;
    for (const std::string& member : notes.members_not_found)
      members += (members.empty() ? "" : ",") + member;
    // Every "***" line is a manual step: the copybook errors among them.
    EXPECT_EQ(notes.manual_steps.size(), row.manual_steps);
    EXPECT_EQ(notes.map_requests, row.map_requests);
    EXPECT_EQ(members, row.members_not_found);
    EXPECT_EQ(notes.front_end_created, row.front_end_created);
    EXPECT_EQ(notes.template_not_found, row.template_not_found);
  }
  MessageNotes notes = read_message_notes(
      " ***error*** opening output copy file OUT.new\nline 0004 - *** SEND PAGE found\n"
      "line 0005 - EXEC ZARN RETURN handled\n");
  EXPECT_EQ(notes.copies_not_written, std::vector<std::string>{"OUT.new"});
  EXPECT_EQ(notes.manual_steps,
            (std::vector<std::string>{" ***error*** opening output copy file OUT.new",
                                      "line 0004 - *** SEND PAGE found"}));
}

TEST(ConversionOutcome, ClosingLine) {
  struct Row {
    RunCounts counts;
    const char* expected;
    const char* why;
  };
  const Row rows[] = {
      {{1, 1, 0, false, 0, 0, 0, 0, {}}, "1 program, 1 converted, 0 failed", "one program"},
      {{3, 2, 1, false, 0, 0, 0, 0, {}}, "3 programs, 2 converted, 1 failed", "several"},
      {{2, 2, 0, true, 1, 0, 1, 0, {}},
       "2 programs, 2 converted, 0 failed; 1 front end built, 1 back-end program without screens",
       "front ends: one of each"},
      {{5, 5, 0, true, 2, 1, 2, 0, {}},
       "5 programs, 5 converted, 0 failed; 2 front ends built, 2 back-end programs without "
       "screens, 1 front end not built",
       "front ends not built are named only when there are some"},
      {{4, 2, 2, false, 0, 0, 0, 1, {"app/OLD.new", "app/sub/X.new"}},
       "4 programs, 2 converted, 2 failed, 1 refused for hand edits; stale outputs of an earlier "
       "run: app/OLD.new, app/sub/X.new",
       "hand edits counted among the failed, stale outputs named"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(closing_line(row.counts), row.expected);
  }
}

// What QUILLOX said is relayed without the members it did not find, which quillox-all names
// itself; every other line stays, indented.
TEST(ConversionOutcome, RelayedOutput) {
  std::string said = without_members_not_found(
      "QUILLOX: copy member ABSENT not found\nQUILLOX: no front end written: T not found\n"
      "QUILLOX: copy member  not found\nQUILLOX: copy member X not found");
  EXPECT_EQ(said, "QUILLOX: no front end written: T not found\nQUILLOX: copy member  not found\n");
  EXPECT_EQ(
      indented(said),
      "    QUILLOX: no front end written: T not found\n    QUILLOX: copy member  not found\n");
}

}  // namespace
}  // namespace batch
