// What the programs of an application add up to: the sums the report shows, added with overflow
// checked, and the copybook members with the programs that copy them.
#include "report/application_totals.h"

#include <limits>
#include <map>
#include <utility>

namespace report {

namespace {

// `sum` + `value` for counts that are never negative; false when it would overflow.
bool checked_add(std::int64_t sum, std::int64_t value, std::int64_t& result) {
  if (value > std::numeric_limits<std::int64_t>::max() - sum) return false;
  result = sum + value;
  return true;
}

}  // namespace

bool add_program(ApplicationTotals& totals, const ProgramSummary& program, std::string& too_large) {
  ApplicationTotals sum = totals;
  std::int64_t findings = program.total_findings();
  const struct {
    std::int64_t& total;
    std::int64_t value;
    const char* what;
  } sums[] = {
      {sum.programs, 1, "programs"},
      {sum.screen_programs, program.screen_program() ? 1 : 0, "screen programs"},
      {sum.lines_read, program.lines_read, "input lines read"},
      {sum.lines_written, program.lines_written, "output lines written"},
      {sum.exec_statements, program.exec_statements, "EXEC ZARN statements"},
      {sum.findings, findings, "findings"},
      {sum.programs_with_findings, findings > 0 ? 1 : 0, "programs with findings"},
      {sum.other_messages, program.other_messages, "other messages"},
      {sum.programs_with_other, program.other_messages > 0 ? 1 : 0, "programs with other messages"},
  };
  for (const auto& one : sums) {
    if (!checked_add(one.total, one.value, one.total)) {
      too_large = one.what;
      return false;
    }
  }
  for (std::size_t kind = 0; kind < kFindingKindCount; ++kind) {
    if (!checked_add(sum.kinds[kind], program.findings[kind], sum.kinds[kind])) {
      too_large = std::string(finding_heading(static_cast<Finding>(kind))) + " findings";
      return false;
    }
    if (program.findings[kind] > 0) ++sum.programs_with[kind];
  }
  totals = sum;
  return true;
}

std::vector<MemberCopies> members_of(const std::vector<const ProgramSummary*>& programs) {
  std::map<std::pair<std::string, MemberOutcome>, std::vector<const ProgramSummary*>> copies;
  for (const ProgramSummary* program : programs)
    for (const MemberUse& member : program->members)
      copies[{member.name, member.outcome}].push_back(program);
  std::vector<MemberCopies> members;
  for (auto& [member, copied_by] : copies)
    members.push_back({member.first, member.second, std::move(copied_by)});
  return members;
}

}  // namespace report
