// What the programs of an application add up to: the sums the report shows, added with overflow
// checked, and the copybook members with the programs that copy them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "report/message_file.h"

namespace report {

/// What the message files read add up to.
struct ApplicationTotals {
  std::int64_t programs = 0;  // message files read
  std::int64_t screen_programs = 0;
  std::int64_t lines_read = 0;
  std::int64_t lines_written = 0;
  std::int64_t exec_statements = 0;
  std::int64_t findings = 0;  // every finding of every kind, the other messages included
  std::int64_t programs_with_findings = 0;
  std::int64_t other_messages = 0;
  std::array<std::int64_t, kFindingKindCount> kinds{};          // findings of each kind
  std::array<std::int64_t, kFindingKindCount> programs_with{};  // programs with that kind
  std::int64_t programs_with_other = 0;
};

/// Adds `program` to `totals`. When a sum would pass the largest count the report can hold,
/// leaves `totals` unchanged, names that sum in `too_large` ("input lines read") and returns
/// false: such a total is impossible for a real application.
bool add_program(ApplicationTotals& totals, const ProgramSummary& program, std::string& too_large);

/// A copybook member with one outcome, and the programs in which it had that outcome.
struct MemberCopies {
  std::string name;
  MemberOutcome outcome;
  std::vector<const ProgramSummary*> programs;  // in the order of `programs`, each once
};

/// Every member that `programs` copy, once per outcome, in order of name and then outcome.
std::vector<MemberCopies> members_of(const std::vector<const ProgramSummary*>& programs);

}  // namespace report
