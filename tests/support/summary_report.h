// The summary report that ends a message file, built row by row for the tests of a whole run,
// so that a test names only the counts it is about.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>

#include "message_format/message_format.h"

namespace test_support {

/// One count of the summary report, named by the text of its row ("HANDLE AID statements").
struct SummaryCount {
  std::string_view row;
  int count;
};

/// The summary report with the counts given by row number (1 for the first row); rows not named
/// count 0.
inline std::string summary_report_by_row(const std::map<int, int>& counts) {
  std::string report;
  int row = 0;
  for (const message_format::SummaryRow& summary_row : message_format::kSummaryRows) {
    auto found = counts.find(++row);
    std::string number = std::to_string(found == counts.end() ? 0 : found->second);
    if (number.size() < 5) number.insert(0, 5 - number.size(), ' ');
    if (summary_row.blank_line_before) report += "\n";
    report.append(number).append(" ").append(summary_row.text).append("\n");
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
    for (const message_format::SummaryRow& summary_row : message_format::kSummaryRows)
      if (summary_row.text == count.row) found = static_cast<int>(summary_row.id) + 1;
    if (found == 0)
      ADD_FAILURE() << "the summary report has no row \"" << count.row << "\"";
    else
      by_row[found] = count.count;
  }
  return summary_report_by_row(by_row);
}

}  // namespace test_support
