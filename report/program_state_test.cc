// Tests of a program's state, its findings by class, the order of the page, and the one table
// of classes beside the message format.
#include "report/program_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "message_format/severity.h"

namespace report {
namespace {

using message_format::severity_of;

RecordEntry record(RecordState state) {
  return {state, "why"};
}

TEST(ProgramState, TheRecordComesFirstThenTheMessageFileThenTheDates) {
  const struct {
    const char* why;
    StateFacts facts;
    ProgramState expected;
  } cases[] = {
      {"a failed conversion, whatever message file an earlier one left",
       {record(RecordState::kFailed), true, true, false, 3},
       ProgramState::kFailed},
      {"refused for a clash",
       {record(RecordState::kRefusedClash), false, false, false, 0},
       ProgramState::kRefusedClash},
      {"refused for hand edits, its earlier findings kept",
       {record(RecordState::kRefusedEdited), true, true, false, 2},
       ProgramState::kRefusedEdited},
      {"the run ended before its turn",
       {record(RecordState::kNotRun), true, true, false, 0},
       ProgramState::kNotConverted},
      {"converted by the record, yet its message file is gone",
       {record(RecordState::kConverted), false, false, false, 0},
       ProgramState::kNotConverted},
      {"no record and no message file",
       {std::nullopt, false, false, false, 0},
       ProgramState::kNotConverted},
      {"a message file that could not be read",
       {std::nullopt, true, false, false, 0},
       ProgramState::kMessageFileNotRead},
      {"newer sources than the message file",
       {record(RecordState::kConverted), true, true, true, 4},
       ProgramState::kOutOfDate},
      {"findings", {std::nullopt, true, true, false, 1}, ProgramState::kConvertedWithFindings},
      {"nothing left to do",
       {record(RecordState::kConverted), true, true, false, 0},
       ProgramState::kConverted},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(state_of(row.facts), row.expected);
  }
}

TEST(ProgramState, EachKindCountsInItsClassAndOtherMessagesAreToBeReviewed) {
  ProgramSummary program;
  program.count(Finding::kUsrcommWithoutLayout) = 1;
  program.count(Finding::kCopybookError) = 2;
  program.count(Finding::kConverse) = 3;
  program.count(Finding::kInvalidKey) = 1;
  program.count(Finding::kXctl) = 5;
  program.count(Finding::kHandleConditionKept) = 1;
  program.other_messages = 2;
  std::array<std::int64_t, kSeverityCount> expected = {3, 4, 8};
  EXPECT_EQ(findings_by_class(program), expected);
  EXPECT_EQ(heaviest_class(expected), Severity::kBlocksCompilation);
  EXPECT_EQ(heaviest_class({0, 0, 1}), Severity::kReview);
  EXPECT_EQ(heaviest_class({0, 0, 0}), std::nullopt);
}

TEST(ProgramState, EachKindHasTheClassOfWhatItDoesToTheProgram) {
  // What keeps the program from compiling, what changes what it does, what only asks for a look.
  const Finding blocks[] = {Finding::kUsrcommWithoutLayout, Finding::kKvzaidNotCopied,
                            Finding::kCopybookError,        Finding::kMapAreaInWorkingStorage,
                            Finding::kWithoutEndExec,       Finding::kNotInCapitals};
  const Finding behaviour[] = {Finding::kConverse,
                               Finding::kReceiveBuffer,
                               Finding::kReceiveWithoutMap,
                               Finding::kSendPage,
                               Finding::kSendAccum,
                               Finding::kSendControl,
                               Finding::kSendConvidOrSession,
                               Finding::kReturnOptionDropped,
                               Finding::kInvalidKey,
                               Finding::kMultipleReceives,
                               Finding::kSendCtlcharRemoved,
                               Finding::kSendWithoutParameters,
                               Finding::kFrontEndNotBuilt};
  const Finding review[] = {Finding::kLink, Finding::kXctl, Finding::kRoute,
                            Finding::kAssignTermcode, Finding::kHandleConditionKept};
  std::size_t classified = 0;
  for (Finding kind : blocks) {
    SCOPED_TRACE(finding_heading(kind));
    EXPECT_EQ(severity_of(kind), Severity::kBlocksCompilation);
    ++classified;
  }
  for (Finding kind : behaviour) {
    SCOPED_TRACE(finding_heading(kind));
    EXPECT_EQ(severity_of(kind), Severity::kChangesBehaviour);
    ++classified;
  }
  for (Finding kind : review) {
    SCOPED_TRACE(finding_heading(kind));
    EXPECT_EQ(severity_of(kind), Severity::kReview);
    ++classified;
  }
  EXPECT_EQ(classified, kFindingKindCount);
  EXPECT_EQ(message_format::severity_of_option("blocks"), Severity::kBlocksCompilation);
  EXPECT_EQ(message_format::severity_of_option("behaviour"), Severity::kChangesBehaviour);
  EXPECT_EQ(message_format::severity_of_option("review"), Severity::kReview);
  EXPECT_EQ(message_format::severity_of_option("error"), std::nullopt);
}

TEST(ProgramState, ThePageOrdersByStateThenClassThenCount) {
  const OrderKey keys[] = {
      {ProgramState::kConverted, {0, 0, 0}, 0, "CLEAN"},
      {ProgramState::kConvertedWithFindings, {0, 0, 9}, 9, "LOOK9"},
      {ProgramState::kConvertedWithFindings, {0, 1, 0}, 1, "SHIFT1"},
      {ProgramState::kConvertedWithFindings, {1, 0, 0}, 1, "BLOCK1"},
      {ProgramState::kConvertedWithFindings, {2, 0, 0}, 2, "BLOCK2"},
      {ProgramState::kConvertedWithFindings, {1, 0, 4}, 5, "BLOCK1+4"},
      {ProgramState::kConvertedWithFindings, {1, 0, 0}, 1, "ALSO1"},
      {ProgramState::kOutOfDate, {0, 0, 0}, 0, "STALE"},
      {ProgramState::kFailed, {0, 0, 0}, 0, "BROKEN"},
      {ProgramState::kNotConverted, {0, 0, 0}, 0, "NEW"},
  };
  std::vector<OrderKey> order(std::begin(keys), std::end(keys));
  std::sort(order.begin(), order.end(), comes_before);
  std::string names;
  for (const OrderKey& key : order) names += std::string(key.name) + " ";
  // Failed, not converted and out of date first, in the order of their states; then the most
  // findings that block compilation, the one with more findings in all among equals, then by
  // name; then changes of behaviour; then what is to review; the program without findings last.
  EXPECT_EQ(names, "BROKEN NEW STALE BLOCK2 BLOCK1+4 ALSO1 BLOCK1 SHIFT1 LOOK9 CLEAN ");
}

}  // namespace
}  // namespace report
