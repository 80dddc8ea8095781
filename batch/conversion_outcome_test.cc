// Tests of what quillox-all reads from a message file, and of its closing line.
#include "batch/conversion_outcome.h"

#include <gtest/gtest.h>

#include <string>

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
       0, "ABSENT,NAME X", false, false, "members not found, not those whose copy failed"},
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
    EXPECT_EQ(notes.map_requests, row.map_requests);
    EXPECT_EQ(members, row.members_not_found);
    EXPECT_EQ(notes.front_end_created, row.front_end_created);
    EXPECT_EQ(notes.template_not_found, row.template_not_found);
  }
}

TEST(ConversionOutcome, ClosingLine) {
  struct Row {
    RunCounts counts;
    const char* expected;
    const char* why;
  };
  const Row rows[] = {
      {{1, 1, 0, false, 0, 0, 0}, "1 program, 1 converted, 0 failed", "one program"},
      {{3, 2, 1, false, 0, 0, 0}, "3 programs, 2 converted, 1 failed", "several"},
      {{2, 2, 0, true, 1, 0, 1},
       "2 programs, 2 converted, 0 failed; 1 front end built, 1 back-end program without screens",
       "front ends: one of each"},
      {{5, 5, 0, true, 2, 1, 2},
       "5 programs, 5 converted, 0 failed; 2 front ends built, 2 back-end programs without "
       "screens, 1 front end not built",
       "front ends not built are named only when there are some"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(closing_line(row.counts), row.expected);
  }
}

}  // namespace
}  // namespace batch
