// One program in detail: its state, its files, its checklist in the order of the work, its
// findings with links to their lines, what it still asks of the monitor, the programs it
// transfers to, and its members.
#pragma once

#include <string>
#include <string_view>

#include "report/html_page.h"
#include "report/program_reading.h"

namespace report {

/// What a member's outcome is called on the page.
std::string_view member_outcome_text(MemberOutcome outcome);

/// The detail of `program` as a section of a page whose links are `links`.
std::string program_detail(const ProgramReport& program, const PageLinks& links);

/// The page of its own of `program`, for a large application; `folder` names the application.
std::string program_page(const ProgramReport& program, const PageLinks& links,
                         std::string_view folder);

}  // namespace report
