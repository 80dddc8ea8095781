// The migration report as one self-contained HTML page: totals, a bar chart, sortable tables of
// the kinds, the programs and the members not converted, and each program in detail.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report/application_totals.h"
#include "report/message_file.h"

namespace report {

/// `text` with &, <, >, " and ' written as character references, safe in text and attributes.
std::string html_escape(std::string_view text);

/// `path` (folders separated by "/") as the value of a relative link: every byte but letters,
/// digits, "-", ".", "_", "~" and "/" written as "%XX", then escaped for an attribute.
std::string href_of(std::string_view path);

/// The bar chart as inline SVG: one bar per program (a `<g class="bar">` each), largest total
/// first and by name among equals, each bar made of one segment per finding kind it holds and
/// one for its other messages.
std::string findings_chart(const std::vector<ProgramSummary>& programs);

/// The detail of the program `program`, the `number`th of the page: kind, links to its files,
/// checklist of manual steps, findings grouped by kind with their places, other messages, and
/// copybook members.
std::string program_detail(const ProgramSummary& program, std::size_t number);

/// The whole page for the programs in the order given, with their `totals`; `folder` names the
/// application folder in the title. Needs no other file or font; its one inline script sorts
/// the tables by the column whose heading is clicked, and the page reads as well without it.
std::string html_report(const std::vector<ProgramSummary>& programs,
                        const ApplicationTotals& totals, std::string_view folder);

}  // namespace report
