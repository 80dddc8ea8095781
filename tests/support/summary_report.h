// The summary report that ends a message file, built row by row for the tests of a whole run,
// so that a test names only the counts it is about.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace test_support {

/// One count of the summary report, named by the text of its row ("HANDLE AID statements").
struct SummaryCount {
  std::string_view row;
  int count;
};

/// The summary report of a run that read `input_lines` lines of the program and wrote
/// `output_lines` lines of the converted program; every other row counts 0 unless `counts`
/// names it. A name that is no row of the report fails the test.
inline std::string summary_report(int input_lines, int output_lines,
                                  std::initializer_list<SummaryCount> counts = {}) {
  // The 37 rows in their order; "%5d" stands for the count, right-aligned in five columns.
  static constexpr std::string_view kRows[] = {
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
  constexpr std::string_view kCount = "%5d ";
  // The row's own text: what follows the count, without the line end.
  auto row_text = [&](std::string_view row) {
    std::size_t start = row.find(kCount) + kCount.size();
    return row.substr(start, row.size() - 1 - start);
  };
  for (const SummaryCount& count : counts) {
    bool found = false;
    for (std::string_view row : kRows) found = found || row_text(row) == count.row;
    if (!found) ADD_FAILURE() << "the summary report has no row \"" << count.row << "\"";
  }

  std::string report;
  for (std::string_view row : kRows) {
    int value = row == kRows[0] ? input_lines : row == kRows[1] ? output_lines : 0;
    for (const SummaryCount& count : counts)
      if (row_text(row) == count.row) value = count.count;
    std::string number = std::to_string(value);
    if (number.size() < 5) number.insert(0, 5 - number.size(), ' ');
    std::size_t at = row.find(kCount);
    report.append(row.substr(0, at)).append(number).append(row.substr(at + kCount.size() - 1));
  }
  return report;
}

}  // namespace test_support
