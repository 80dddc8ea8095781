// Tests of the checklist: which manual steps a program's message file calls for, in which order,
// and the places each step names.
#include "report/checklist.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/support/summary_report.h"

namespace report {
namespace {

// The checklist of a message file made of `messages`, the summary with `rows`, and `after` (the
// front-end lines), one item a line: the step, then " @ " and the places when it names any.
std::string checklist_of(const std::string& messages, const std::map<int, int>& rows,
                         const std::string& after = "") {
  ProgramSummary program;
  std::string error;
  if (read_message_file(messages + test_support::summary_report_by_row(rows) + after, program,
                        error) != MessageFileKind::kConversion)
    return "refused: " + error;
  std::string shown;
  for (const ChecklistItem& item : manual_steps(program)) {
    shown += std::string(item.step);
    std::string where = where_of(item);
    if (!where.empty()) shown += " @ " + where;
    shown += "\n";
  }
  return shown;
}

const char kDeclare[] = "Declare the user communication area under 02 USRCOMM";
const char kCheckArea[] =
    "Check the user communication area under 02 USRCOMM; raise its level numbers with NESTLVL "
    "where they collide with the header's";
const char kKvzaid[] =
    "COPY KVZAID into WORKING-STORAGE: the attention-key tests need its constants";
const char kLink[] = "Check each LINK, which stays active";

TEST(Checklist, StepsFollowFromTheFindingsByClassThenCount) {
  const struct {
    const char* why;
    std::string messages;
    std::map<int, int> rows;
    std::string after;
    std::string expected;
  } cases[] = {
      {"a program with no finding needs no step",
       "line 0002 - PROGRAM-ID paragraph changed\nline 0009 - EIBCALEN changed\n",
       {{34, 1}},
       "",
       ""},
      {"the inserted header asks for the user area to be checked",
       "line 0031 - COPY for STDHEAD in KVZCOMMAREA inserted\n",
       {},
       "",
       std::string(kCheckArea) + " @ line 0031\n"},
      {"an area without layout is declared, which includes checking it",
       "line 0031 - COPY for STDHEAD in KVZCOMMAREA inserted\n"
       "line 0033 - *** USRCOMM has no layout - declare the user communication area under 02 "
       "USRCOMM\n",
       {},
       "",
       std::string(kDeclare) + " @ line 0033\n"},
      {"KVZAID not copied",
       "line 0077 - *** KVZAID is not copied - the attention-key tests need its constants\n",
       {},
       "",
       std::string(kKvzaid) + " @ line 0077\n"},
      {"what blocks compilation first, then the steps of one class in their order, not in the "
       "order of the file",
       "line 0040 - EXEC ZARN XCTL to program 'NEXT' found\n"
       "line 0050 - EXEC ZARN LINK to program 'SUB' found\n"
       "line 0060 - *** USRCOMM has no layout - declare the user communication area under 02 "
       "USRCOMM\n",
       {{5, 2}, {6, 1}, {7, 1}},
       "",
       std::string(kDeclare) + " @ line 0060\n" + kLink +
           " @ line 0050\nCheck each XCTL, which stays active @ line 0040\n"},
      {"a HANDLE CONDITION MAPFAIL in a member names the member",
       "  opening copy book ABCREC at line 57\n"
       " line 0003 - *** ZARN HANDLE CONDITION MAPFAIL found\n"
       "  5 lines read in copy book\n  5 lines written in copy book\n",
       {{3, 1}, {5, 1}, {19, 1}},
       "",
       "Check each HANDLE CONDITION MAPFAIL, which stays active: each later RECEIVE MAP now tests "
       "USRMAPLN for it @ line 0003 in ABCREC\n"},
      {"HANDLE AID alone needs no step",
       "line 0041 - *** ZARN HANDLE AID found\n",
       {{5, 1}, {20, 1}},
       "",
       ""},
      {"invalid keys of two HANDLE AID commands make one step",
       "line 0041 - *** ZARN HANDLE AID found\nline 0041 - Invalid PF Key\n"
       "line 0052 - *** ZARN HANDLE AID found\nline 0052 - Invalid PA Key\n",
       {{5, 2}, {20, 2}},
       "",
       "Correct the invalid PF/PA keys of HANDLE AID: no test was written for them @ line 0041, "
       "line 0052\n"},
      {"members not converted are named with what became of them",
       "  opening copy book SQLCA at line 12\n ***error*** opening copy file SQLCA\n"
       "  opening copy book OUT.CPY at line 13\n ***error*** opening output copy file OUT.new\n"
       "  opening copy book REC at line 14\n  3 lines read in copy book\n"
       "  3 lines written in copy book\n",
       {{3, 3}},
       "",
       "Make the copybook members that were not converted available, and convert again @ "
       "OUT.CPY (not written), SQLCA (not found)\n"},
      {"the monitor's members are supplied, before the members not found",
       "  copy book KVZZVLCA is the monitor's - not opened\n"
       "  opening copy book SQLCA at line 12\n ***error*** opening copy file SQLCA\n"
       "  copy book KVZAID is the monitor's - not opened\n",
       {{3, 3}},
       "",
       "Supply the monitor's own members that the program copies, where it is compiled @ KVZAID, "
       "KVZZVLCA\nMake the copybook members that were not converted available, and convert "
       "again @ SQLCA (not found)\n"},
      {"a map area in WORKING-STORAGE comes right after KVZAID, before the commands",
       "line 0030 - EXEC ZARN LINK to program 'SUB' found\n"
       "line 0040 - *** map area MENU1O is in WORKING-STORAGE - move it after USRCOMM, here and in "
       "the front end\n"
       "line 0040 - ZARN SEND MAP handled for map 'MENU1' mapset \n"
       "line 0050 - *** KVZAID is not copied - the attention-key tests need its constants\n",
       {{5, 2}, {6, 1}, {8, 1}},
       "",
       std::string(kKvzaid) +
           " @ line 0050\nMove each map area out of WORKING-STORAGE to after the USRCOMM items, in "
           "the program and in the front end @ line 0040\n" +
           kLink + " @ line 0030\n"},
      {"a RETURN option dropped comes after CONVERSE",
       "line 0070 - EXEC ZARN RETURN handled User COMMAREA Length was set to zero\n"
       "line 0070 - *** RETURN IMMEDIATE dropped - program logic must be checked\n",
       {{5, 1}, {17, 1}},
       "",
       "Check the program logic where a RETURN option (CHANNEL, IMMEDIATE) was dropped @ line "
       "0070\n"},
      {"a command without END-EXEC",
       "line 0090 - *** EXEC ZARN command without END-EXEC in 20 lines - not converted\n",
       {},
       "",
       "Convert by hand each EXEC ZARN command whose END-EXEC was not found @ line 0090\n"},
      {"an old file with EXEC ZARN not in capitals",
       "line 0028 - *** EXEC ZARN not in capitals - not converted\n",
       {},
       "",
       "Convert again: an EXEC ZARN command not in capitals was not converted @ line 0028\n"},
      {"multiple receives in the front end: the step names no line",
       "line 0012 - ZARN RECEIVE MAP for map 'A' handled\n"
       "line 0022 - ZARN RECEIVE MAP for map 'B' handled\n",
       {{5, 2}, {14, 2}},
       "\n Creating new DSP4 front end prototype file - FE.cbl\n"
       "Number of ZVL RECEIVE statements found in original Program - 2\n"
       "**** Warning - Multiple receives found - manual changes required\n",
       "In the front end, make each RECEIVE block depend on the map on the screen\n"},
      {"the front end not built for want of its template",
       "",
       {},
       "\n Unable to open DSP4 template file NEWDSP4.TXT - no front end written\n",
       "Build the front end: its file or the template NEWDSP4.TXT could not be opened\n"},
      {"messages the report does not know are to be read",
       "line 0005 - *** a message of a newer QUILLOX\nline 0009 - SEND PAGE found\n",
       {},
       "",
       std::string(kReadOtherMessagesStep) + " @ line 0005, line 0009\n"},
      {"a change of behaviour before what is only to be reviewed, though its step stands later",
       "line 0020 - EXEC ZARN LINK to program 'SUB' found\n"
       "line 0030 - CONVERSE removed - program logic must be checked\n",
       {{5, 2}, {6, 1}, {16, 1}},
       "",
       "Check the program logic where CONVERSE was removed @ line 0030\n" + std::string(kLink) +
           " @ line 0020\n"},
      {"within a class the step with more places comes first",
       "line 0010 - *** SEND PAGE found\n"
       "line 0041 - *** ZARN HANDLE AID found\nline 0041 - Invalid PF Key\n"
       "line 0052 - *** ZARN HANDLE AID found\nline 0052 - Invalid PA Key\n",
       {{5, 3}, {20, 2}, {28, 1}},
       "",
       "Correct the invalid PF/PA keys of HANDLE AID: no test was written for them @ line 0041, "
       "line 0052\nCheck each SEND PAGE: paging is not converted @ line 0010\n"},
      {"checking the inserted header is reviewed, after two LINKs and before one",
       "line 0031 - COPY for STDHEAD in KVZCOMMAREA inserted\n"
       "line 0040 - EXEC ZARN LINK to program 'A' found\n"
       "line 0050 - EXEC ZARN LINK to program 'B' found\n",
       {{5, 2}, {6, 2}},
       "",
       std::string(kLink) + " @ line 0040, line 0050\n" + kCheckArea + " @ line 0031\n"},
      {"many places: six are named and the rest counted",
       "line 0001 - EXEC ZARN LINK to program 'A' found\n"
       "line 0002 - EXEC ZARN LINK to program 'B' found\n"
       "line 0003 - EXEC ZARN LINK to program 'C' found\n"
       "line 0004 - EXEC ZARN LINK to program 'D' found\n"
       "line 0005 - EXEC ZARN LINK to program 'E' found\n"
       "line 0006 - EXEC ZARN LINK to program 'F' found\n"
       "line 0007 - EXEC ZARN LINK to program 'G' found\n"
       "line 10008 - EXEC ZARN LINK to program 'H' found\n",
       {{5, 8}, {6, 8}},
       "",
       std::string(kLink) +
           " @ line 0001, line 0002, line 0003, line 0004, line 0005, line 0006 and 2 more\n"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(checklist_of(row.messages, row.rows, row.after), row.expected);
  }
}

TEST(Checklist, EveryKindOfFindingHasItsStepOnce) {
  // Each kind alone in a program gives a checklist of exactly one step that no other kind gives.
  std::vector<std::string_view> steps;
  for (std::size_t kind = 0; kind < kFindingKindCount; ++kind) {
    SCOPED_TRACE(finding_heading(static_cast<Finding>(kind)));
    ProgramSummary program;
    program.count(static_cast<Finding>(kind)) = 1;
    std::vector<ChecklistItem> items = manual_steps(program);
    ASSERT_EQ(items.size(), 1u);
    for (std::string_view earlier : steps) EXPECT_NE(items[0].step, earlier);
    steps.push_back(items[0].step);
  }
}

}  // namespace
}  // namespace report
