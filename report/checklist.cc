// A program's checklist: the manual steps it still needs, derived from what its message file tells.
#include "report/checklist.h"

#include <algorithm>

namespace report {

namespace {

using message_format::kManualSteps;
using message_format::ManualStep;
using message_format::Severity;

// An item for the lines that `belongs` picks, `count` in all: the first kPlacesPerStep places
// and how many more there are. The front-end lines have no place of their own: the step names
// the front end.
template <typename Belongs>
ChecklistItem item_of(std::string_view step, Severity severity, const ProgramSummary& program,
                      std::int64_t count, Belongs belongs) {
  ChecklistItem item{step, severity, count, {}, 0, {}};
  std::int64_t placed = count;
  for (const ListedLine& line : program.listed) {
    if (!belongs(line)) continue;
    if (line.number_kind == ListedLine::Number::kNone) {
      --placed;
      continue;
    }
    if (item.places.size() < kPlacesPerStep) item.places.push_back(&line);
  }
  item.more = std::max<std::int64_t>(0, placed - static_cast<std::int64_t>(item.places.size()));
  return item;
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

// "KVZAID, KVZZVLCA": the monitor's own members that the program copies, and how many.
std::string monitor_members(const ProgramSummary& program, std::int64_t& count) {
  std::string names;
  count = 0;
  for (const MemberUse& member : program.members) {
    if (member.outcome != MemberOutcome::kMonitor) continue;
    if (!names.empty()) names += ", ";
    names += member.name;
    ++count;
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

std::string where_of(const ChecklistItem& item) {
  if (!item.members.empty()) return item.members;
  std::string where;
  for (const ListedLine* line : item.places) {
    if (!where.empty()) where += ", ";
    where += place_of(*line);
  }
  if (item.more > 0) where += (where.empty() ? "" : " and ") + std::to_string(item.more) + " more";
  return where;
}

std::vector<ChecklistItem> manual_steps(const ProgramSummary& program) {
  std::vector<ChecklistItem> items;
  bool declare_area = program.count(Finding::kUsrcommWithoutLayout) > 0;
  for (const ManualStep& step : kManualSteps) {
    if (step.finding) {
      Finding kind = *step.finding;
      Severity severity = message_format::severity_of(kind);
      if (kind == Finding::kCopybookError) {
        // The monitor's members are never converted: the user supplies them, before the
        // members that were not found.
        std::int64_t monitor_count = 0;
        std::string monitor = monitor_members(program, monitor_count);
        if (!monitor.empty())
          items.push_back({kSupplyMonitorMembersStep,
                           message_format::kMonitorMemberSeverity,
                           monitor_count,
                           {},
                           0,
                           monitor});
      }
      std::int64_t count = program.count(kind);
      if (count == 0) continue;
      if (kind == Finding::kCopybookError) {
        items.push_back({step.text, severity, count, {}, 0, members_not_converted(program)});
        continue;
      }
      items.push_back(item_of(step.text, severity, program, count,
                              [kind](const ListedLine& line) { return line.finding == kind; }));
    } else {
      Message message = *step.message;
      // Declaring the area includes checking it.
      if (message == Message::kStdheadInserted && declare_area) continue;
      std::int64_t count = lines_of_message(program, message);
      if (count == 0) continue;
      items.push_back(item_of(
          step.text, message_format::kUnclassifiedSeverity, program, count,
          [message](const ListedLine& line) { return line.message == message && !line.finding; }));
    }
  }
  if (program.other_messages > 0)
    items.push_back(item_of(kReadOtherMessagesStep, message_format::kUnclassifiedSeverity, program,
                            program.other_messages,
                            [](const ListedLine& line) { return !line.finding && !line.message; }));
  std::stable_sort(items.begin(), items.end(), [](const ChecklistItem& a, const ChecklistItem& b) {
    if (a.severity != b.severity) return a.severity < b.severity;
    return a.count > b.count;
  });
  return items;
}

}  // namespace report
