// A program's checklist: the manual steps it still needs, derived from what its message file tells.
#include "report/checklist.h"

namespace report {

namespace {

using message_format::kManualSteps;
using message_format::ManualStep;

// "line 0040, line 0003 in ABCREC and 3 more": the places of the lines that `belongs` picks, at
// most kPlacesPerStep of them, out of `count` in all.
template <typename Belongs>
std::string places(const ProgramSummary& program, std::int64_t count, Belongs belongs) {
  std::string where;
  std::int64_t shown = 0;
  for (const ListedLine& line : program.listed) {
    if (!belongs(line)) continue;
    // The front-end lines have no place of their own: the step names the front end.
    if (line.number_kind == ListedLine::Number::kNone) {
      --count;
      continue;
    }
    if (shown == static_cast<std::int64_t>(kPlacesPerStep)) break;
    if (!where.empty()) where += ", ";
    where += place_of(line);
    ++shown;
  }
  if (count > shown)
    where += (where.empty() ? "" : " and ") + std::to_string(count - shown) + " more";
  return where;
}

// "SQLCA (not found), OUT.CPY (not written)": the members that were not converted.
std::string members_not_converted(const ProgramSummary& program) {
  constexpr std::string_view kOutcome[] = {"", "not found", "not written", "not opened", ""};
  std::string where;
  for (const MemberUse& member : program.members) {
    if (member.outcome == MemberOutcome::kConverted || member.outcome == MemberOutcome::kMonitor)
      continue;
    if (!where.empty()) where += ", ";
    where += member.name + " (" + std::string(kOutcome[static_cast<int>(member.outcome)]) + ")";
  }
  return where;
}

// "KVZAID, KVZZVLCA": the monitor's own members that the program copies.
std::string monitor_members(const ProgramSummary& program) {
  std::string names;
  for (const MemberUse& member : program.members) {
    if (member.outcome != MemberOutcome::kMonitor) continue;
    if (!names.empty()) names += ", ";
    names += member.name;
  }
  return names;
}

std::int64_t lines_of_message(const ProgramSummary& program, Message message) {
  std::int64_t count = 0;
  for (const ListedLine& line : program.listed)
    if (line.message == message) ++count;
  return count;
}

}  // namespace

std::vector<ChecklistItem> manual_steps(const ProgramSummary& program) {
  std::vector<ChecklistItem> items;
  bool declare_area = program.count(Finding::kUsrcommWithoutLayout) > 0;
  for (const ManualStep& step : kManualSteps) {
    if (step.finding) {
      Finding kind = *step.finding;
      // The monitor's members are never converted: the user supplies them, before the members
      // that were not found.
      std::string monitor = kind == Finding::kCopybookError ? monitor_members(program) : "";
      if (!monitor.empty()) items.push_back({kSupplyMonitorMembersStep, monitor});
      std::int64_t count = program.count(kind);
      if (count == 0) continue;
      if (kind == Finding::kCopybookError) {
        items.push_back({step.text, members_not_converted(program)});
        continue;
      }
      items.push_back({step.text, places(program, count, [kind](const ListedLine& line) {
                         return line.finding == kind;
                       })});
    } else {
      Message message = *step.message;
      // Declaring the area includes checking it.
      if (message == Message::kStdheadInserted && declare_area) continue;
      std::int64_t count = lines_of_message(program, message);
      if (count == 0) continue;
      items.push_back({step.text, places(program, count, [message](const ListedLine& line) {
                         return line.message == message;
                       })});
    }
  }
  if (program.other_messages > 0)
    items.push_back({kReadOtherMessagesStep,
                     places(program, program.other_messages, [](const ListedLine& line) {
                       return !line.finding && !line.message;
                     })});
  return items;
}

}  // namespace report
