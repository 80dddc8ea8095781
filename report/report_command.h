// quillox-report: the command line, the programs of the folder, and writing the reports.
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

/// Runs quillox-report with `arguments` (without the program name): reads every program and
/// message file below the folder, quillox-all's record of its last run and the converted files,
/// and writes the reports, all of them or none. Returns the exit code: 0 when written; 1 when
/// written but a file could not be read (each named, and listed in the report), or when a
/// finding of the class given with --fail-on (or a heavier one) or a program to convert exists,
/// or when the folder holds no program; 2 for a wrong command line; 100 when the folder cannot
/// be read or the reports or standard output cannot be written (no old report replaced).
int run_report(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

/// `run_report` for `main`.
int run_report(int argc, char** argv);

}  // namespace report
