// The migration report as one self-contained HTML page: totals, a bar chart and the table.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report/message_file.h"

namespace report {

/// `text` with &, <, >, " and ' written as character references, safe in text and attributes.
std::string html_escape(std::string_view text);

/// The bar chart as inline SVG: one bar per program (a `<g class="bar">` each), largest total
/// first and by name among equals, each bar made of one segment per finding kind it holds.
std::string findings_chart(const std::vector<ProgramSummary>& programs);

/// The whole page for the programs in the order given; `folder` names the application folder in
/// the title. Needs no other file, script or font.
std::string html_report(const std::vector<ProgramSummary>& programs, std::string_view folder);

}  // namespace report
