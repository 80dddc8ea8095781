// A program's checklist: the manual steps it still needs, derived from what its message file tells.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "message_format/severity.h"
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
  message_format::Severity severity;
  std::int64_t count = 0;                 // how many places or members call for it
  std::vector<const ListedLine*> places;  // the first kPlacesPerStep, in the program's list
  std::int64_t more = 0;                  // places not named
  std::string members;                    // the members a member step is about
};

/// Where `item` applies, as text: "line 0040, line 0003 in ABCREC and 3 more", or the members
/// ("SQLCA (not found), OUT.CPY (not written)"); empty when it names no place.
std::string where_of(const ChecklistItem& item);

/// The manual steps that `program` still needs: one for each kind of finding it has and each
/// message it holds that calls for a step, one to supply the monitor's members it copies, and
/// one to read the other messages when it has any. Checking the user communication area is
/// left out when it has to be declared anyway. Ordered by class, the heaviest first, then by
/// how many places call for the step, the most first, then in the order of the steps. The
/// items point into `program`, which has to outlive them.
std::vector<ChecklistItem> manual_steps(const ProgramSummary& program);

}  // namespace report
