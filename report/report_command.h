// quillox-report: the command line, the search for message files, and writing the two reports.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace report {

/// Name of the CSV report written into the output folder.
inline constexpr char kCsvReportName[] = "migration-report.csv";
/// Name of the CSV file of copybook members written into the output folder.
inline constexpr char kMembersReportName[] = "migration-members.csv";
/// Name of the HTML report written into the output folder.
inline constexpr char kHtmlReportName[] = "migration-report.html";

/// Runs quillox-report with `arguments` (without the program name): reads every "*.msg" file
/// below the folder and writes the three reports. An entry that is not a regular file (a FIFO,
/// a device, a link to one) is named as skipped. Returns the exit code: 0 when written, 1 when
/// a message file or the folder cannot be read, is not understood, is larger than
/// kMaxMessageFileSize or makes a total too large to count (nothing is then written), 2 for a
/// wrong command line.
int run_report(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

/// `run_report` for `main`.
int run_report(int argc, char** argv);

}  // namespace report
