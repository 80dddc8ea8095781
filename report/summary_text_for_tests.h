// Test helper: the summary report of a message file, written as the converter writes it.
#pragma once

#include <cstdio>
#include <map>
#include <string>

namespace report {

// The 37 rows of the summary report as the converter writes them ("%5d" and the row's text,
// six of them after an empty line), the counts taken from `counts` by row number (1 to 37);
// rows not named are 0.
inline std::string summary_text(const std::map<int, int>& counts) {
  static const char* const kRows[] = {
      "\nInput lines read",
      "Output lines written",
      "Total copy statements found",
      "Total -INC statements found",
      "\nEXEC ZARN Statements",
      "Total EXEC ZARN LINK statements found",
      "Total EXEC ZARN XCTL statements found",
      "\nSEND MAP statements",
      "SEND TEXT statements",
      "SEND CONTROL statements",
      "SEND CONVID or SESSION statements",
      "SEND with FROM or CTLCHAR only",
      "SEND with no other parameters",
      "RECEIVE MAP statements",
      "RECEIVE BUFFER statementss",
      "CONVERSE statements",
      "RETURN statements",
      "ADDRESS statements",
      "HANDLE MAPFAIL statements",
      "HANDLE AID statements",
      "ROUTE statements",
      "\nMAPONLY parameters",
      "DATAONLY parameters",
      "ERASE parameters",
      "ERASEAUP parameters",
      "ALARM parameters",
      "ACCUM parameters",
      "PAGE parameters",
      "FRSET statements",
      "FREEKB statements",
      "\nEIBAID variables",
      "EIBTRMID variables",
      "EIBTRNID variables",
      "EIBCALEN variables",
      "EIBCPOSN variables",
      "\nKVZCOMMAREA references",
      "ASSIGN TERMCODE references",
  };
  std::string text;
  for (int row = 1; row <= 37; ++row) {
    const char* row_text = kRows[row - 1];
    if (row_text[0] == '\n') text += *row_text++;
    auto found = counts.find(row);
    char count[32];
    std::snprintf(count, sizeof count, "%5d", found == counts.end() ? 0 : found->second);
    text += std::string(count) + " " + row_text + "\n";
  }
  return text;
}

}  // namespace report
