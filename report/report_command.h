// quillox-report: the command line, the search for message files, and writing the two reports.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace report {

/// Name of the CSV report written into the output folder.
inline constexpr char kCsvReportName[] = "migration-report.csv";
/// Name of the HTML report written into the output folder.
inline constexpr char kHtmlReportName[] = "migration-report.html";

/// Runs quillox-report with `arguments` (without the program name): reads every "*.msg" file
/// below the folder and writes both reports. Returns the exit code: 0 when written, 1 when a
/// message file or the folder cannot be read or is not understood (nothing is then written),
/// 2 for a wrong command line.
int run_report(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

/// `run_report` for `main`.
int run_report(int argc, char** argv);

}  // namespace report
