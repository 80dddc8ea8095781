// The summary report that ends a message file, built row by row for the tests of a whole run,
// so that a test names only the counts it is about.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>

namespace test_support {

/// One count of the summary report, named by the text of its row ("HANDLE AID statements").
struct SummaryCount {
  std::string_view row;
  int count;
};

/// The 37 rows of the summary report in their order; "%5d" stands for the count, right-aligned
/// in five columns.
inline constexpr std::string_view kSummaryRows[] = {
    "\n%5d Input lines read\n",
    "%5d Output lines written\n",
    "%5d Total copy statements found\n",
    "%5d Total -INC statements found\n",
    "\n%5d EXEC ZARN Statements\n",
    "%5d Total EXEC ZARN LINK statements found\n",
    "%5d Total EXEC ZARN XCTL statements found\n",
    "\n%5d SEND MAP statements\n",
    "%5d SEND TEXT statements\n",
    "%5d SEND CONTROL statements\n",
    "%5d SEND CONVID or SESSION statements\n",
    "%5d SEND with FROM or CTLCHAR only\n",
    "%5d SEND with no other parameters\n",
    "%5d RECEIVE MAP statements\n",
    "%5d RECEIVE BUFFER statementss\n",
    "%5d CONVERSE statements\n",
    "%5d RETURN statements\n",
    "%5d ADDRESS statements\n",
    "%5d HANDLE MAPFAIL statements\n",
    "%5d HANDLE AID statements\n",
    "%5d ROUTE statements\n",
    "\n%5d MAPONLY parameters\n",
    "%5d DATAONLY parameters\n",
    "%5d ERASE parameters\n",
    "%5d ERASEAUP parameters\n",
    "%5d ALARM parameters\n",
    "%5d ACCUM parameters\n",
    "%5d PAGE parameters\n",
    "%5d FRSET statements\n",
    "%5d FREEKB statements\n",
    "\n%5d EIBAID variables\n",
    "%5d EIBTRMID variables\n",
    "%5d EIBTRNID variables\n",
    "%5d EIBCALEN variables\n",
    "%5d EIBCPOSN variables\n",
    "\n%5d KVZCOMMAREA references\n",
    "%5d ASSIGN TERMCODE references\n",
};

/// The summary report with the counts given by row number (1 to 37); rows not named count 0.
inline std::string summary_report_by_row(const std::map<int, int>& counts) {
  std::string report;
  for (int row = 1; row <= 37; ++row) {
    auto found = counts.find(row);
    std::string number = std::to_string(found == counts.end() ? 0 : found->second);
    if (number.size() < 5) number.insert(0, 5 - number.size(), ' ');
    std::string_view format = kSummaryRows[row - 1];
    std::size_t at = format.find("%5d");
    report.append(format.substr(0, at)).append(number).append(format.substr(at + 3));
  }
  return report;
}

/// The summary report of a run that read `input_lines` lines of the program and wrote
/// `output_lines` lines of the converted program; every other row counts 0 unless `counts`
/// names it. A name that is no row of the report fails the test.
inline std::string summary_report(int input_lines, int output_lines,
                                  std::initializer_list<SummaryCount> counts = {}) {
  std::map<int, int> by_row = {{1, input_lines}, {2, output_lines}};
  for (const SummaryCount& count : counts) {
    int found = 0;
    for (int row = 1; row <= 37 && found == 0; ++row) {
      // The row's own text: what follows the count, without the line end.
      std::string_view format = kSummaryRows[row - 1];
      std::size_t start = format.find("%5d ") + 4;
      if (format.substr(start, format.size() - 1 - start) == count.row) found = row;
    }
    if (found == 0)
      ADD_FAILURE() << "the summary report has no row \"" << count.row << "\"";
    else
      by_row[found] = count.count;
  }
  return summary_report_by_row(by_row);
}

}  // namespace test_support
