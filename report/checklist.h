// A program's checklist: the manual steps it still needs, derived from what its message file tells.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report/message_file.h"

namespace report {

/// The step for the messages that the report does not know.
inline constexpr std::string_view kReadOtherMessagesStep =
    "Read the other messages: this report does not know them";

/// The step for the monitor's own members that a program copies, which are never converted.
inline constexpr std::string_view kSupplyMonitorMembersStep =
    "Supply the monitor's own members that the program copies, where it is compiled";

/// Places named in one checklist item at most; the item says how many more there are.
inline constexpr std::size_t kPlacesPerStep = 6;

/// One item of a program's checklist.
struct ChecklistItem {
  std::string_view step;  // the text of the manual step
  std::string where;      // the places that call for it, or the members not converted
};

/// The manual steps that `program` still needs, in the order of the steps: one for each kind of
/// finding it has and each message it holds that calls for a step, and a last one to read the
/// other messages when it has any. Checking the user communication area is left out when it has
/// to be declared anyway.
std::vector<ChecklistItem> manual_steps(const ProgramSummary& program);

}  // namespace report
